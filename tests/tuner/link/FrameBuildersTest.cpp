#include <gtest/gtest.h>

#include <cstring>

#include "tests/tuner/link/LinkFixtures.h"
#include "tests/tuner/model/ModelFixtures.h"

using namespace protocol;

class FrameBuilders : public EngineTest, public ::testing::Test {};

TEST_F(FrameBuilders, ElementWriteCarriesTheLiveBlockAndItsChecksum) {
  uint8_t* rec = model.Image().ChannelRecord(0, 2);
  for (int i = 0; i < 8; ++i) rec[48 + i] = static_cast<uint8_t>(0x10 + i);
  auto c = engine.ElementWrite(kOutput, 2, 6);
  ASSERT_TRUE(c);
  ASSERT_EQ(c->length, 24);
  const std::vector<uint8_t> header = {0xA2, 0xA2, 0xA2, 0xA3, 0xB3, 1, 0, 3, 2, 6, 0, 0, 8, 0};
  EXPECT_EQ(std::vector<uint8_t>(c->data.begin(), c->data.begin() + 14), header);
  EXPECT_EQ(0, memcmp(&c->data[14], rec + 48, 8));
  uint8_t x = 0;
  for (int i = 4; i <= 21; ++i) x ^= c->data[i];
  EXPECT_EQ(c->data[22], x);
  EXPECT_EQ(c->data[23], 0xAA);
}

TEST_F(FrameBuilders, LinkFlagOnlyForLinkedChannelsAndLinkableElements) {
  model.Groups().SetGroup(3, 1);  // CH2 and CH4 linked
  struct Case {
    int channel, element, flag;
  } cases[] = {{3, 6, 1}, {1, 32, 1}, {3, 33, 1}, {3, 31, 0}, {3, 34, 0}, {3, 36, 0}, {0, 6, 0}};
  for (const Case& k : cases) EXPECT_EQ(engine.ElementWrite(kOutput, k.channel, k.element)->data[10], k.flag) << k.element;
  EXPECT_EQ(engine.BlockWrite(0, kOutput, 3, true, false)->data[10], 1);
  EXPECT_EQ(engine.BlockWrite(0, kOutput, 0, true, false)->data[10], 0);
}

TEST_F(FrameBuilders, FrameSizesByBlock) {
  EXPECT_EQ(engine.StatusPoll()->length, 24);
  EXPECT_EQ(engine.BlockWrite(0, kMicInput, 0, true, false)->length, 128);
  EXPECT_EQ(engine.BlockWrite(0, kMusicInput, 2, true, false)->length, 128);
  EXPECT_EQ(engine.BlockWrite(0, kOutput, 9, true, false)->length, 312);
  EXPECT_EQ(engine.BlockWrite(0, kEffect, 0, true, false)->length, 112);
  EXPECT_EQ(engine.BlockWrite(25, kEffect, 0, false, false)->length, 112);
  EXPECT_EQ(engine.SystemWrite(kItemSpeakerTypes, 0)->length, 28);
  EXPECT_EQ(engine.SystemWrite(kItemSlotName, 3)->length, 32);
  EXPECT_EQ(engine.SystemWrite(kItemFactoryReset, 0)->length, 23);
  EXPECT_FALSE(engine.ElementWrite(kOutput, 10, 0));
  EXPECT_FALSE(engine.ElementWrite(kOutput, 0, 37));
  EXPECT_FALSE(engine.SystemWrite(kItemIdentification, 0));
}

TEST_F(FrameBuilders, EveryBuiltFrameParsesBack) {
  std::vector<std::unique_ptr<CSendData>> all;
  all.push_back(engine.StatusPoll());
  all.push_back(engine.BlockWrite(4, kOutput, 5, false, true));
  all.push_back(engine.BlockRead(3, kOutput, 9, true));
  all.push_back(engine.SystemRead(kItemIdentification, 0));
  all.push_back(engine.SystemWrite(kItem144, 0));
  for (const auto& c : all) EXPECT_TRUE(ParseCommand(c->data.data(), c->data.size()));
  const auto poll = *ParseCommand(all[0]->data.data(), 24);
  EXPECT_EQ(poll.operation, kRead);
  EXPECT_EQ(poll.type, kSystem);
  EXPECT_EQ(poll.item, kItemStatus);
}

TEST_F(FrameBuilders, BlockWriteSourcesAndReadTargets) {
  model.Image().ChannelRecord(4, 5)[100] = 0x5A;
  auto fromSlot = engine.BlockWrite(4, kOutput, 5, false, true);
  EXPECT_EQ(fromSlot->data[6], 4);
  EXPECT_EQ(fromSlot->data[14 + 100], 0x5A);

  EXPECT_EQ(model.Image().InputRecord(0, 1)[75], 0);
  engine.BlockWrite(2, kMusicInput, 2, true, false);
  EXPECT_EQ(model.Image().InputRecord(0, 1)[75], 1);

  EXPECT_EQ(engine.BlockRead(3, kOutput, 0, true)->data[9], 0);
  EXPECT_EQ(engine.BlockRead(3, kOutput, 0, false)->data[9], 0xAB);
  EXPECT_EQ(engine.BlockRead(0, kOutput, 0, false)->data[9], 0xAB);
}

TEST_F(FrameBuilders, SlotNameWriteIsFifteenCharactersAndAZero) {
  model.SetPresetName(3, "Club");
  auto c = engine.SystemWrite(kItemSlotName, 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&c->data[14]), 16), std::string("Club\0\0\0\0\0\0\0\0\0\0\0\0", 16));
}

TEST_F(FrameBuilders, NextPendingCommandOrStatusPoll) {
  ConnectedScope connected(1);
  EXPECT_EQ(engine.EnqueueNextPending()->data[8], kItemStatus);
  model.Out(6).SetDelay(96);
  CSendData* c = engine.EnqueueNextPending();
  EXPECT_EQ(c->data[7], kOutput);
  EXPECT_EQ(c->data[8], 6);
  EXPECT_EQ(c->data[9], 31);
  EXPECT_EQ(c->data[14 + 4], 96);
  EXPECT_EQ(engine.Count(), 2);
}

TEST_F(FrameBuilders, AddingAnOverTriedCommandShowsDataError) {
  RecordingNotifier notifier;
  auto c = engine.StatusPoll();
  c->attempts = 11;
  engine.Add(std::move(c));
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_EQ(notifier.shown, std::vector<std::string>{"数据错误!"});
}
