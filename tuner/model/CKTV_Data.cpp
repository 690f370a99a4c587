#include "tuner/model/CKTV_Data.h"

#include <algorithm>

#include "tuner/model/Bytes.h"
#include "tuner/model/FieldText.h"

using namespace layout;

namespace {
constexpr int kItemSystem = 144, kItemSystem150 = 150;
constexpr int kMaxSource = 5;
constexpr int kMaxHz = 20000, kMinHz = 20;
constexpr int kClampedChannels = 6;  // CH1..CH6 have their crossovers clamped on apply
}  // namespace

CKTV_Data::CKTV_Data() : image_(std::make_unique<ParamImage>()) {
  for (int ch = 0; ch < kChannelCount; ++ch) {
    outputs_[ch] = std::make_unique<CKTV_OutData>(ch, &groups_);
    groups_.SetChannel(ch, outputs_[ch].get());
  }
  ApplyOutputs();
}

void CKTV_Data::ApplyOutputs() {
  for (int ch = 0; ch < kChannelCount; ++ch) {
    uint8_t* rec = image_->ChannelRecord(0, ch);
    if (ch < kClampedChannels) {
      uint8_t* xo = rec + kCrossover;
      bytes::PutI16(xo, std::min<int>(bytes::GetI16(xo), kMaxHz));
      bytes::PutI16(xo + 4, std::max<int>(bytes::GetI16(xo + 4), kMinHz));
    }
    outputs_[ch]->Apply(rec);
  }
}

void CKTV_Data::ApplyPreset(int slotNumber) {
  if (slotNumber == 0 || slotNumber == 6) effect_.Apply(image_->EffectRecord(0));
  mic_.Apply(image_->InputRecord(0, 0));
  music_.Apply(image_->InputRecord(0, 1));
  ApplyOutputs();
}

void CKTV_Data::PackAll() {
  effect_.Pack(image_->EffectRecord(0));
  mic_.Pack(image_->InputRecord(0, 0));
  music_.Pack(image_->InputRecord(0, 1));
  for (int ch = 0; ch < kChannelCount; ++ch) outputs_[ch]->PackAll(image_->ChannelRecord(0, ch));
}

PendingCommand CKTV_Data::Element(int channel, int element) {
  outputs_[channel]->PackElement(image_->ChannelRecord(0, channel), element);
  PendingCommand c;
  c.kind = PendingCommand::kElementWrite;
  c.channel = channel;
  c.element = element;
  return c;
}

PendingCommand CKTV_Data::NextPending() {
  PendingCommand system;
  system.kind = PendingCommand::kSystemWrite;
  if (pending144_) {
    pending144_ = 0;
    system.item = kItemSystem;
    return system;
  }
  if (pending150_) {
    pending150_ = 0;
    system.item = kItemSystem150;
    return system;
  }
  // Within a channel: name, channel block, crossover, routing, limiter, bands.
  struct FlagElement {
    CKTV_OutData::PendingFlag flag;
    int element;
  };
  for (int ch = 0; ch < kChannelCount; ++ch) {
    CKTV_OutData& out = *outputs_[ch];
    auto take = [&](CKTV_OutData::PendingFlag f) {
      if (!out.IsPending(f)) return false;
      out.ClearPending(f);
      return true;
    };
    if (take(CKTV_OutData::kPendName)) return Element(ch, kElemName);
    if (take(CKTV_OutData::kPendChannel)) return Element(ch, kElemChannel);
    if (out.HighPass().IsPending() || out.LowPass().IsPending()) {
      if (out.HighPass().IsPending()) out.HighPass().WalkStep();
      if (out.LowPass().IsPending()) out.LowPass().WalkStep();
      return Element(ch, kElemCrossover);
    }
    static constexpr FlagElement kLater[] = {{CKTV_OutData::kPendRoutingLow, kElemRoutingLow},
                                             {CKTV_OutData::kPendRoutingHigh, kElemRoutingHigh},
                                             {CKTV_OutData::kPendLimiter, kElemLimiter}};
    for (const FlagElement& fe : kLater) {
      if (take(fe.flag)) return Element(ch, fe.element);
    }
    for (int b = 0; b < kBandCount; ++b) {
      if (out.Band(b).IsPending()) {
        out.Band(b).WalkStep();
        return Element(ch, b);
      }
    }
  }
  return PendingCommand{};
}

void CKTV_Data::ResetPending() {
  for (auto& out : outputs_) out->ClearAllPending();
}

void CKTV_Data::ChangeEqMode(int channel, int mode) {
  outputs_[channel]->SetEqMode(mode);
  outputs_[channel]->ResetEq();
  groups_.ForEachOther(channel, [](CKTV_OutData& other) { other.ResetEq(); });
}

void CKTV_Data::MarkSystem(int item) {
  if (item == kItemSystem) pending144_ = 1;
  if (item == kItemSystem150) pending150_ = 1;
}

bool CKTV_Data::IsSystemPending(int item) const {
  return item == kItemSystem ? pending144_ != 0 : item == kItemSystem150 ? pending150_ != 0 : false;
}

int CKTV_Data::Source() const { return std::min<int>(image_->Block144()[kSysSource], kMaxSource); }
void CKTV_Data::SetSource(int source) { image_->Block144()[kSysSource] = static_cast<uint8_t>(source); }
int CKTV_Data::ControlDelay() const { return image_->Block144()[kSysControlDelay]; }
void CKTV_Data::SetControlDelay(int value) { image_->Block144()[kSysControlDelay] = static_cast<uint8_t>(value); }
int CKTV_Data::MasterVolume() const { return bytes::GetI16(image_->Block144() + kSysMasterVolume); }
void CKTV_Data::SetMasterVolume(int volume) { bytes::PutI16(image_->Block144() + kSysMasterVolume, volume); }
int CKTV_Data::MasterSound() const { return image_->Block144()[kSysMasterSound]; }
void CKTV_Data::SetMasterSound(int on) { image_->Block144()[kSysMasterSound] = static_cast<uint8_t>(on); }
int CKTV_Data::NoiseGate() const { return image_->Block150()[kSys150NoiseGate]; }
void CKTV_Data::SetNoiseGate(int value) { image_->Block150()[kSys150NoiseGate] = static_cast<uint8_t>(value); }
int CKTV_Data::SpeakerType(int channel) const { return image_->SpeakerTypes()[channel]; }
void CKTV_Data::SetSpeakerType(int channel, int type) { image_->SpeakerTypes()[channel] = static_cast<uint8_t>(type); }

std::string CKTV_Data::PresetName(int slot) const {
  return fields::ReadField(image_->Record(slot) + kPresetName, kNameFieldSize);
}

void CKTV_Data::SetPresetName(int slot, const std::string& name) {
  fields::WriteCut(image_->Record(slot) + kPresetName, kNameFieldSize, name);
}
