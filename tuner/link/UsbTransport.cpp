#include "tuner/link/UsbTransport.h"

#include <algorithm>
#include <cstring>

#include "tuner/link/Protocol.h"

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {
// Reads are waited for in slices so that a closed device ends the wait soon.
constexpr int kReadSliceMs = 50;
}  // namespace

UsbTransport::UsbTransport(CKTVCommand& engine, HidBackend& backend, SettingsStore* claims, LinkTimings timings)
    : engine_(engine), backend_(backend), claims_(claims), timings_(timings) {}

UsbTransport::~UsbTransport() {
  StopPump(false);
  CloseDevice();
}

std::string UsbTransport::DevicePath() const {
  std::lock_guard<std::mutex> hold(pathMutex_);
  return devicePath_;
}

void UsbTransport::Adopt(std::unique_ptr<HidDevice> device, const std::string& path) {
  device_ = std::move(device);
  {
    std::lock_guard<std::mutex> hold(pathMutex_);
    devicePath_ = path;
  }
  deviceOpen_ = true;
  Claim(path);
}

bool UsbTransport::OpenFirstDevice() {
  device_.reset();
  deviceOpen_ = false;
  for (const HidDeviceInfo& info : backend_.Enumerate()) {
    if (!usb_id::Matches(info)) continue;
    // Only the first match is tried: a device that another program holds is
    // not silently swapped for a second one.
    std::unique_ptr<HidDevice> device = backend_.Open(info.path);
    if (!device) return false;
    Adopt(std::move(device), info.path);
    return true;
  }
  return false;
}

bool UsbTransport::OpenDevicePath(const std::string& path) {
  std::unique_ptr<HidDevice> device = backend_.Open(path);
  if (!device) {
    device_.reset();
    deviceOpen_ = false;
    return false;
  }
  Adopt(std::move(device), path);
  return true;
}

void UsbTransport::CloseDevice() {
  deviceOpen_ = false;
  device_.reset();
  output_.fill(0);
  input_.fill(0);
  const std::string path = DevicePath();
  if (claims_ && !path.empty()) claims_->DeleteValue(kClaimKey, path);
}

void UsbTransport::Claim(const std::string& path) {
  if (claims_) claims_->WriteValue(kClaimKey, path, "0");
}

bool UsbTransport::IsClaimed(const std::string& path) {
  return claims_ && claims_->ReadValue(kClaimKey, path, nullptr);
}

// ------------------------------------------------------------------- pump

void UsbTransport::StartPump() {
  engine_.SetPaused(false);
  if (!pump_.joinable()) {
    events_.ResetAll();
    events_.Set(updateMode_ ? PumpEvents::kUpdateMode : PumpEvents::kDataMode);
    alive_ = true;
    pump_ = std::thread(&UsbTransport::PumpLoop, this);
  }
  deviceOpen_ = true;
}

void UsbTransport::StopPump(bool wait) {
  if (pump_.joinable()) {
    events_.Reset(PumpEvents::kSuspend);  // a suspended pump must wake to end
    events_.Set(PumpEvents::kStop);
    pump_.join();
  }
  events_.ResetAll();
  if (wait) deviceOpen_ = false;
}

void UsbTransport::EnterUpdateMode() {
  updateMode_ = true;
  if (!pump_.joinable()) return;
  events_.Reset(PumpEvents::kDataMode);
  events_.Set(PumpEvents::kUpdateMode);
}

void UsbTransport::LeaveUpdateMode() {
  updateMode_ = false;
  events_.Reset(PumpEvents::kUpdateMode);
  if (pump_.joinable()) events_.Set(PumpEvents::kDataMode);
}

void UsbTransport::PumpLoop() {
  for (;;) {
    alive_ = true;
    switch (events_.WaitAny(milliseconds(timings_.eventWaitMs))) {
      case PumpEvents::kStop:
        alive_ = false;
        return;
      case PumpEvents::kSuspend:
        events_.WaitWhileSuspended();
        break;
      case PumpEvents::kUpdateMode:
        if (!updateStep_ || !updateStep_()) events_.Reset(PumpEvents::kUpdateMode);
        break;
      case PumpEvents::kDataMode: {
        {
          LinkGuard hold(engine_.Lock());
          if (!engine_.IsPaused()) DataStep();
        }
        events_.WaitFor(PumpEvents::kStop, milliseconds(timings_.pumpPauseMs));
        break;
      }
      default:
        break;
    }
  }
}

void UsbTransport::DataStep() {
  stepStart_ = Clock::now();
  if (WriteStep() == 1) ReadStep();
}

int UsbTransport::WriteStep() {
  if (!device_ || !deviceOpen_) return 0;
  CSendData* head = engine_.Head();
  if (!head) {
    engine_.EnqueueNextPending();
    return 0;
  }
  while (head->HasMoreToSend()) {
    if (!deviceOpen_) return 0;
    output_.fill(0);
    const int taken = std::min<int>(protocol::kReportData, head->length - head->position);
    std::memcpy(output_.data() + 1, head->data.data() + head->position, taken);
    head->position += taken;
    if (!device_->Write(output_.data(), timings_.writeTimeoutMs)) {
      PostFailure();
      return 0;
    }
  }
  return 1;
}

void UsbTransport::ReadStep() {
  while (deviceOpen_) {
    const int got = ReadReport(input_.data(), timings_.readTimeoutMs);
    if (got <= 0) {
      // Silent device, or one that failed: both end the step; a closed link
      // has already been torn down and is told nothing.
      PostFailure();
      return;
    }
    const int handled = engine_.FeedReport(input_.data());
    input_.fill(0);
    if (handled) return;
    if (Clock::now() - stepStart_ > milliseconds(timings_.stepLimitMs)) {
      events_.WaitFor(PumpEvents::kStop, milliseconds(timings_.pumpPauseMs));
      PostFailure();
      return;
    }
  }
}

int UsbTransport::ReadReport(uint8_t* report, int timeoutMs) {
  const auto end = Clock::now() + milliseconds(timeoutMs);
  while (deviceOpen_) {
    const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
    if (left <= 0) return 0;
    const int got = device_->Read(report, static_cast<int>(std::min<long long>(left, kReadSliceMs)));
    if (got != 0) return got;
  }
  return 0;
}

void UsbTransport::PostFailure() {
  if (deviceOpen_) engine_.PostToOwner(WM_LINK_FAILURE, 0, 0);
}
