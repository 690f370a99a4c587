#include <gtest/gtest.h>

#include <cstring>

#include "tests/tuner/presets/PresetFixtures.h"

using namespace presets;
using namespace protocol;
using namespace layout;

namespace {

// One queued command as the device would see it, with its batch marks.
struct Queued {
  Command command;
  int progressIndex, lastOfRead, lastOfWrite, closeProgress;
};

std::vector<Command> CommandsOf(const std::vector<Queued>& queued) {
  std::vector<Command> commands;
  for (const Queued& q : queued) commands.push_back(q.command);
  return commands;
}

class SlotBatches : public SlotFixture, public ::testing::Test {
 protected:
  // Takes every queued command off the queue, in order.
  std::vector<Queued> Drain() {
    std::vector<Queued> out;
    while (CSendData* head = engine.Head()) {
      const auto c = ParseCommand(head->data.data(), head->data.size());
      EXPECT_TRUE(c);
      out.push_back({*c, head->progressIndex, head->lastOfRead, head->lastOfWrite, head->closeProgress});
      engine.PopHead();
    }
    return out;
  }

  // Progress indices 0, 1, ... with the last command marked as the end.
  static void ExpectNumbered(const std::vector<Queued>& got, bool write, int range, const BatchStart& start) {
    ASSERT_FALSE(got.empty());
    EXPECT_TRUE(start.queued);
    EXPECT_EQ(start.progressRange, range);
    EXPECT_EQ(got.back().progressIndex, range - 1);
    for (size_t i = 0; i + 1 < got.size(); ++i) EXPECT_EQ(got[i].lastOfRead + got[i].lastOfWrite, 0) << i;
    EXPECT_EQ(got.back().lastOfWrite, write ? 1 : 0);
    EXPECT_EQ(got.back().lastOfRead, write ? 0 : 1);
  }
};

TEST_F(SlotBatches, RecallReadsTheSlotIntoTheLiveRecordsWithEditsHeldBack) {
  ConnectedScope connected(1);
  model.Out(4).SetGain(12);  // marked, not yet sent
  const BatchStart start = ops.RecallSlot(4);
  EXPECT_EQ(g_bConnected, 0);
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), ChannelBlocks(kRead, 4));
  for (const Queued& q : got) EXPECT_EQ(q.command.element, 0) << "target: into the live records";
  ExpectNumbered(got, false, 10, start);
  EXPECT_EQ(model.NextPending().kind, PendingCommand::kStatusPoll);
}

TEST_F(SlotBatches, StoreSlotSendsTheNameThenThePackedLiveChannels) {
  model.SetPresetName(2, "Club");
  model.Out(6).SetDelay(96);  // on the object only until packed
  const BatchStart start = ops.StoreSlot(2);
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), Join({{{kWrite, 2, kSystem, kItemSlotName}}, ChannelBlocks(kWrite, 2)}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(got[0].command.payload.data())), "Club");
  EXPECT_EQ(got[7].command.payload[kDelay], 96);
  EXPECT_EQ(0, std::memcmp(got[7].command.payload.data(), model.Image().ChannelRecord(0, 6), kDeviceChannelSize));
  ExpectNumbered(got, true, 11, start);
}

TEST_F(SlotBatches, StoreIntoLiveSilencesEveryOutputFirstAndRestoresEachOwnValue) {
  model.Image().ChannelRecord(0, 3)[kSoundOn] = 0;  // CH4 was muted by the user
  model.SetPresetName(0, "Loaded");
  const BatchStart start = ops.StoreIntoLive();
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), StoreIntoLiveCommands());
  for (int ch = 0; ch < kChannelCount; ++ch) {
    EXPECT_EQ(got[ch].command.element, kElemChannel);
    EXPECT_EQ(got[ch].command.payload[0], 0) << "silenced " << ch;
    EXPECT_EQ(got[21 + ch].command.payload[0], ch == 3 ? 0 : 1) << "restored " << ch;
    EXPECT_EQ(model.Image().ChannelRecord(0, ch)[kSoundOn], ch == 3 ? 0 : 1);
  }
  ExpectNumbered(got, true, 31, start);
}

TEST_F(SlotBatches, WriteEverythingSendsTheLiveSettingItem64AndEverySlotFromItsStoredRecord) {
  for (int slot = 1; slot <= kSlotCount; ++slot) model.Image().ChannelRecord(slot, 5)[kGain] = static_cast<uint8_t>(slot);
  const BatchStart start = ops.WriteEverything();
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), WriteEverythingCommands());
  EXPECT_EQ(got[20].progressIndex, 0) << "code 64 is not numbered";
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const Queued& ch6 = got[31 + (slot - 1) * 11 + 1 + 5];
    EXPECT_EQ(ch6.command.payload[kGain], slot);
  }
  ExpectNumbered(got, true, 96, start);
}

TEST_F(SlotBatches, BackUpReadsSixtyBlocksIntoTheStoredRecordsAndWaitsForThem) {
  const BatchStart start = ops.BackUpAllSlots((folder / "all.dspa").string());
  EXPECT_TRUE(ops.IsBackUpPending());
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), BackUpCommands());
  for (const Queued& q : got) EXPECT_EQ(q.command.element, kTargetSlot);
  ExpectNumbered(got, false, 60, start);
}

TEST_F(SlotBatches, DeleteSendsOnlyAnEmptyNameAndStillEndsItsBatch) {
  model.SetPresetName(2, "Old");
  const BatchStart start = ops.DeleteSlot(2);
  ASSERT_EQ(engine.Count(), 1);
  // A one-command batch ends on its reply all the same.
  engine.Head()->position = engine.Head()->length;
  FeedReply({kAck, 2, kSystem, kItemSlotName, 0});
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_BATCH_DONE, 0, 0}}));

  ops.DeleteSlot(2);
  const auto got = Drain();
  ExpectCommands(CommandsOf(got), {{kWrite, 2, kSystem, kItemSlotName}});
  EXPECT_EQ(got[0].command.payload, std::vector<uint8_t>(16, 0));
  EXPECT_EQ(model.PresetName(2), "");
  EXPECT_EQ(start.progressRange, 1);
}

TEST_F(SlotBatches, WithoutADeviceEveryOperationShowsTheNoticeAndSendsNothing) {
  linkOpen = false;
  model.SetPresetName(3, "Keep");
  const std::string all = (folder / "all.dspa").string();
  const std::function<bool()> operations[] = {
      [&] { return ops.RecallSlot(1).queued; },      [&] { return ops.StoreSlot(1).queued; },
      [&] { return ops.StoreIntoLive().queued; },    [&] { return ops.WriteEverything().queued; },
      [&] { return ops.BackUpAllSlots(all).queued; }, [&] { return ops.DeleteSlot(3).queued; },
      [&] { return ops.LoadSlot(3).ok; },            [&] { return ops.SaveSlot(3, "New").ok; }};
  for (const auto& op : operations) EXPECT_FALSE(op());
  EXPECT_EQ(shown.shown, std::vector<std::string>(8, "unable to connect"));
  EXPECT_EQ(engine.Count(), 0);
  EXPECT_FALSE(ops.IsBackUpPending());
  EXPECT_EQ(model.PresetName(3), "Keep");
  EXPECT_EQ(model.PresetName(0), "");
  LanguageScope chinese(1);
  ops.RecallSlot(1);
  EXPECT_EQ(shown.shown.back(), "无法连接设备");
}

TEST_F(SlotBatches, SlotNamesFollowTheNameRule) {
  struct Case {
    std::string typed, stored;
    bool ok;
  } cases[] = {{"", "", false},
               {"     ", "", false},
               {"Night drive", "Night drive", true},
               {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO", true}};
  for (const Case& c : cases) {
    model.SetPresetName(3, "");
    model.SetPresetName(0, "");
    shown.shown.clear();
    const PresetOutcome outcome = ops.SaveSlot(3, c.typed);
    EXPECT_EQ(outcome.ok, c.ok) << c.typed;
    EXPECT_EQ(model.PresetName(3), c.stored);
    EXPECT_EQ(model.PresetName(0), c.stored) << "the current name follows the slot";
    EXPECT_EQ(outcome.presetName, c.stored);
    if (!c.ok) {
      EXPECT_EQ(shown.shown, std::vector<std::string>{"The name can not be all spaces!"});
    }
    EXPECT_EQ(Drain().size(), c.ok ? 11u : 0u);
  }
  LanguageScope chinese(1);
  ops.SaveSlot(3, " ");
  EXPECT_EQ(shown.shown.back(), "组名不能全为空格!");
}

TEST_F(SlotBatches, LoadingASlotMakesItsNameTheCurrentName) {
  model.SetPresetName(5, "Concert");
  const PresetOutcome outcome = ops.LoadSlot(5);
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.presetName, "Concert");
  EXPECT_EQ(model.PresetName(0), "Concert");
  ExpectCommands(CommandsOf(Drain()), ChannelBlocks(kRead, 5));
}

TEST_F(SlotBatches, ButtonCaptionsShowNamesOnlyWhileConnected) {
  model.SetPresetName(1, "Rock");
  EXPECT_EQ(SlotCaption(model, 1, true), "Rock");
  EXPECT_EQ(SlotCaption(model, 2, true), "Source2");
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    EXPECT_EQ(SlotCaption(model, slot, false), "Source" + std::to_string(slot));
  }
  LanguageScope chinese(1);
  EXPECT_EQ(SlotCaption(model, 1, false), "音效1");
}

TEST_F(SlotBatches, SlotsOutsideOneToSixQueueNothing) {
  for (int slot : {0, 7, -1}) {
    EXPECT_FALSE(ops.RecallSlot(slot).queued);
    EXPECT_FALSE(ops.StoreSlot(slot).queued);
    EXPECT_FALSE(ops.DeleteSlot(slot).queued);
  }
  EXPECT_EQ(engine.Count(), 0);
}

}  // namespace
