// The slot operations against the processor simulator, through the real
// transport and pump, with the owner's side run by the test thread.

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

#include "tests/tuner/link/SimulatorFixture.h"
#include "tests/tuner/presets/PresetFixtures.h"
#include "tuner/model/Bytes.h"

using namespace presets;
using namespace protocol;
using namespace layout;

namespace {

class SlotTransfers : public SimulatorLink {
 protected:
  SlotTransfers() {
    sim->SetCommandObserver([this](const Command& c) {
      if (c.type == kSystem && c.item == kItemStatus) return;  // the idle polling
      std::lock_guard<std::mutex> hold(mutex_);
      commands_.push_back(c);
    });
  }

  void SetUp() override { ASSERT_TRUE(ConnectAndReadBack()); }

  // The commands the simulator handled since the last call, without polls.
  std::vector<Command> TakeCommands() {
    std::lock_guard<std::mutex> hold(mutex_);
    std::vector<Command> taken;
    taken.swap(commands_);
    return taken;
  }

  // Runs the view's side until the batch has ended.
  void FinishBatch(const BatchStart& start) {
    ASSERT_TRUE(start.queued);
    ASSERT_TRUE(RunUntil(WM_LINK_BATCH_DONE));
  }

  // A plausible channel record nobody would mistake for another.
  static std::vector<uint8_t> Pattern(int seed) {
    std::vector<uint8_t> r(kChannelRecordSize);
    FillFactoryChannelRecord(r.data(), seed % kChannelCount);
    bytes::PutI16(&r[kGain], seed % 61);
    bytes::PutI16(&r[kDelay], seed * 3);
    bytes::PutI16(&r[kBandGain], 500 + seed);
    r[kPhase] = seed % 2;
    r.resize(kDeviceChannelSize);
    return r;
  }

  std::vector<uint8_t> LiveRecord(int ch) {
    LinkGuard hold(engine.Lock());
    const uint8_t* r = model.Image().ChannelRecord(0, ch);
    return {r, r + kDeviceChannelSize};
  }

  RecordingNotifier shown;
  ScratchFolder folder;
  SlotOperations ops{engine, [this] { return link.IsConnected(); }};

 private:
  std::mutex mutex_;
  std::vector<Command> commands_;
};

TEST_F(SlotTransfers, LoadingAPresetFileSilencesTheOutputsFirstAndRestoresEachOwnValue) {
  CKTV_Data file;
  file.Out(3).SetSoundOn(0);
  file.Out(1).SetGain(20);
  const std::string path = (folder / "quiet.dsps").string();
  ASSERT_TRUE(WriteFile(path, PresetFormat::kSingle, Encode(PresetFormat::kSingle, file)));
  TakeCommands();

  const PresetOutcome outcome = ops.LoadFile(path);
  EXPECT_EQ(outcome.presetName, "quiet");
  FinishBatch(outcome.batch);
  const std::vector<Command> got = TakeCommands();
  ExpectCommands(got, StoreIntoLiveCommands());
  for (int ch = 0; ch < kChannelCount; ++ch) {
    EXPECT_EQ(got[ch].payload[0], 0) << "silent before the records, CH" << ch + 1;
    EXPECT_EQ(got[11 + ch].payload[kSoundOn], 0) << "the records go out silent";
    EXPECT_EQ(got[21 + ch].payload[0], ch == 3 ? 0 : 1) << "own value after, CH" << ch + 1;
    EXPECT_EQ(sim->ChannelRecord(0, ch), LiveRecord(ch));
  }
  EXPECT_EQ(bytes::GetI16(sim->ChannelRecord(0, 1).data() + kGain), 20);
  EXPECT_TRUE(shown.shown.empty());
}

TEST_F(SlotTransfers, StoredSlotHoldsTheLiveChannelsAndTheName) {
  {
    LinkGuard hold(engine.Lock());
    model.Out(5).SetDelay(240);
  }
  TakeCommands();
  const PresetOutcome outcome = ops.SaveSlot(4, "Evening drive long name");
  EXPECT_EQ(outcome.presetName, "Evening drive l");
  FinishBatch(outcome.batch);
  ExpectCommands(TakeCommands(), Join({{{kWrite, 4, kSystem, kItemSlotName}}, ChannelBlocks(kWrite, 4)}));
  EXPECT_EQ(sim->SlotName(4), "Evening drive l");
  for (int ch = 0; ch < kChannelCount; ++ch) EXPECT_EQ(sim->ChannelRecord(4, ch), LiveRecord(ch)) << ch;
  EXPECT_EQ(bytes::GetI16(sim->ChannelRecord(4, 5).data() + kDelay), 240);
}

TEST_F(SlotTransfers, DeleteKeepsTheSlotsChannelsAndRecallStillReturnsThem) {
  for (int ch = 0; ch < kChannelCount; ++ch) sim->SetChannelRecord(2, ch, Pattern(ch));
  sim->SetSlotName(2, "Old");
  TakeCommands();
  FinishBatch(ops.DeleteSlot(2));
  ExpectCommands(TakeCommands(), {{kWrite, 2, kSystem, kItemSlotName}});
  EXPECT_EQ(sim->SlotName(2), "");

  // Recall: the records arrive in the live image and are applied with
  // g_bConnected held back until then.
  const BatchStart recall = ops.RecallSlot(2);
  EXPECT_EQ(g_bConnected, 0);
  ASSERT_TRUE(recall.queued);
  ASSERT_TRUE(RunUntil(WM_LINK_LIVE_OUTPUTS));
  EXPECT_EQ(g_bConnected, 1);
  ExpectCommands(TakeCommands(), ChannelBlocks(kRead, 2));
  for (int ch = 0; ch < kChannelCount; ++ch) EXPECT_EQ(LiveRecord(ch), Pattern(ch)) << ch;
  LinkGuard hold(engine.Lock());
  EXPECT_EQ(model.Out(4).Gain(), bytes::GetI16(Pattern(4).data() + kGain));
}

TEST_F(SlotTransfers, BackedUpFileEqualsTheSimulatorsSlotsByteForByte) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (int ch = 0; ch < kChannelCount; ++ch) sim->SetChannelRecord(slot, ch, Pattern(slot * 10 + ch));
  }
  const fs::path path = folder / "everything.dspa";
  TakeCommands();
  const BatchStart start = ops.BackUpAllSlots(path.string());
  EXPECT_EQ(start.progressRange, 60);
  ASSERT_TRUE(RunUntil(WM_LINK_SLOTS_READ));
  const PresetOutcome saved = ops.OnSlotsRead();
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.presetName, "everything");
  EXPECT_FALSE(ops.IsBackUpPending());
  ExpectCommands(TakeCommands(), BackUpCommands());

  const std::vector<uint8_t> file = ReadBytes(path);
  ASSERT_EQ(file.size(), kAllFileSize);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (int ch = 0; ch < kChannelCount; ++ch) {
      const size_t at = kAllStoredRecords + (slot - 1) * kPresetRecordSize + kChannelRecords + ch * kChannelRecordSize;
      EXPECT_EQ(std::vector<uint8_t>(file.begin() + at, file.begin() + at + kDeviceChannelSize), sim->ChannelRecord(slot, ch))
          << "slot " << slot << " CH" << ch + 1;
    }
  }
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + kAllSystemHead, file.begin() + kAllStoredRecords), sim->SystemHead());
}

TEST_F(SlotTransfers, AnAllPresetsFileWritesTheLiveSettingAndEverySlot) {
  CKTV_Data source;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    source.SetPresetName(slot, "Slot " + std::to_string(slot));
    for (int ch = 0; ch < kChannelCount; ++ch) {
      const std::vector<uint8_t> p = Pattern(slot * 10 + ch);
      std::memcpy(source.Image().ChannelRecord(slot, ch), p.data(), p.size());
    }
  }
  source.Out(0).SetGain(7);
  const std::string path = (folder / "full.dspa").string();
  ASSERT_TRUE(WriteFile(path, PresetFormat::kAll, Encode(PresetFormat::kAll, source)));
  TakeCommands();

  const PresetOutcome outcome = ops.LoadFile(path);
  FinishBatch(outcome.batch);
  EXPECT_EQ(outcome.batch.progressRange, 96);
  ExpectCommands(TakeCommands(), WriteEverythingCommands());
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    EXPECT_EQ(sim->SlotName(slot), "Slot " + std::to_string(slot));
    for (int ch = 0; ch < kChannelCount; ++ch) EXPECT_EQ(sim->ChannelRecord(slot, ch), Pattern(slot * 10 + ch));
  }
  EXPECT_EQ(bytes::GetI16(sim->ChannelRecord(0, 0).data() + kGain), 7);
  EXPECT_EQ(sim->ChannelRecord(0, 9)[kSoundOn], 1);
}

}  // namespace
