#include "tuner/presets/SlotOperations.h"

#include <array>
#include <cstring>
#include <memory>

#include "tuner/link/CKTVCommand.h"
#include "tuner/link/Protocol.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/FieldText.h"
#include "tuner/model/Globals.h"
#include "tuner/model/Notifier.h"

using namespace layout;
using protocol::kItem64;
using protocol::kItemSlotName;
using protocol::kOutput;

namespace presets {

namespace {

constexpr int kLiveSlot = 0;

bool IsDeviceSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

void ShowNotConnected() { ShowMessage("无法连接设备", "unable to connect"); }

// Numbers the commands of one batch as they are queued (the first has index
// 0 and makes no progress step) and marks the last as the batch's end. The
// caller holds the link lock from the first Add to Finish, so the pump never
// sees a half-marked batch.
class Batch {
 public:
  explicit Batch(CKTVCommand& engine) : engine_(engine) {}

  void Add(std::unique_ptr<CSendData> command, bool numbered = true) {
    if (!command) return;
    if (numbered) command->progressIndex = counter_++;
    last_ = engine_.Add(std::move(command));
  }

  BatchStart Finish(bool write) {
    if (!last_) return {};
    (write ? last_->lastOfWrite : last_->lastOfRead) = 1;
    // A batch of one command has no progress step to end it on.
    if (last_->progressIndex == 0) last_->closeProgress = 1;
    return {true, counter_};
  }

 private:
  CKTVCommand& engine_;
  CSendData* last_ = nullptr;
  int counter_ = 0;
};

void AddOutputBlockWrites(Batch& batch, CKTVCommand& engine, int slot, bool fromLive) {
  for (int ch = 0; ch < kChannelCount; ++ch) batch.Add(engine.BlockWrite(slot, kOutput, ch, fromLive, !fromLive));
}

// Sets every output's sound-on byte (0: silent) and queues its channel block.
void AddSoundOnWrites(Batch& batch, CKTVCommand& engine, const std::array<uint8_t, kChannelCount>& soundOn) {
  ParamImage& image = engine.Model().Image();
  for (int ch = 0; ch < kChannelCount; ++ch) {
    image.ChannelRecord(kLiveSlot, ch)[kSoundOn] = soundOn[ch];
    batch.Add(engine.ElementWrite(kOutput, ch, kElemChannel));
  }
}

std::array<uint8_t, kChannelCount> LiveSoundOn(ParamImage& image) {
  std::array<uint8_t, kChannelCount> soundOn{};
  for (int ch = 0; ch < kChannelCount; ++ch) soundOn[ch] = image.ChannelRecord(kLiveSlot, ch)[kSoundOn];
  return soundOn;
}

// The live setting to slot 0 with every output silent while its records go
// out; code 64 goes with it when asked. Each output gets its own sound-on
// value back afterwards.
void AddLiveTransfer(Batch& batch, CKTVCommand& engine, bool withName, bool withItem64) {
  ParamImage& image = engine.Model().Image();
  const std::array<uint8_t, kChannelCount> soundOn = LiveSoundOn(image);
  AddSoundOnWrites(batch, engine, {});
  if (withName) batch.Add(engine.SystemWrite(kItemSlotName, kLiveSlot));
  AddOutputBlockWrites(batch, engine, kLiveSlot, true);
  if (withItem64) batch.Add(engine.SystemWrite(kItem64, kLiveSlot), false);
  AddSoundOnWrites(batch, engine, soundOn);
}

void CopyName(ParamImage& image, int from, int to) {
  std::memcpy(image.Record(to) + kPresetName, image.Record(from) + kPresetName, kNameFieldSize);
}

}  // namespace

std::string DefaultSlotCaption(int slot) {
  return std::string(tr2("音效", "Source")) + std::to_string(slot);
}

std::string SlotCaption(const CKTV_Data& model, int slot, bool connected) {
  const std::string name = connected ? model.PresetName(slot) : std::string();
  return name.empty() ? DefaultSlotCaption(slot) : name;
}

bool CheckSlotName(const std::string& name) {
  if (!fields::IsBlank(name)) return true;
  ShowMessage("组名不能全为空格!", "The name can not be all spaces!");
  return false;
}

SlotOperations::SlotOperations(CKTVCommand& engine, std::function<bool()> linkOpen)
    : engine_(engine), linkOpen_(std::move(linkOpen)) {}

bool SlotOperations::CheckLinkOpen() const {
  if (linkOpen_ && linkOpen_()) return true;
  ShowNotConnected();
  return false;
}

BatchStart SlotOperations::RecallSlot(int slot) {
  if (!IsDeviceSlot(slot) || !CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  g_bConnected = 0;
  // An edit not yet sent would be packed over the recalled records before
  // they are applied; the recall replaces it anyway.
  engine_.Model().ResetPending();
  Batch batch(engine_);
  for (int ch = 0; ch < kChannelCount; ++ch) batch.Add(engine_.BlockRead(slot, kOutput, ch, true));
  return batch.Finish(false);
}

BatchStart SlotOperations::StoreSlot(int slot) {
  if (!IsDeviceSlot(slot) || !CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  engine_.Model().PackAll();
  Batch batch(engine_);
  batch.Add(engine_.SystemWrite(kItemSlotName, slot));
  AddOutputBlockWrites(batch, engine_, slot, true);
  return batch.Finish(true);
}

BatchStart SlotOperations::StoreIntoLive() {
  if (!CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  Batch batch(engine_);
  AddLiveTransfer(batch, engine_, true, false);
  return batch.Finish(true);
}

BatchStart SlotOperations::WriteEverything() {
  if (!CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  Batch batch(engine_);
  AddLiveTransfer(batch, engine_, false, true);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    batch.Add(engine_.SystemWrite(kItemSlotName, slot));
    AddOutputBlockWrites(batch, engine_, slot, false);
  }
  return batch.Finish(true);
}

BatchStart SlotOperations::BackUpAllSlots(const std::string& path) {
  if (!CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  Batch batch(engine_);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (int ch = 0; ch < kChannelCount; ++ch) batch.Add(engine_.BlockRead(slot, kOutput, ch, false));
  }
  backUpPath_ = path;
  return batch.Finish(false);
}

BatchStart SlotOperations::DeleteSlot(int slot) {
  if (!IsDeviceSlot(slot) || !CheckLinkOpen()) return {};
  LinkGuard hold(engine_.Lock());
  std::memset(engine_.Model().Image().Record(slot) + kPresetName, 0, kNameFieldSize);
  Batch batch(engine_);
  batch.Add(engine_.SystemWrite(kItemSlotName, slot));
  return batch.Finish(true);
}

PresetOutcome SlotOperations::LoadSlot(int slot) {
  if (!IsDeviceSlot(slot) || !CheckLinkOpen()) return {};
  PresetOutcome outcome;
  {
    LinkGuard hold(engine_.Lock());
    CopyName(engine_.Model().Image(), slot, kLiveSlot);
    outcome.presetName = engine_.Model().PresetName(kLiveSlot);
  }
  outcome.batch = RecallSlot(slot);
  outcome.ok = outcome.batch.queued;
  return outcome;
}

PresetOutcome SlotOperations::SaveSlot(int slot, const std::string& name) {
  if (!IsDeviceSlot(slot)) return {};
  if (!CheckSlotName(name) || !CheckLinkOpen()) return {};
  PresetOutcome outcome;
  {
    LinkGuard hold(engine_.Lock());
    CKTV_Data& model = engine_.Model();
    model.SetPresetName(slot, name);
    CopyName(model.Image(), slot, kLiveSlot);
    outcome.presetName = model.PresetName(kLiveSlot);
  }
  outcome.batch = StoreSlot(slot);
  outcome.ok = outcome.batch.queued;
  return outcome;
}

PresetOutcome SlotOperations::LoadFile(const std::string& path) {
  const std::optional<PresetFormat> format = FormatOfPath(path);
  if (!format) return {};
  const std::optional<std::vector<uint8_t>> file = ReadFile(path, *format);
  if (!file) return {};
  {
    LinkGuard hold(engine_.Lock());
    Apply(*format, *file, engine_.Model());
  }
  PresetOutcome outcome;
  outcome.ok = true;
  outcome.presetName = FileTitle(path);
  outcome.batch = *format == PresetFormat::kSingle ? StoreIntoLive() : WriteEverything();
  return outcome;
}

PresetOutcome SlotOperations::SaveCurrentPreset(const std::string& path) {
  std::vector<uint8_t> file;
  {
    LinkGuard hold(engine_.Lock());
    file = Encode(PresetFormat::kSingle, engine_.Model());
  }
  PresetOutcome outcome;
  outcome.ok = WriteFile(path, PresetFormat::kSingle, file);
  if (outcome.ok) outcome.presetName = FileTitle(path);
  return outcome;
}

PresetOutcome SlotOperations::OnSlotsRead() {
  if (!IsBackUpPending()) return {};
  const std::string path = backUpPath_;
  backUpPath_.clear();
  std::vector<uint8_t> file;
  {
    LinkGuard hold(engine_.Lock());
    file = Encode(PresetFormat::kAll, engine_.Model());
  }
  PresetOutcome outcome;
  outcome.ok = WriteFile(path, PresetFormat::kAll, file);
  if (outcome.ok) outcome.presetName = FileTitle(path);
  return outcome;
}

}  // namespace presets
