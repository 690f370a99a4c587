#include <gtest/gtest.h>

#include <cstring>

#include "tests/tuner/presets/PresetFixtures.h"
#include "tuner/model/Bytes.h"

using namespace presets;
using namespace layout;

namespace {

class PresetFiles : public SlotFixture, public ::testing::Test {
 protected:
  PresetFiles() { linkOpen = false; }

  // Edits that reach every part of an all-presets file.
  void MakeDistinctive(CKTV_Data& m) {
    m.Out(2).SetGain(33);
    m.Out(7).SetDelay(480);
    m.Out(0).Band(4).SetGainCode(335);
    m.SetPresetName(0, "Live one");
    m.SetMasterVolume(42);
    m.SetSpeakerType(9, 5);
    ParamImage& image = m.Image();
    for (int slot = 1; slot <= kStoredRecordCount; ++slot) {
      m.SetPresetName(slot, "Stored " + std::to_string(slot));
      image.ChannelRecord(slot, slot % kChannelCount)[kGain] = static_cast<uint8_t>(slot);
    }
    bytes::PutI16(image.ListeningDelays() + 14, 123);
    image.ListeningDelays()[kListeningPositionByte] = 2;
  }

  std::vector<uint8_t> ImageBytes() const { return {model.Image().Data(), model.Image().Data() + ParamImage::Size()}; }
};

const PresetFormat kFormats[] = {PresetFormat::kSingle, PresetFormat::kAll};

TEST_F(PresetFiles, DefaultFilesHaveTheirSizesHeaderAndRecordsAtKnownOffsets) {
  const std::vector<uint8_t> single = Encode(PresetFormat::kSingle, model);
  ASSERT_EQ(single.size(), 3404u);
  EXPECT_EQ(single[0], 15);
  EXPECT_EQ(std::string(single.begin() + 1, single.begin() + 16), "DSP-330-PRO-1.0");
  // The current record at 16: CH1's first band at 20 Hz, 0 dB; sound on, gain 60.
  const size_t ch1 = 16 + kChannelRecords;
  EXPECT_EQ(bytes::GetI16(&single[ch1]), 20);
  EXPECT_EQ(bytes::GetI16(&single[ch1 + 2]), 600);
  EXPECT_EQ(single[ch1 + kSoundOn], 1);
  EXPECT_EQ(bytes::GetI16(&single[ch1 + kGain]), 60);
  EXPECT_EQ(single[16 + kSavedMarkByte], 1);

  const std::vector<uint8_t> all = Encode(PresetFormat::kAll, model);
  ASSERT_EQ(all.size(), 71246u);
  EXPECT_EQ(0, std::memcmp(all.data(), single.data(), 16));
  EXPECT_EQ(bytes::GetI16(&all[kAllSystemHead + kSysMasterVolume]), 60);
  EXPECT_EQ(all[kAllSystemHead + kSpeakerTypes + 9], 24);  // CH10's default speaker type
  for (int slot = 1; slot <= kStoredRecordCount; ++slot) {
    EXPECT_EQ(all[kAllStoredRecords + (slot - 1) * kPresetRecordSize + kSavedMarkByte], 1) << slot;
  }
  EXPECT_EQ(0, std::memcmp(&all[kAllCurrentRecord], &single[16], kPresetRecordSize));
  EXPECT_EQ(kAllListeningDelays + kListeningDelaysSize, all.size());
}

TEST_F(PresetFiles, SaveThenLoadRestoresEveryByteAndTheObjects) {
  MakeDistinctive(model);
  for (PresetFormat format : kFormats) {
    SCOPED_TRACE(Extension(format));
    const fs::path path = folder / (std::string("bass.") + Extension(format));
    if (format == PresetFormat::kSingle) {
      EXPECT_TRUE(ops.SaveCurrentPreset(path.string()).ok);
    } else {
      ASSERT_TRUE(WriteFile(path.string(), format, Encode(format, model)));
    }
    const std::vector<uint8_t> saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), FileSize(format));

    CKTV_Data fresh;
    CKTVCommand freshEngine(fresh);
    SlotOperations freshOps(freshEngine, [] { return false; });
    const PresetOutcome outcome = freshOps.LoadFile(path.string());
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.presetName, "bass");
    EXPECT_EQ(fresh.Out(2).Gain(), 33);
    EXPECT_EQ(fresh.Out(7).Delay(), 480);
    EXPECT_EQ(fresh.Out(0).Band(4).GainCode(), 335);
    EXPECT_EQ(fresh.PresetName(0), "Live one");
    EXPECT_EQ(Encode(format, fresh), saved);
    // The single format carries the current record only.
    EXPECT_EQ(fresh.MasterVolume(), format == PresetFormat::kAll ? 42 : 60);
    EXPECT_EQ(fresh.PresetName(3), format == PresetFormat::kAll ? "Stored 3" : "");
  }
  // Loading sends, so without a device the notice follows each load.
  EXPECT_EQ(shown.shown, std::vector<std::string>(2, "unable to connect"));
}

TEST_F(PresetFiles, SavingOverwritesTheOldFileAndLeavesNoTemporaryBehind) {
  const fs::path path = folder / "bass.dsps";
  WriteBytes(path, std::vector<uint8_t>(10, 0xEE));
  ASSERT_TRUE(ops.SaveCurrentPreset(path.string()).ok);
  EXPECT_EQ(ReadBytes(path).size(), kSingleFileSize);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"bass.dsps"});
}

TEST_F(PresetFiles, AFailedSaveKeepsTheOldFileAndShowsTheFormatsMessage) {
  // The temporary name beside a 250-character name is too long for the file
  // system, so the save fails before the old file could be touched.
  const fs::path longName = folder / (std::string(245, 'p') + ".dsps");
  const std::vector<uint8_t> old(100, 0x5A);
  WriteBytes(longName, old);
  EXPECT_FALSE(ops.SaveCurrentPreset(longName.string()).ok);
  EXPECT_EQ(ReadBytes(longName), old);

  // A folder in the way: the temporary is written, the rename fails.
  const fs::path busy = folder / "busy.dspa";
  fs::create_directories(busy / "inside");
  EXPECT_FALSE(WriteFile(busy.string(), PresetFormat::kAll, Encode(PresetFormat::kAll, model)));
  EXPECT_TRUE(fs::is_directory(busy / "inside"));
  EXPECT_EQ(folder.Names().size(), 2u);  // no temporary left behind
  EXPECT_EQ(shown.shown, (std::vector<std::string>{"Save MusicFile Error!", "save File Error!"}));
}

TEST_F(PresetFiles, MessagesInBothLanguages) {
  struct Case {
    PresetFormat format;
    int chinese;
    const char *load, *save;
  } cases[] = {{PresetFormat::kSingle, 0, "error for file!", "Save MusicFile Error!"},
               {PresetFormat::kSingle, 1, "文件错误!", "保存音乐文件错误!"},
               {PresetFormat::kAll, 0, "Read all MusicFile Error", "save File Error!"},
               {PresetFormat::kAll, 1, "读所有音乐文件错误!", "保存文件错误!"}};
  for (const Case& c : cases) {
    LanguageScope language(c.chinese);
    shown.shown.clear();
    ShowLoadError(c.format);
    ShowSaveError(c.format);
    EXPECT_EQ(shown.shown, (std::vector<std::string>{c.load, c.save}));
  }
}

TEST_F(PresetFiles, AWrongHeaderInAnyCharacterIsRefusedAndChangesNothing) {
  MakeDistinctive(model);
  const std::vector<uint8_t> before = ImageBytes();
  CKTV_Data other;
  for (PresetFormat format : kFormats) {
    const std::vector<uint8_t> good = Encode(format, other);
    for (size_t i = 0; i < kHeaderSize; ++i) {
      std::vector<uint8_t> bad = good;
      bad[i] ^= 0x20;
      const fs::path path = folder / (std::string("bad.") + Extension(format));
      WriteBytes(path, bad);
      shown.shown.clear();
      EXPECT_FALSE(ops.LoadFile(path.string()).ok) << i;
      ASSERT_EQ(shown.shown.size(), 1u);
      EXPECT_EQ(shown.shown[0], format == PresetFormat::kSingle ? "error for file!" : "Read all MusicFile Error");
    }
  }
  EXPECT_EQ(ImageBytes(), before);
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(PresetFiles, ATruncatedOrMissingFileIsRefusedWithTheImageUnchanged) {
  MakeDistinctive(model);
  const std::vector<uint8_t> before = ImageBytes();
  CKTV_Data other;
  other.Out(1).SetGain(5);
  for (PresetFormat format : kFormats) {
    const std::vector<uint8_t> good = Encode(format, other);
    const fs::path path = folder / (std::string("cut.") + Extension(format));
    for (size_t size : {size_t{0}, size_t{15}, size_t{16}, size_t{3000}, good.size() - 1}) {
      WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + std::min(size, good.size())));
      EXPECT_FALSE(ops.LoadFile(path.string()).ok) << size;
    }
    fs::remove(path);
    EXPECT_FALSE(ops.LoadFile(path.string()).ok);
    EXPECT_FALSE(ops.LoadFile(folder.Path().string() + "/.").ok);  // no extension: nothing at all
  }
  EXPECT_EQ(ImageBytes(), before);
  EXPECT_EQ(model.Out(1).Gain(), 60);
  EXPECT_EQ(shown.shown.size(), 12u);  // 2 x (5 truncated + 1 missing), none for the folder
}

TEST_F(PresetFiles, LoadingAllPresetsLimitsTheListeningPositionToThree) {
  CKTV_Data other;
  other.Image().ListeningDelays()[kListeningPositionByte] = 7;
  const fs::path path = folder / "all.dspa";
  WriteBytes(path, Encode(PresetFormat::kAll, other));
  ASSERT_TRUE(ops.LoadFile(path.string()).ok);
  EXPECT_EQ(model.Image().ListeningDelays()[kListeningPositionByte], 3);
}

TEST_F(PresetFiles, LoadingNeverAppliesTheFilesEffectRecord) {
  CKTV_Data other;
  other.Image().EffectRecord(0)[0] = 77;  // first effect band's frequency
  const fs::path path = folder / "fx.dsps";
  WriteBytes(path, Encode(PresetFormat::kSingle, other));
  const int before = model.Effect().Filters().Band(0).Frequency();
  ASSERT_TRUE(ops.LoadFile(path.string()).ok);
  EXPECT_EQ(model.Effect().Filters().Band(0).Frequency(), before);
}

TEST(PresetPaths, FormatExtensionAndTitle) {
  struct Case {
    const char* path;
    int format;  // -1 none, 0 single, 1 all
  } cases[] = {{"/x/bass.dsps", 0}, {"bass.dspa", 1}, {"bass.DSPS", -1}, {"bass.dsps.bak", -1},
               {"bass", -1},        {"a.dsps/b", -1}, {"bass.", -1}};
  for (const Case& c : cases) {
    const auto f = FormatOfPath(c.path);
    EXPECT_EQ(f ? static_cast<int>(*f) : -1, c.format) << c.path;
  }
  EXPECT_EQ(WithExtension("bass", PresetFormat::kSingle), "bass.dsps");
  EXPECT_EQ(WithExtension("bass.dsps", PresetFormat::kSingle), "bass.dsps");
  EXPECT_EQ(WithExtension("bass.dsps", PresetFormat::kAll), "bass.dsps.dspa");
  EXPECT_EQ(FileTitle("/home/u/A very long preset title.dsps"), "A very long p");
  EXPECT_EQ(FileTitle("short.dspa"), "short");
}

}  // namespace
