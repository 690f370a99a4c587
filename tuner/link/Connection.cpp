#include "tuner/link/Connection.h"

#include <strings.h>

#include <cstring>
#include <thread>

#include "tuner/link/Protocol.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"

using namespace protocol;

namespace {
constexpr int kReadBackSlots = 6;
constexpr size_t kBlankedIdentification = layout::kIdentificationSize + 1;
}  // namespace

const char* UnableToConnectText() { return tr2("无法连接设备", "unable to connect"); }
const char* OldFirmwareText() { return tr2("数据回传错误!", "Please Update the Firmware!"); }

Connection::Connection(CKTVCommand& engine, HidBackend& backend, SettingsStore* claims, LinkTimings timings)
    : engine_(engine), transport_(engine, backend, claims, timings) {}

bool Connection::ConnectFirst() {
  if (!transport_.OpenFirstDevice()) return false;
  BeginConnect();
  return true;
}

bool Connection::ConnectPath(const std::string& path) {
  if (!transport_.OpenDevicePath(path)) return false;
  BeginConnect();
  return true;
}

void Connection::BeginConnect() {
  {
    LinkGuard hold(engine_.Lock());
    engine_.ClearQueue();
    engine_.Model().ResetPending();
    g_bConnected = 0;
    batchCounter_ = 0;
    connected_ = true;
    engine_.Add(engine_.SystemRead(kItemIdentification, 0));
  }
  transport_.StartPump();
}

void Connection::StopAndClose() {
  transport_.StopPump(true);
  std::this_thread::sleep_for(std::chrono::milliseconds(transport_.Timings().disconnectPauseMs));
  transport_.LeaveUpdateMode();
  CloseLink();
}

void Connection::Disconnect() { StopAndClose(); }

void Connection::CloseLink() {
  transport_.CloseDevice();
  connected_ = false;
  batchRunning_ = false;
  g_bConnected = 0;
  LinkGuard hold(engine_.Lock());
  engine_.Model().ResetPending();
}

bool Connection::OnIdentity() {
  bool matches;
  {
    LinkGuard hold(engine_.Lock());
    matches = std::memcmp(engine_.Model().Image().Identification(), kExpectedIdentity, kComparedIdentityChars) == 0;
  }
  if (!matches) {
    StopAndClose();
    LinkGuard hold(engine_.Lock());
    engine_.ClearQueue();
    std::memset(engine_.Model().Image().Identification(), ' ', kBlankedIdentification);
    return false;
  }
  LinkGuard hold(engine_.Lock());
  EnqueueSystemReadBack();
  EnqueueOutputReadBack(0);
  BeginBatchProgress();
  return true;
}

CSendData* Connection::AddToBatch(std::unique_ptr<CSendData> command, BatchEnd end) {
  if (!command) return nullptr;
  command->progressIndex = batchCounter_;
  if (end == BatchEnd::kNotLast) ++batchCounter_;
  command->lastOfRead = end == BatchEnd::kLastOfRead;
  command->lastOfWrite = end == BatchEnd::kLastOfWrite;
  LinkGuard hold(engine_.Lock());
  return engine_.Add(std::move(command));
}

void Connection::BeginBatchProgress() {
  progressRange_ = batchCounter_;
  batchRunning_ = true;
}

void Connection::EnqueueSystemReadBack() {
  LinkGuard hold(engine_.Lock());
  for (int item : {kItem144, kItem150, kItemSpeakerTypes}) AddToBatch(engine_.SystemRead(item, 0));
  for (int slot = 1; slot <= kReadBackSlots; ++slot) AddToBatch(engine_.SystemRead(kItemSlotName, slot));
}

void Connection::EnqueueOutputReadBack(int slot) {
  LinkGuard hold(engine_.Lock());
  for (int ch = 0; ch < layout::kChannelCount; ++ch) {
    const bool last = ch == layout::kChannelCount - 1;
    AddToBatch(engine_.BlockRead(slot, kOutput, ch, false), last ? BatchEnd::kLastOfRead : BatchEnd::kNotLast);
  }
}

void Connection::OnLiveOutputs(int slot) {
  {
    LinkGuard hold(engine_.Lock());
    engine_.Model().ApplyPreset(slot);
  }
  g_bConnected = 1;
  batchRunning_ = false;
}

bool Connection::OnFailure() {
  if (!connected_) return false;
  StopAndClose();
  LinkGuard hold(engine_.Lock());
  engine_.ClearQueue();
  return true;
}

void Connection::OnOldFirmware() {
  StopAndClose();
  LinkGuard hold(engine_.Lock());
  engine_.ClearQueue();
}

bool Connection::OnDeviceArrival(const std::string& path) {
  if (connected_ || transport_.IsClaimed(path)) return false;
  return ConnectPath(path);
}

bool Connection::OnDeviceRemoval(const std::string& path) {
  if (!transport_.IsDeviceOpen() || strcasecmp(path.c_str(), transport_.DevicePath().c_str()) != 0) return false;
  if (lastUpdateStage_ == kUpdateRestartStage) return false;
  transport_.SetDeviceOpen(false);
  transport_.LeaveUpdateMode();
  transport_.StopPump(true);
  CloseLink();
  LinkGuard hold(engine_.Lock());
  engine_.ClearQueue();
  return true;
}

void Connection::Shutdown() {
  transport_.StopPump(false);
  CloseLink();
}
