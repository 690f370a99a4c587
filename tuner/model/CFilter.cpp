#include "tuner/model/CFilter.h"

#include <algorithm>
#include <cmath>

#include "tuner/model/Bytes.h"
#include "tuner/model/Globals.h"
#include "tuner/model/ParamImage.h"

namespace {
constexpr int kRecordGainOffset = 400;  // band record gain code = filter gain code + 400
constexpr int kLowPassAppliedHz = 20000;
constexpr int kLowestHz = 20;
}  // namespace

CFilter::CFilter(int type, int frequency, int index, bool isBand)
    : type_(type), frequency_(frequency), index_(index), isBand_(isBand) {
  if (type_ == filters::kLowPass) appliedFrequency_ = kLowPassAppliedHz;
  Recompute();
}

void CFilter::Mark() { pending_ = g_bConnected.load(); }

void CFilter::Recompute() { filters::ComputeResponse(Design(), response_); }

filters::FilterDesign CFilter::Design() const {
  filters::FilterDesign d;
  d.type = type_;
  // Records that were never filled (zero frequency) must still give a
  // finite curve.
  d.frequency = std::max(frequency_, 1);
  d.gain = gain_;
  d.bandwidth = bandwidth_;
  d.crossoverType = crossoverType_;
  d.slope = slope_;
  d.inactive = IsInactive();
  return d;
}

void CFilter::StoreFrequency(int hz, bool mark) {
  if (!mark) {
    frequency_ = appliedFrequency_ = hz;
    return;
  }
  frequency_ = hz;
  // Without a device there is nothing to walk: the applied frequency is what
  // gets packed into files and must not keep a stale value.
  if (!g_bConnected) appliedFrequency_ = hz;
  if (!isBand_ && listener_) listener_(hz);
  if (appliedFrequency_ == 0) appliedFrequency_ = kLowestHz;
  if (frequency_ / appliedFrequency_ < 2) appliedFrequency_ = frequency_;
  Mark();
}

void CFilter::SetFrequency(int hz, bool mark) {
  StoreFrequency(hz, mark);
  Recompute();
}

void CFilter::SetBandwidthIndex(int n) {
  bandwidth_ = n >= 4 ? n * 0.01 + 0.05 : 0.09;
  Mark();
  Recompute();
}

void CFilter::StoreGainCode(int code) {
  gain_ = (code - 200) / 10.0;
  if (gain_ == 0.0) {
    off_ = 1;
  } else {
    off_ = 0;
    bypassed_ = 0;
  }
  Mark();
}

void CFilter::SetGainCode(int code) {
  StoreGainCode(code);
  Recompute();
}

void CFilter::SetOff(int v) {
  const bool wasBypassed = bypassed_ != 0;
  bypassed_ = 0;
  if (gain_ != 0.0 && (wasBypassed || v != off_)) {
    off_ = v;
    if (v == 0) bypassed_ = 0;
  }
  Mark();
  Recompute();
}

void CFilter::Bypass(int v) {
  if (v == 1) {
    savedBypass_ = bypassed_;
    bypassed_ = 1;
  } else {
    bypassed_ = savedBypass_;
  }
  if (!off_) Recompute();
}

void CFilter::SetType(int type, bool mark) {
  type_ = type;
  if (type_ == filters::kLowPass) appliedFrequency_ = kLowPassAppliedHz;
  if (mark) Mark();
  Recompute();
}

void CFilter::SetCrossoverType(int type, bool mark) {
  crossoverType_ = type;
  if (mark) Mark();
  Recompute();
}

void CFilter::SetSlope(int slope, bool mark) {
  slope_ = slope;
  if (mark) Mark();
  Recompute();
}

void CFilter::ResetBand(int hz) {
  frequency_ = appliedFrequency_ = hz;
  bandwidth_ = 0.2;
  gain_ = 0.0;
  off_ = 1;
  Recompute();
}

void CFilter::WalkStep() {
  const int f = frequency_;
  int& fa = appliedFrequency_;
  if (f == fa) {
    pending_ = 0;
    return;
  }
  if (fa > 0 && f / fa >= 2) {
    fa *= 2;
  } else if (fa > 0 && static_cast<double>(f) / fa > 0.5) {
    fa = f;
  } else {
    fa /= 2;
  }
  if (fa <= 0) fa = f;  // a zero applied frequency can never reach the target
  pending_ = 1;
}

int CFilter::GainCode() const {
  if (IsInactive()) return 200;
  return static_cast<int>(std::lround((gain_ + 20) * 10));
}

int CFilter::BandwidthIndex() const { return static_cast<int>((bandwidth_ - 0.05) / 0.01 + 0.05); }

void CFilter::PackBand(uint8_t* rec) const {
  using namespace layout;
  bytes::PutI16(rec + kBandFrequency, appliedFrequency_);
  bytes::PutI16(rec + kBandGain, GainCode() + kRecordGainOffset);
  bytes::PutI16(rec + kBandWidth, BandwidthIndex());
  rec[kBandSlope] = static_cast<uint8_t>(slope_);
  rec[kBandType] = static_cast<uint8_t>(type_);
}

void CFilter::ApplyBand(const uint8_t* rec) {
  using namespace layout;
  StoreGainCode(bytes::GetI16(rec + kBandGain) - kRecordGainOffset);
  const int n = bytes::GetI16(rec + kBandWidth);
  bandwidth_ = n >= 4 ? n * 0.01 + 0.05 : 0.09;
  slope_ = rec[kBandSlope];
  type_ = rec[kBandType];
  StoreFrequency(bytes::GetI16(rec + kBandFrequency), true);
  WalkStep();
  Recompute();
}

void CFilter::PackCrossover(uint8_t* half) const {
  bytes::PutI16(half, appliedFrequency_);
  half[2] = static_cast<uint8_t>(crossoverType_);
  half[3] = static_cast<uint8_t>(slope_);
}

void CFilter::ApplyCrossover(const uint8_t* half) {
  crossoverType_ = half[2];
  slope_ = half[3];
  StoreFrequency(bytes::GetI16(half), true);
  WalkStep();
  Recompute();
}
