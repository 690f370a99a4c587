#include <gtest/gtest.h>

#include <cstring>

#include "tests/tuner/link/LinkFixtures.h"
#include "tuner/model/Bytes.h"

using namespace protocol;

class Receive : public EngineTest, public ::testing::Test {
 protected:
  static ReplyHeader Data(int slot, int type, int item, int target) {
    return ReplyHeader{kData, uint8_t(slot), uint8_t(type), uint8_t(item), uint8_t(target)};
  }
  static ReplyHeader Ack() { return ReplyHeader{kAck, 0, kOutput, 0, 0}; }
};

TEST_F(Receive, OutputBlockSplitOverFiveReportsIsReassembled) {
  AddSent(engine.BlockRead(0, kOutput, 4, false));
  std::vector<uint8_t> payload(296);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7 + 1);
  const auto stream = BuildReply(Data(0, kOutput, 4, kTargetSlot), payload.data(), payload.size());
  ASSERT_EQ(SplitIntoReports(stream).size(), 5u);
  EXPECT_EQ(FeedStream(stream), (std::vector<int>{0, 0, 0, 0, 1}));
  EXPECT_EQ(0, memcmp(model.Image().ChannelRecord(0, 4), payload.data(), 296));
  EXPECT_EQ(engine.Count(), 0);
  EXPECT_TRUE(owner.Posts().empty());  // channel 4 is not the last one
}

TEST_F(Receive, FrameStartRules) {
  auto ack = BuildReply(Ack(), nullptr, 0);  // A2 A2 A2 A3 64 ...
  const std::vector<uint8_t> body(ack.begin() + 4, ack.end());
  struct Case {
    std::vector<uint8_t> prefix;
    int handled;
  } cases[] = {
      {{0xA2, 0xA2, 0xA2, 0xA3}, 1},
      {{0x00, 0xA2, 0xA2, 0xA2, 0x55}, 1},  // any byte after exactly three
      {{0xA2, 0xA2, 0xA2, 0xA2, 0xA3}, 0},
      {{0xEE}, 1},
      {{0xA2, 0xA3}, 0},
  };
  for (const Case& c : cases) {
    engine.ClearQueue();
    AddSent(engine.StatusPoll());
    std::vector<uint8_t> stream = c.prefix;
    stream.insert(stream.end(), body.begin(), body.end());
    EXPECT_EQ(FeedStream(stream).back(), c.handled) << int(c.prefix.size());
    EXPECT_EQ(engine.Count(), 1 - c.handled);
  }
}

TEST_F(Receive, BadChecksumKeepsTheHeadAndThenResynchronises) {
  AddSent(engine.SystemRead(kItem144, 0));
  std::vector<uint8_t> payload = {9, 9, 9, 9, 9, 9, 9, 9};
  auto stream = BuildReply(Data(0, kSystem, kItem144, 0), payload.data(), payload.size());
  stream[stream.size() - 2] ^= 0x01;
  EXPECT_EQ(FeedStream(stream).back(), 0);
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_NE(model.Image().Block144()[0], 9);
  EXPECT_EQ(FeedReply(Data(0, kSystem, kItem144, 0), payload), 1);
  EXPECT_EQ(model.Image().Block144()[0], 9);
  EXPECT_EQ(engine.Count(), 0);
  EXPECT_TRUE(owner.Posts().empty());
}

TEST_F(Receive, AcknowledgeWithAnEmptyQueueDoesNothing) {
  EXPECT_EQ(FeedReply(Ack()), 1);
  EXPECT_EQ(engine.Count(), 0);
  EXPECT_TRUE(owner.Posts().empty());
}

TEST_F(Receive, ResendRequestRewindsTheHead) {
  CSendData* head = AddSent(engine.StatusPoll());
  EXPECT_EQ(FeedReply(ReplyHeader{kResend, 0, kSystem, kItemStatus, 0}), 1);
  EXPECT_EQ(engine.Head(), head);
  EXPECT_EQ(head->position, 0);
}

TEST_F(Receive, StatusPollReportsOneDifferencePerPoll) {
  model.SetMasterVolume(40);
  model.SetMasterSound(1);
  engine.SetReportedSource(0);
  const std::vector<uint8_t> status = {50, 0, 3};
  auto poll = [&] {
    AddSent(engine.StatusPoll());
    EXPECT_EQ(FeedReply(Data(0, kSystem, kItemStatus, 0), status), 1);
  };
  poll();
  engine.SetReportedSource(3);  // what the view's handler does
  poll();
  model.SetMasterVolume(50);
  poll();
  model.SetMasterSound(0);
  poll();
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_STATUS_C, 3, 0}, {WM_LINK_STATUS_A, 50, 0}, {WM_LINK_STATUS_B, 0, 0}}));
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(Receive, NameReplyKeepsThirteenCharactersAndPadsWithSpaces) {
  AddSent(engine.SystemRead(kItemSlotName, 2));
  const std::string name = "ABCDEFGHIJKLMNO";
  EXPECT_EQ(FeedReply(Data(2, kSystem, kItemSlotName, 0), std::vector<uint8_t>(name.begin(), name.end())), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(model.Image().Record(2)), 16), std::string("ABCDEFGHIJKLM  \0", 16));
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_NAME, 2, 0}}));
}

TEST_F(Receive, LastOutputChannelRepliesByTargetAndSlot) {
  struct Case {
    int slot, target;
    int storedInRecord;
    std::vector<Posted> posts;
  } cases[] = {
      {0, kTargetSlot, 0, {{WM_LINK_LIVE_OUTPUTS, 0, 0}}},
      {3, 0, 0, {{WM_LINK_LIVE_OUTPUTS, 3, 0}}},
      {6, kTargetSlot, 6, {{WM_LINK_SLOTS_READ, 6, 0}}},
      {2, kTargetSlot, 2, {}},
  };
  for (const Case& c : cases) {
    RecordingOwner local;
    engine.SetOwner(&local);
    AddSent(engine.BlockRead(c.slot, kOutput, 9, c.target == 0));
    std::vector<uint8_t> payload(296, static_cast<uint8_t>(0x30 + c.slot));
    EXPECT_EQ(FeedReply(Data(c.slot, kOutput, 9, c.target), payload), 1);
    EXPECT_EQ(model.Image().ChannelRecord(c.storedInRecord, 9)[0], 0x30 + c.slot) << c.slot;
    EXPECT_EQ(local.Posts(), c.posts) << c.slot;
  }
  engine.SetOwner(&owner);
}

TEST_F(Receive, EffectRepliesAndIdentification) {
  AddSent(engine.BlockRead(40, kEffect, 0, false));
  EXPECT_EQ(FeedReply(Data(40, kEffect, 0, kTargetSlot), std::vector<uint8_t>(96, 7)), 1);
  EXPECT_EQ(model.Image().EffectSlot(40)[95], 7);
  AddSent(engine.BlockRead(22, kEffect, 0, false));
  EXPECT_EQ(FeedReply(Data(22, kEffect, 0, 0), std::vector<uint8_t>(96, 8)), 1);
  EXPECT_EQ(model.Image().EffectRecord(0)[0], 8);
  const std::string id = "DSD-770-31EQ-V3.0";
  AddSent(engine.SystemRead(kItemIdentification, 0));
  EXPECT_EQ(FeedReply(Data(0, kSystem, kItemIdentification, 0), std::vector<uint8_t>(id.begin(), id.end())), 1);
  EXPECT_EQ(model.Image().IdentificationText(), id);
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_EFFECT_SAVED, 40, 0}, {WM_LINK_EFFECT_LIVE, 22, 0}, {WM_LINK_IDENTITY, 0, 0}}));
}

TEST_F(Receive, OversizedFramesAreDroppedWithoutWritingPastABuffer) {
  const std::vector<uint8_t> before(model.Image().Data(), model.Image().Data() + ParamImage::Size());
  struct Case {
    ReplyHeader header;
    size_t length;
  } cases[] = {
      {Data(0, kOutput, 2, kTargetSlot), 388},       // frame of 401 bytes: beyond the receive buffer
      {Data(0, kOutput, 2, kTargetSlot), 299},       // longer than the channel record
      {Data(0, kSystem, kItem144, 0), 9},            // longer than the system block
      {Data(0, kSystem, kItemIdentification, 0), 18},
      {Data(0, kMicInput, 0, kTargetSlot), 113},
      {Data(0, kOutput, 10, kTargetSlot), 8},        // no such channel
      {Data(25, kOutput, 0, kTargetSlot), 8},        // no such record
  };
  AddSent(engine.StatusPoll());
  for (const Case& c : cases) {
    std::vector<uint8_t> payload(c.length, 0x77);
    EXPECT_EQ(FeedReply(c.header, payload), 0) << c.length;
  }
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), model.Image().Data()));
  EXPECT_EQ(FeedReply(Ack()), 1);  // the stream is back in step
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(Receive, HugeDeclaredLengthInTheHeaderIsDroppedAtOnce) {
  AddSent(engine.StatusPoll());
  std::vector<uint8_t> stream = {0xA2, 0xA2, 0xA2, 0xA3, kData, 1, 0, 3, 0, 0xAB, 0, 0, 0xFF, 0xFF};
  stream.resize(2000, 0x11);
  for (int r : FeedStream(stream)) EXPECT_EQ(r, 0);
  EXPECT_EQ(FeedReply(Ack()), 1);
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(Receive, EmptyDataReplyMeansOldFirmware) {
  AddSent(engine.SystemRead(kItem150, 0));
  EXPECT_EQ(FeedReply(Data(0, kSystem, kItem150, 0)), 1);
  EXPECT_TRUE(engine.IsPaused());
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_OLD_FIRMWARE, 0, 0}}));
}

TEST_F(Receive, UnknownReplyCodeIsHandledOnceAndLeavesTheHead) {
  AddSent(engine.StatusPoll());
  EXPECT_EQ(FeedReply(ReplyHeader{0x70, 0, kSystem, 3, 0}), 1);
  EXPECT_EQ(engine.Count(), 1);
  const std::array<uint8_t, 65> padding{};
  EXPECT_EQ(engine.FeedReport(padding.data()), 0);  // the old frame is not handled again
}

TEST_F(Receive, ReadBatchAdvancesProgressAndEndsBeforeTheLiveMessage) {
  for (int ch = 7; ch <= 9; ++ch) {
    CSendData* c = AddSent(engine.BlockRead(0, kOutput, ch, false));
    c->progressIndex = ch - 7;
    c->lastOfRead = ch == 9;
  }
  const std::vector<uint8_t> payload(296, 1);
  for (int ch = 7; ch <= 9; ++ch) FeedReply(Data(0, kOutput, ch, kTargetSlot), payload);
  EXPECT_EQ(owner.ProgressSeen(), (std::vector<int>{1, 2}));
  EXPECT_EQ(owner.Posts(), (std::vector<Posted>{{WM_LINK_BATCH_DONE, 0, 0}, {WM_LINK_LIVE_OUTPUTS, 0, 0}}));

  CSendData* write = AddSent(engine.BlockWrite(0, kOutput, 1, true, false));
  write->progressIndex = 5;
  write->lastOfWrite = 1;
  CSendData* close = AddSent(engine.StatusPoll());
  close->closeProgress = 1;
  FeedReply(Ack());
  FeedReply(Ack());
  const auto posts = owner.Posts();
  EXPECT_EQ(std::vector<Posted>(posts.begin() + 2, posts.end()),
            (std::vector<Posted>{{WM_LINK_BATCH_DONE, 0, 1}, {WM_LINK_BATCH_DONE, 0, 0}}));
}
