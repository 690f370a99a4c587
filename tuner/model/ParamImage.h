#pragma once
// The byte-exact image of the processor's parameter storage. Every command
// payload is cut from it and every reply is stored into it; preset files and
// slot transfers copy its records.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace layout {

// System area (offsets from the start of the image).
constexpr size_t kBlock144 = 0, kBlock144Size = 8;
constexpr size_t kSpeakerTypes = 8, kSpeakerTypesSize = 12;
constexpr size_t kBlock150 = 32, kBlock150Size = 8;
constexpr size_t kSystemHeadSize = 32;  // 144, speaker types and the 12 bytes after them
constexpr size_t kIdentification = 48, kIdentificationSize = 17;
constexpr size_t kListeningDelays = 90, kListeningDelaysSize = 50;
constexpr size_t kBlock64 = 140, kBlock64Size = 8;

// Fields of system block 144 and 150.
constexpr size_t kSysSource = 0, kSysControlDelay = 1, kSysMasterVolume = 2, kSysMasterSound = 5;
constexpr size_t kSys150NoiseGate = 3;

// PresetRecord.
constexpr size_t kPresetRecordSize = 3388;
constexpr size_t kPresetName = 0, kNameFieldSize = 16, kPresetSecondName = 16;
constexpr size_t kEffectRecord = 32, kEffectRecordSize = 152;
constexpr size_t kMicRecord = 184, kMusicRecord = 296, kInputRecordSize = 112;
constexpr size_t kChannelRecords = 408;
constexpr size_t kSavedMarkByte = 371;  // set to 1 before a record is saved to a file
constexpr int kChannelCount = 10;
constexpr int kInputCount = 2;  // 0 microphone, 1 music

// ChannelRecord (298 bytes, the device's record is the first 296).
constexpr size_t kChannelRecordSize = 298, kDeviceChannelSize = 296;
constexpr size_t kElementSize = 8;
constexpr int kBandCount = 31;
constexpr size_t kBandRecordSize = 8;
constexpr size_t kSoundOn = 248, kPhase = 249, kGain = 250, kDelay = 252, kEqMode = 254, kReserved = 255;
constexpr size_t kCrossover = 256, kRoutingLow = 264, kRoutingHigh = 272, kRoutingCount = 16;
constexpr size_t kLimiterThreshold = 282, kLimiterAttack = 284, kLimiterRelease = 285;
constexpr size_t kChannelName = 290, kChannelNameSize = 8;
// Element (8-byte block) numbers of a channel record.
constexpr int kElemChannel = 31, kElemCrossover = 32, kElemRoutingLow = 33, kElemRoutingHigh = 34,
              kElemLimiter = 35, kElemName = 36;

// BandRecord.
constexpr size_t kBandFrequency = 0, kBandGain = 2, kBandWidth = 4, kBandSlope = 6, kBandType = 7;

// Input record (microphone, music) and effect record.
constexpr int kInputBandCount = 9;
constexpr size_t kInputCrossover = 80, kInputName = 104, kInputNameSize = 8;
constexpr int kEffectBandCapacity = 15, kEffectBandCount = 3;
constexpr size_t kEffectCrossover = 120, kEffectName = 144, kEffectNameSize = 8;
constexpr size_t kEffectDeviceBlockSize = 96;

// Stored records and the effect records addressed as slots 21..40.
constexpr int kStoredRecordCount = 20;
constexpr int kFirstEffectSlot = 21, kLastEffectSlot = 40;
constexpr size_t kEffectSlotSize = 168;

constexpr size_t kCurrentRecord = 160;
constexpr size_t kStoredRecords = kCurrentRecord + kPresetRecordSize;
constexpr size_t kEffectSlots = kStoredRecords + kStoredRecordCount * kPresetRecordSize;
constexpr size_t kImageSize = kEffectSlots + (kLastEffectSlot - kFirstEffectSlot + 1) * kEffectSlotSize;

}  // namespace layout

class ParamImage {
 public:
  ParamImage();  // factory defaults

  uint8_t* Data() { return bytes_.data(); }
  const uint8_t* Data() const { return bytes_.data(); }
  static constexpr size_t Size() { return layout::kImageSize; }

  uint8_t* SystemHead() { return At(0); }
  uint8_t* Block144() { return At(layout::kBlock144); }
  uint8_t* SpeakerTypes() { return At(layout::kSpeakerTypes); }
  uint8_t* Block150() { return At(layout::kBlock150); }
  uint8_t* Identification() { return At(layout::kIdentification); }
  uint8_t* ListeningDelays() { return At(layout::kListeningDelays); }
  uint8_t* Block64() { return At(layout::kBlock64); }
  const uint8_t* Block144() const { return At(layout::kBlock144); }
  const uint8_t* SpeakerTypes() const { return At(layout::kSpeakerTypes); }
  const uint8_t* Identification() const { return At(layout::kIdentification); }

  // slot 0 is the current record, 1..20 the stored records.
  uint8_t* Record(int slot) { return At(RecordOffset(slot)); }
  const uint8_t* Record(int slot) const { return At(RecordOffset(slot)); }
  uint8_t* ChannelRecord(int slot, int channel) { return At(ChannelOffset(slot, channel)); }
  const uint8_t* ChannelRecord(int slot, int channel) const { return At(ChannelOffset(slot, channel)); }
  // input 0 is the microphone record, 1 the music record.
  uint8_t* InputRecord(int slot, int input) { return At(InputOffset(slot, input)); }
  uint8_t* EffectRecord(int slot) { return At(RecordOffset(slot) + layout::kEffectRecord); }
  // number 21..40: the 168-byte effect records.
  uint8_t* EffectSlot(int number) { return At(EffectSlotOffset(number)); }

  // Identification as text, up to its first zero byte.
  std::string IdentificationText() const;

  // The whole image back to its state at program start.
  void FillFactoryDefaults();

  static bool IsRecordSlot(int slot) { return slot >= 0 && slot <= layout::kStoredRecordCount; }
  static bool IsEffectSlot(int n) { return n >= layout::kFirstEffectSlot && n <= layout::kLastEffectSlot; }

 private:
  uint8_t* At(size_t offset) { return bytes_.data() + offset; }
  const uint8_t* At(size_t offset) const { return bytes_.data() + offset; }
  static size_t RecordOffset(int slot);
  static size_t ChannelOffset(int slot, int channel);
  static size_t InputOffset(int slot, int input);
  static size_t EffectSlotOffset(int number);

  std::array<uint8_t, layout::kImageSize> bytes_{};
};

// Factory defaults of one output channel record (channel 0..9).
void FillFactoryChannelRecord(uint8_t* record, int channel);

// Band frequencies of the factory record and the ISO centres a reset uses.
extern const std::array<int, layout::kBandCount> kFactoryBandHz;
extern const std::array<int, layout::kBandCount> kIsoBandHz;
