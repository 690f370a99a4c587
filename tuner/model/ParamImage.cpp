#include "tuner/model/ParamImage.h"

#include <cassert>
#include <cstring>

#include "tuner/model/Bytes.h"

using namespace layout;

const std::array<int, kBandCount> kFactoryBandHz = {
    20,   26,   33,   41,   51,   62,   81,   101,  124,  161,   201,   251,   316,   401,   501,  631,
    801,  1001, 1251, 1601, 2001, 2501, 3151, 4001, 5001, 6299, 8001, 10001, 12501, 16001, 20000};

const std::array<int, kBandCount> kIsoBandHz = {
    20,  25,   32,   40,   50,   63,   80,   100,  125,  160,   200,   250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

namespace {

constexpr uint8_t kFactorySpeakerTypes[kSpeakerTypesSize] = {1, 7, 2, 8, 3, 9, 15, 18, 21, 24, 0, 0};
constexpr int kFactoryBandwidthIndex = 27;  // 0.32 octave
constexpr int kGainCodeZeroDb = 600;
constexpr int kBessel = 1, kSlope24 = 3;

void FillBlankName(uint8_t* field) {
  std::memset(field, ' ', kNameFieldSize - 1);
  field[kNameFieldSize - 1] = 0;
}

}  // namespace

void FillFactoryChannelRecord(uint8_t* rec, int channel) {
  std::memset(rec, 0, kChannelRecordSize);
  for (int b = 0; b < kBandCount; ++b) {
    uint8_t* band = rec + b * kBandRecordSize;
    bytes::PutI16(band + kBandFrequency, kFactoryBandHz[b]);
    bytes::PutI16(band + kBandGain, kGainCodeZeroDb);
    bytes::PutI16(band + kBandWidth, kFactoryBandwidthIndex);
  }
  rec[kSoundOn] = 1;
  bytes::PutI16(rec + kGain, 60);
  uint8_t* xo = rec + kCrossover;
  bytes::PutI16(xo, 20);
  xo[2] = kBessel;
  xo[3] = kSlope24;
  bytes::PutI16(xo + 4, 20000);
  xo[6] = kBessel;
  xo[7] = kSlope24;
  bytes::PutI16(rec + kLimiterThreshold, 360);
  rec[kLimiterAttack] = 106;
  rec[kLimiterRelease] = 5;
  // CHk takes input k; CH7..CH10 take inputs 1..4; odd channels add 7, 9, 11,
  // 13 and even channels 8, 10, 12, 14 (inputs counted from 1).
  uint8_t* routing = rec + kRoutingLow;
  routing[channel < 6 ? channel : channel - 6] = 100;
  for (int k = 0; k < 4; ++k) routing[6 + (channel % 2) + 2 * k] = 100;
  std::memset(rec + kChannelName, ' ', 7);
  rec[kChannelName + 7] = 0;
}

ParamImage::ParamImage() { FillFactoryDefaults(); }

void ParamImage::FillFactoryDefaults() {
  bytes_.fill(0);
  uint8_t* sys = Block144();
  bytes::PutI16(sys + kSysMasterVolume, 60);
  sys[kSysMasterSound] = 1;
  std::memcpy(SpeakerTypes(), kFactorySpeakerTypes, kSpeakerTypesSize);
  for (int slot = 0; slot <= kStoredRecordCount; ++slot) {
    FillBlankName(Record(slot) + kPresetName);
    if (slot > 0) FillBlankName(Record(slot) + kPresetSecondName);
  }
  for (int ch = 0; ch < kChannelCount; ++ch) FillFactoryChannelRecord(ChannelRecord(0, ch), ch);
}

std::string ParamImage::IdentificationText() const {
  const char* id = reinterpret_cast<const char*>(Identification());
  return std::string(id, strnlen(id, kIdentificationSize));
}

size_t ParamImage::RecordOffset(int slot) {
  assert(IsRecordSlot(slot));
  return slot == 0 ? kCurrentRecord : kStoredRecords + (slot - 1) * kPresetRecordSize;
}

size_t ParamImage::ChannelOffset(int slot, int channel) {
  assert(channel >= 0 && channel < kChannelCount);
  return RecordOffset(slot) + kChannelRecords + channel * kChannelRecordSize;
}

size_t ParamImage::InputOffset(int slot, int input) {
  assert(input >= 0 && input < kInputCount);
  return RecordOffset(slot) + (input == 0 ? kMicRecord : kMusicRecord);
}

size_t ParamImage::EffectSlotOffset(int number) {
  assert(IsEffectSlot(number));
  return kEffectSlots + (number - kFirstEffectSlot) * kEffectSlotSize;
}
