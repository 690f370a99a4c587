#pragma once
// The USB HID transport: finds and opens the processor, records which device
// paths are in use, and runs the pump thread that writes the head command
// report by report and reads reports until its reply is complete.
//
// The pump holds the link lock for each whole exchange. StopPump must not be
// called while the caller holds the link lock.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tuner/link/CKTVCommand.h"
#include "tuner/link/HidBackend.h"
#include "tuner/link/PumpEvents.h"
#include "tuner/link/SettingsStore.h"

// Waits and pauses of the link, in milliseconds.
struct LinkTimings {
  int eventWaitMs = 3000;
  int pumpPauseMs = 10;
  int writeTimeoutMs = 20;
  int readTimeoutMs = 2000;
  int stepLimitMs = 3000;
  int disconnectPauseMs = 500;
};

class UsbTransport {
 public:
  static constexpr const char* kClaimKey = "Software\\KDR517.exe\\USB";

  UsbTransport(CKTVCommand& engine, HidBackend& backend, SettingsStore* claims, LinkTimings timings = {});
  ~UsbTransport();
  UsbTransport(const UsbTransport&) = delete;
  UsbTransport& operator=(const UsbTransport&) = delete;

  bool OpenFirstDevice();
  bool OpenDevicePath(const std::string& path);
  // Closes the handle and releases the path's claim. The pump must be stopped.
  void CloseDevice();

  void StartPump();
  void StopPump(bool wait);
  bool IsPumpRunning() const { return pump_.joinable(); }

  // Firmware update mode: the pump runs updateStep (which returns false once
  // the update has finished) instead of data exchanges.
  void SetUpdateStep(std::function<bool()> updateStep) { updateStep_ = std::move(updateStep); }
  void EnterUpdateMode();
  void LeaveUpdateMode();

  // One exchange; called by the pump with the link lock held.
  void DataStep();

  bool IsDeviceOpen() const { return deviceOpen_; }
  void SetDeviceOpen(bool open) { deviceOpen_ = open; }
  std::string DevicePath() const;
  bool IsClaimed(const std::string& path);
  const LinkTimings& Timings() const { return timings_; }

 private:
  void PumpLoop();
  int WriteStep();
  void ReadStep();
  // 1 report, 0 time-out, -1 device failure; gives up early when the device
  // is closed.
  int ReadReport(uint8_t* report, int timeoutMs);
  void PostFailure();
  void Claim(const std::string& path);
  void Adopt(std::unique_ptr<HidDevice> device, const std::string& path);

  CKTVCommand& engine_;
  HidBackend& backend_;
  SettingsStore* claims_;
  LinkTimings timings_;

  mutable std::mutex pathMutex_;
  std::string devicePath_;
  std::unique_ptr<HidDevice> device_;  // used by the pump only while it runs
  std::atomic<bool> deviceOpen_{false};

  std::thread pump_;
  std::atomic<bool> alive_{false};
  std::atomic<bool> updateMode_{false};
  PumpEvents events_;
  std::function<bool()> updateStep_;
  std::chrono::steady_clock::time_point stepStart_;
  std::array<uint8_t, 65> output_{};
  std::array<uint8_t, 65> input_{};
};
