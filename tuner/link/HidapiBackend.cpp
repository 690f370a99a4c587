#include "tuner/link/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <cstring>

#include "tuner/link/Protocol.h"

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

class HidapiDevice : public HidDevice {
 public:
  explicit HidapiDevice(hid_device* device) : device_(device) {}
  ~HidapiDevice() override { hid_close(device_); }

  bool Write(const uint8_t* report, int) override {
    return hid_write(device_, report, protocol::kReportSize) >= 0;
  }

  int Read(uint8_t* report, int timeoutMs) override {
    // Reports without numbered ids arrive without the id byte.
    report[0] = 0;
    const int n = hid_read_timeout(device_, report + 1, protocol::kReportData, timeoutMs);
    if (n < 0) return -1;
    if (n == 0) return 0;
    std::memset(report + 1 + n, 0, protocol::kReportData - n);
    return 1;
  }

 private:
  hid_device* device_;
};

}  // namespace

HidapiBackend::HidapiBackend() {
  initialised_ = hid_init() == 0;
  if (!initialised_) lastError_ = "the USB HID library could not be initialised";
}

HidapiBackend::~HidapiBackend() {
  if (initialised_) hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
  std::vector<HidDeviceInfo> found;
  if (!initialised_) return found;
  hid_device_info* list = hid_enumerate(0, 0);
  for (hid_device_info* d = list; d; d = d->next) {
    found.push_back({d->path ? d->path : "", d->vendor_id, d->product_id, d->release_number});
  }
  hid_free_enumeration(list);
  return found;
}

std::unique_ptr<HidDevice> HidapiBackend::Open(const std::string& path) {
  if (!initialised_) return nullptr;
  hid_device* device = hid_open_path(path.c_str());
  if (!device) {
    lastError_ = "cannot open " + path + ": " + Narrow(hid_error(nullptr));
    return nullptr;
  }
  return std::make_unique<HidapiDevice>(device);
}
