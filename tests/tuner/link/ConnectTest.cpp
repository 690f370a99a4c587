#include <algorithm>
#include <cstring>

#include "tests/tuner/link/SimulatorFixture.h"
#include "tuner/link/HidapiBackend.h"
#include "tuner/model/Bytes.h"

using namespace std::chrono_literals;

namespace {
std::vector<int> Range(int from, int to) {
  std::vector<int> r;
  for (int i = from; i <= to; ++i) r.push_back(i);
  return r;
}
}  // namespace

TEST_F(SimulatorLink, ConnectReadsTheWholeLiveSettingsBack) {
  std::vector<uint8_t> record = sim->ChannelRecord(0, 3);
  bytes::PutI16(record.data() + 8 * 4 + 2, 650);  // band 5 at +5 dB
  bytes::PutI16(record.data() + 252, 240);          // 5 ms delay
  sim->SetChannelRecord(0, 3, record);
  sim->SetSlotName(2, "Concert");
  sim->SetStatus(44, 1, 2);

  ASSERT_TRUE(ConnectAndReadBack());
  // Identification first, six names among the batch, the batch done before the live settings.
  EXPECT_EQ(seen.front(), WM_LINK_IDENTITY);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_LINK_NAME), 6);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[seen.size() - 2], WM_LINK_BATCH_DONE);
  EXPECT_EQ(events.TakeProgress(), Range(1, 18));
  EXPECT_EQ(link.ProgressRange(), 18);
  EXPECT_EQ(g_bConnected, 1);
  EXPECT_FALSE(link.IsBatchRunning());

  LinkGuard hold(engine.Lock());
  for (int ch = 0; ch < 10; ++ch) {
    const uint8_t* mine = model.Image().ChannelRecord(0, ch);
    EXPECT_EQ(std::vector<uint8_t>(mine, mine + 296), sim->ChannelRecord(0, ch)) << ch;
  }
  EXPECT_EQ(sim->SystemHead(), std::vector<uint8_t>(model.Image().Data(), model.Image().Data() + 32));
  EXPECT_DOUBLE_EQ(model.Out(3).Band(4).Gain(), 5.0);
  EXPECT_EQ(model.Out(3).Delay(), 240);
  EXPECT_EQ(model.PresetName(2), "Concert");
  EXPECT_EQ(model.MasterVolume(), 44);
}

TEST_F(SimulatorLink, IdentificationComparesFifteenCharacters) {
  struct Case {
    const char* identity;
    bool accepted;
  } cases[] = {{"DSD-770-31EQ-V3.9", true}, {"DSD-770-31EQ-V4.0", false}, {"XSD-770-31EQ-V3.0", false}};
  for (const Case& c : cases) {
    sim->SetIdentity(c.identity);
    seen.clear();
    ASSERT_TRUE(link.ConnectFirst());
    ASSERT_TRUE(RunUntil(WM_LINK_IDENTITY));
    if (c.accepted) {
      EXPECT_TRUE(RunUntil(WM_LINK_LIVE_OUTPUTS)) << c.identity;
      link.Disconnect();
    } else {
      EXPECT_FALSE(link.IsConnected()) << c.identity;
      EXPECT_EQ(outcomes.back(), LinkOutcome::kWrongDevice);
      EXPECT_FALSE(RunUntil(WM_LINK_NAME, 200ms));  // nothing more arrives
      LinkGuard hold(engine.Lock());
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(model.Image().Identification()), 18), std::string(18, ' '));
    }
  }
}

TEST_F(SimulatorLink, SilentDeviceIsDetectedWithinAboutTwoSeconds) {
  ASSERT_TRUE(ConnectAndReadBack());
  sim->SetFaults({.silent = true});
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(RunUntil(WM_LINK_FAILURE));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, 4000ms);  // the 2 s read time-out, with room for a loaded machine
  EXPECT_GE(took, 1900ms);
  EXPECT_EQ(outcomes.back(), LinkOutcome::kLinkLost);
  EXPECT_FALSE(link.IsConnected());
  EXPECT_FALSE(link.Transport().IsPumpRunning());
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(SimulatorLink, EmptyDataReplyMeansOldFirmware) {
  sim->SetFaults({.emptyDataReplies = true});
  ASSERT_TRUE(link.ConnectFirst());
  ASSERT_TRUE(RunUntil(WM_LINK_OLD_FIRMWARE));
  EXPECT_EQ(outcomes.back(), LinkOutcome::kOldFirmware);
  EXPECT_FALSE(link.IsConnected());
  EXPECT_STREQ(OldFirmwareText(), "Please Update the Firmware!");
}

TEST_F(SimulatorLink, EditsReachTheDeviceOnLaterPumpTurns) {
  ASSERT_TRUE(ConnectAndReadBack());
  {
    LinkGuard hold(engine.Lock());
    model.Out(1).Band(9).SetGainCode(260);  // +6 dB
    model.Out(1).SetDelay(96);
  }
  EXPECT_TRUE(WaitFor([&] { return bytes::GetI16(sim->OutputElement(1, 9).data() + 2) == 660; }));
  EXPECT_TRUE(WaitFor([&] { return bytes::GetI16(sim->OutputElement(1, 31).data() + 4) == 96; }));
}

TEST_F(SimulatorLink, FrequencyWalkArrivesOneOctavePerCommand) {
  ASSERT_TRUE(ConnectAndReadBack());
  std::mutex mutex;
  std::vector<int> frequencies;
  sim->SetCommandObserver([&](const protocol::Command& c) {
    if (c.operation == protocol::kWrite && c.type == protocol::kOutput && c.item == 0 && c.element == 7) {
      std::lock_guard<std::mutex> hold(mutex);
      frequencies.push_back(bytes::GetI16(c.payload.data()));
    }
  });
  {
    LinkGuard hold(engine.Lock());
    model.Out(0).Band(7).SetFrequency(100, false);
    model.Out(0).Band(7).SetFrequency(12800, true);
  }
  const std::vector<int> expected = {200, 400, 800, 1600, 3200, 6400, 12800, 12800};
  EXPECT_TRUE(WaitFor([&] {
    std::lock_guard<std::mutex> hold(mutex);
    return frequencies.size() >= expected.size();
  }));
  std::this_thread::sleep_for(50ms);
  std::lock_guard<std::mutex> hold(mutex);
  EXPECT_EQ(frequencies, expected);
}

TEST_F(SimulatorLink, StatusChangedAtTheDeviceIsReported) {
  ASSERT_TRUE(ConnectAndReadBack());
  sim->SetStatus(30, 1, 0);
  ASSERT_TRUE(RunUntil(WM_LINK_STATUS_A));
  LinkGuard hold(engine.Lock());
  EXPECT_EQ(model.MasterVolume(), 30);
}

TEST_F(SimulatorLink, ResendRequestsAreAnsweredBySendingAgain) {
  sim->SetFaults({.resendRequests = 3});
  ASSERT_TRUE(ConnectAndReadBack());
  EXPECT_EQ(events.TakeProgress().back(), 18);
}

TEST_F(SimulatorLink, UnplugDuringReadBackEndsTheLinkCleanly) {
  sim->SetFaults({.replyDelayMs = 20});
  ASSERT_TRUE(link.ConnectFirst());
  ASSERT_TRUE(RunUntil(WM_LINK_NAME));
  sim->Unplug();
  EXPECT_TRUE(link.OnDeviceRemoval(SimHidBackend::kPath));  // as the device watcher reports it
  EXPECT_FALSE(link.IsConnected());
  EXPECT_FALSE(link.IsBatchRunning());
  EXPECT_FALSE(link.Transport().IsPumpRunning());
  EXPECT_EQ(g_bConnected, 0);
  EXPECT_FALSE(link.ConnectFirst());  // nothing to open while unplugged

  sim->Replug();
  sim->SetFaults({});
  EXPECT_TRUE(link.OnDeviceArrival(SimHidBackend::kPath));
  ASSERT_TRUE(RunUntil(WM_LINK_LIVE_OUTPUTS));
}

TEST_F(SimulatorLink, ReconnectingRunsTheProgressFromTheStartAgain) {
  ASSERT_TRUE(ConnectAndReadBack());
  link.Disconnect();
  events.TakeProgress();
  ASSERT_TRUE(ConnectAndReadBack());
  EXPECT_EQ(events.TakeProgress(), Range(1, 18));
  EXPECT_EQ(link.BatchCounter(), 18);
}

TEST_F(SimulatorLink, ClaimedPathsAreLeftToTheirInstance) {
  ASSERT_TRUE(link.ConnectPath(SimHidBackend::kPath));
  EXPECT_TRUE(claims.ReadValue(UsbTransport::kClaimKey, SimHidBackend::kPath, nullptr));
  ASSERT_TRUE(RunUntil(WM_LINK_LIVE_OUTPUTS));
  link.Disconnect();
  EXPECT_FALSE(claims.ReadValue(UsbTransport::kClaimKey, SimHidBackend::kPath, nullptr));
  claims.WriteValue(UsbTransport::kClaimKey, SimHidBackend::kPath, "0");  // another instance
  EXPECT_FALSE(link.OnDeviceArrival(SimHidBackend::kPath));
}

TEST(HidapiBackend, NoDeviceGivesAnEmptyListAndAClearError) {
  HidapiBackend backend;
  for (const HidDeviceInfo& d : backend.Enumerate()) EXPECT_FALSE(usb_id::Matches(d)) << d.path;
  EXPECT_EQ(backend.Open("/dev/hidraw-none"), nullptr);
  EXPECT_NE(backend.LastError(), "");
  CKTV_Data model;
  CKTVCommand engine(model);
  UsbTransport transport(engine, backend, nullptr);
  EXPECT_FALSE(transport.OpenFirstDevice());
  EXPECT_FALSE(transport.IsDeviceOpen());
}

TEST_F(SimulatorLink, SlowRepliesAreWaitedFor) {
  sim->SetFaults({.replyDelayMs = 50});
  ASSERT_TRUE(ConnectAndReadBack());
  EXPECT_EQ(events.TakeProgress().back(), 18);
}

TEST_F(SimulatorLink, CorruptReplyIsDroppedAndTheLinkTimesOut) {
  ASSERT_TRUE(ConnectAndReadBack());
  sim->SetFaults({.corruptChecksums = 1});
  ASSERT_TRUE(RunUntil(WM_LINK_FAILURE));
  EXPECT_EQ(outcomes.back(), LinkOutcome::kLinkLost);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_LINK_FAILURE), 1);
}
