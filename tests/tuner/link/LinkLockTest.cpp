#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/tuner/link/LinkFixtures.h"
#include "tests/tuner/model/ModelFixtures.h"
#include "tuner/model/Bytes.h"

using namespace protocol;

// The user-interface thread edits the model while a pump thread scans it,
// sends and stores acknowledges; both under the link lock. Run under the
// thread sanitizer this shows the locking is complete.
class LinkLock : public EngineTest, public ::testing::Test {};

TEST_F(LinkLock, EditsAndPumpShareTheModelUnderTheLock) {
  ConnectedScope connected(1);
  std::atomic<bool> editing{true};
  int sentDelays = 0;
  std::thread pump([&] {
    const auto ack = SplitIntoReports(BuildReply(ReplyHeader{kAck, 0, kOutput, 0, 0}, nullptr, 0));
    while (editing || sentDelays == 0) {
      LinkGuard hold(engine.Lock());
      CSendData* c = engine.EnqueueNextPending();
      c->position = c->length;
      if (c->data[7] == kOutput && c->data[9] == 31) ++sentDelays;
      engine.FeedReport(ack[0].data());
    }
  });
  for (int i = 1; i <= 2000; ++i) {
    LinkGuard hold(engine.Lock());
    model.Out(i % 10).SetDelay(i % 960);
    model.Out(i % 10).Band(i % 31).SetGainCode(i % 400);
  }
  editing = false;
  pump.join();
  // Drain what is left, then the last edit of every channel is in the image.
  LinkGuard hold(engine.Lock());
  while (model.NextPending().kind != PendingCommand::kStatusPoll) {
  }
  EXPECT_EQ(bytes::GetI16(model.Image().ChannelRecord(0, 0) + 252), 2000 % 960);
  EXPECT_GT(sentDelays, 0);
}
