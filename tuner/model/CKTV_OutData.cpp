#include "tuner/model/CKTV_OutData.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "tuner/model/Bytes.h"
#include "tuner/model/FieldText.h"
#include "tuner/model/Globals.h"

using namespace layout;

namespace {
constexpr const char* kShortNames[kChannelCount] = {"FL", "FR", "SL", "SR", "Center", "ULF", "CH7", "CH8", "CH9", "CH10"};
constexpr int kRoutingHalf = 8;
}  // namespace

const char* CKTV_OutData::ShortName(int index) { return kShortNames[index]; }

CKTV_OutData::CKTV_OutData(int index, LinkGroups* groups)
    : index_(index), groups_(groups), name_(kShortNames[index]), eq_(kIsoBandHz.data(), kBandCount, 0) {}

void CKTV_OutData::Mark(PendingFlag f) { pending_[f] = g_bConnected.load(); }

void CKTV_OutData::ClearAllPending() {
  pending_.fill(0);
  eq_.ClearPending();
}

void CKTV_OutData::CopyChannelBlockToGroup() {
  if (!groups_) return;
  groups_->ForEachOther(index_, [this](CKTV_OutData& other) {
    other.gain_ = gain_;
    other.gainSilent_ = gainSilent_;
    other.StoreEqMode(eqMode_);
    other.reserved_ = reserved_;
    other.Mark(kPendChannel);
  });
}

void CKTV_OutData::CopyLimiterToGroup() {
  if (!groups_) return;
  groups_->ForEachOther(index_, [this](CKTV_OutData& other) {
    other.limiterThreshold_ = limiterThreshold_;
    other.limiterAttack_ = limiterAttack_;
    other.limiterRelease_ = limiterRelease_;
    other.Mark(kPendLimiter);
  });
}

void CKTV_OutData::SetGain(int code) {
  gain_ = code;
  gainSilent_ = code == 0;
  Mark(kPendChannel);
  CopyChannelBlockToGroup();
}

void CKTV_OutData::SetSoundOn(int on) {
  soundOn_ = on;
  Mark(kPendChannel);
}

void CKTV_OutData::SetDelay(int code) {
  delay_ = code;
  Mark(kPendChannel);
}

void CKTV_OutData::SetPhase(int phase) {
  phase_ = phase;
  Mark(kPendChannel);
  CopyChannelBlockToGroup();
}

void CKTV_OutData::StoreEqMode(int mode) {
  eqMode_ = mode;
  eq_.SetGraphicMode(mode);
}

void CKTV_OutData::SetEqMode(int mode) {
  StoreEqMode(mode);
  Mark(kPendChannel);
  CopyChannelBlockToGroup();
}

void CKTV_OutData::SetLimiterThreshold(int code) {
  limiterThreshold_ = code;
  Mark(kPendLimiter);
  CopyLimiterToGroup();
}

void CKTV_OutData::SetLimiterAttack(int code) {
  limiterAttack_ = code;
  Mark(kPendLimiter);
  CopyLimiterToGroup();
}

void CKTV_OutData::SetLimiterRelease(int code) {
  limiterRelease_ = code;
  Mark(kPendLimiter);
  CopyLimiterToGroup();
}

void CKTV_OutData::SetRoutingLevel(int input, int level) {
  assert(input >= 0 && input < static_cast<int>(kRoutingCount));
  routing_[input] = static_cast<uint8_t>(level);
  Mark(input < kRoutingHalf ? kPendRoutingLow : kPendRoutingHigh);
}

void CKTV_OutData::SetName(const std::string& name) {
  name_ = name;
  Mark(kPendName);
}

void CKTV_OutData::ResetEq() {
  for (int b = 0; b < kBandCount; ++b) eq_.Band(b).ResetBand(kIsoBandHz[b]);
}

void CKTV_OutData::PackBand(uint8_t* record, int band) const {
  eq_.Band(band).PackBand(record + band * kBandRecordSize);
}

void CKTV_OutData::PackElement(uint8_t* rec, int element) const {
  switch (element) {
    case kElemChannel:
      rec[kSoundOn] = static_cast<uint8_t>(soundOn_);
      rec[kPhase] = static_cast<uint8_t>(phase_);
      bytes::PutI16(rec + kGain, gainSilent_ ? 0 : gain_);
      bytes::PutI16(rec + kDelay, delay_);
      rec[kEqMode] = static_cast<uint8_t>(eqMode_);
      rec[kReserved] = static_cast<uint8_t>(reserved_);
      break;
    case kElemCrossover:
      eq_.HighPass().PackCrossover(rec + kCrossover);
      eq_.LowPass().PackCrossover(rec + kCrossover + 4);
      break;
    case kElemRoutingLow:
    case kElemRoutingHigh:
      std::memcpy(rec + kRoutingLow, routing_.data(), kRoutingCount);
      break;
    case kElemLimiter:
      std::memset(rec + kElemLimiter * kElementSize, 0, kElementSize);
      bytes::PutI16(rec + kLimiterThreshold, limiterThreshold_);
      rec[kLimiterAttack] = static_cast<uint8_t>(limiterAttack_);
      rec[kLimiterRelease] = static_cast<uint8_t>(limiterRelease_);
      break;
    case kElemName:
      std::memset(rec + kElemName * kElementSize, 0, kChannelName - kElemName * kElementSize);
      fields::WriteStrict(rec + kChannelName, kChannelNameSize, name_);
      break;
    default:
      assert(element >= 0 && element < kBandCount);
      PackBand(rec, element);
      break;
  }
}

void CKTV_OutData::PackAll(uint8_t* rec) const {
  for (int b = 0; b < kBandCount; ++b) PackBand(rec, b);
  for (int e = kElemChannel; e <= kElemName; ++e) PackElement(rec, e);
}

void CKTV_OutData::Apply(const uint8_t* rec) {
  for (int b = 0; b < kBandCount; ++b) eq_.Band(b).ApplyBand(rec + b * kBandRecordSize);
  name_ = fields::ReadFieldWhole(rec + kChannelName, kChannelNameSize);
  eq_.HighPass().ApplyCrossover(rec + kCrossover);
  eq_.LowPass().ApplyCrossover(rec + kCrossover + 4);
  soundOn_ = rec[kSoundOn];
  phase_ = rec[kPhase];
  gain_ = bytes::GetI16(rec + kGain);
  gainSilent_ = gain_ == 0;
  delay_ = bytes::GetI16(rec + kDelay);
  StoreEqMode(rec[kEqMode]);
  reserved_ = rec[kReserved];
  limiterThreshold_ = bytes::GetI16(rec + kLimiterThreshold);
  limiterAttack_ = rec[kLimiterAttack];
  limiterRelease_ = rec[kLimiterRelease];
  std::memcpy(routing_.data(), rec + kRoutingLow, kRoutingCount);
}
