#include "tuner/model/CarriedRecords.h"

#include <cstring>

#include "tuner/model/FieldText.h"
#include "tuner/model/ParamImage.h"

using namespace layout;

namespace {
constexpr int kEffectBandHz[kEffectBandCount] = {100, 1000, 10000};
constexpr int kInputBandHz[kInputBandCount] = {40, 80, 160, 317, 632, 1261, 2515, 5018, 10000};
}  // namespace

CRecordData::CRecordData(size_t size, const int* bandHz, int bandCount, size_t crossover, size_t name,
                         size_t nameSize)
    : raw_(size, 0), eq_(bandHz, bandCount, 0), crossover_(crossover), nameOffset_(name), nameSize_(nameSize) {}

void CRecordData::Apply(const uint8_t* rec) {
  std::memcpy(raw_.data(), rec, raw_.size());
  for (int b = 0; b < eq_.BandCount(); ++b) eq_.Band(b).ApplyBand(rec + b * kBandRecordSize);
  eq_.HighPass().ApplyCrossover(rec + crossover_);
  eq_.LowPass().ApplyCrossover(rec + crossover_ + 4);
  name_ = fields::ReadFieldWhole(rec + nameOffset_, nameSize_);
}

void CRecordData::Pack(uint8_t* rec) const {
  std::memcpy(rec, raw_.data(), raw_.size());
  for (int b = 0; b < eq_.BandCount(); ++b) eq_.Band(b).PackBand(rec + b * kBandRecordSize);
  eq_.HighPass().PackCrossover(rec + crossover_);
  eq_.LowPass().PackCrossover(rec + crossover_ + 4);
  fields::WriteCut(rec + nameOffset_, nameSize_, name_);
}

CEffect_Data::CEffect_Data()
    : CRecordData(kEffectRecordSize, kEffectBandHz, kEffectBandCount, kEffectCrossover, kEffectName, kEffectNameSize) {}

CMIC_InData::CMIC_InData()
    : CRecordData(kInputRecordSize, kInputBandHz, kInputBandCount, kInputCrossover, kInputName, kInputNameSize) {}

CMusic_InData::CMusic_InData()
    : CRecordData(kInputRecordSize, kInputBandHz, kInputBandCount, kInputCrossover, kInputName, kInputNameSize) {}
