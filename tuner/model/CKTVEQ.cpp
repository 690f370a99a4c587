#include "tuner/model/CKTVEQ.h"

#include <cassert>

namespace {
constexpr int kCrossoverIndex = 32;
}

CKTVEQ::CKTVEQ(const int* bandHz, int bandCount, int speakerClass) {
  filters_.reserve(bandCount + 2);
  for (int i = 0; i < bandCount; ++i) filters_.emplace_back(filters::kPeaking, bandHz[i], i, true);
  filters_.emplace_back(filters::kHighPass, 20, kCrossoverIndex, false);
  filters_.emplace_back(filters::kLowPass, 20000, kCrossoverIndex, false);
  HighPass().SetSpeakerClass(speakerClass);
  LowPass().SetSpeakerClass(speakerClass);
}

CFilter& CKTVEQ::Filter(int i) {
  assert(i >= 0 && i < Count());
  return filters_[i];
}
const CFilter& CKTVEQ::Filter(int i) const {
  assert(i >= 0 && i < Count());
  return filters_[i];
}
CFilter& CKTVEQ::Band(int i) {
  assert(i >= 0 && i < BandCount());
  return filters_[i];
}
const CFilter& CKTVEQ::Band(int i) const {
  assert(i >= 0 && i < BandCount());
  return filters_[i];
}
CFilter& CKTVEQ::HighPass() {
  assert(filters_[Count() - 2].Type() == filters::kHighPass);
  return filters_[Count() - 2];
}
CFilter& CKTVEQ::LowPass() {
  assert(filters_[Count() - 1].Type() == filters::kLowPass);
  return filters_[Count() - 1];
}
const CFilter& CKTVEQ::HighPass() const { return const_cast<CKTVEQ*>(this)->HighPass(); }
const CFilter& CKTVEQ::LowPass() const { return const_cast<CKTVEQ*>(this)->LowPass(); }

double CKTVEQ::SumAt(int gridIndex) const {
  double sum = 0.0;
  for (const CFilter& f : filters_) sum += f.Response()[gridIndex];
  return sum;
}

void CKTVEQ::Sum(filters::Response& out) const {
  for (int i = 0; i < filters::kGridPoints; ++i) out[i] = SumAt(i);
}

void CKTVEQ::SetGraphicMode(int on) {
  for (CFilter& f : filters_) f.SetGraphicMode(on);
}

void CKTVEQ::Bypass(int v) {
  for (int i = 0; i < BandCount(); ++i) filters_[i].Bypass(v);
}

bool CKTVEQ::AnyBandPending() const {
  for (int i = 0; i < BandCount(); ++i) {
    if (filters_[i].IsPending()) return true;
  }
  return false;
}

void CKTVEQ::ClearPending() {
  for (CFilter& f : filters_) f.ClearPending();
}
