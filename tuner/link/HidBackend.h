#pragma once
// Access to USB HID devices: the hidapi implementation for real processors
// and the simulator implementation for tests, --simulator and demos.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct HidDeviceInfo {
  std::string path;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t version = 0;  // release number
};

// One open device. Reports are 65 bytes: byte 0 the report id (0), then 64
// data bytes.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // Returns false when the device failed (removed, I/O error).
  virtual bool Write(const uint8_t* report, int timeoutMs) = 0;
  // 1: a report was read; 0: nothing within the time-out; -1: the device failed.
  virtual int Read(uint8_t* report, int timeoutMs) = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;
  // Opens the path for reading and writing; nullptr on failure (LastError says why).
  virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
  virtual std::string LastError() const = 0;
};

// The processor's identity on USB.
namespace usb_id {
constexpr uint16_t kVendor = 0x0483;
constexpr uint16_t kProduct = 0x5750;
constexpr uint16_t kVersion = 0x0200;
inline bool Matches(const HidDeviceInfo& d) {
  return d.vendorId == kVendor && d.productId == kProduct && d.version == kVersion;
}
}  // namespace usb_id
