#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/tuner/model/ModelFixtures.h"
#include "tuner/model/Bytes.h"
#include "tuner/model/CKTV_Data.h"

using namespace layout;

namespace {

// Runs the scan until it polls and returns what it asked for, in order;
// onEach sees the image right after each command was packed.
template <typename Fn>
std::vector<PendingCommand> Drain(CKTV_Data& data, Fn onEach) {
  std::vector<PendingCommand> sent;
  for (int i = 0; i < 1000; ++i) {
    PendingCommand c = data.NextPending();
    if (c.kind == PendingCommand::kStatusPoll) break;
    onEach(c);
    sent.push_back(c);
  }
  return sent;
}
std::vector<PendingCommand> Drain(CKTV_Data& data) {
  return Drain(data, [](const PendingCommand&) {});
}

// Band frequencies sent, as packed into the image at each command.
std::vector<int> SentBandFrequencies(CKTV_Data& data, int channel, int band) {
  std::vector<int> sent;
  Drain(data, [&](const PendingCommand& c) {
    EXPECT_EQ(c.kind, PendingCommand::kElementWrite);
    EXPECT_EQ(c.channel, channel);
    EXPECT_EQ(c.element, band);
    sent.push_back(bytes::GetI16(data.Image().ChannelRecord(0, channel) + band * 8));
  });
  return sent;
}

}  // namespace

TEST(FrequencyWalk, FarUpwardMoveReachesTheDeviceOneOctavePerCommand) {
  CKTV_Data data;
  ConnectedScope connected(1);
  CFilter& band = data.Out(2).Band(7);
  band.SetFrequency(100, false);
  band.SetFrequency(12800, true);
  EXPECT_EQ(SentBandFrequencies(data, 2, 7), (std::vector<int>{200, 400, 800, 1600, 3200, 6400, 12800, 12800}));
  band.SetFrequency(100, true);
  EXPECT_EQ(SentBandFrequencies(data, 2, 7), std::vector<int>{100});
}

TEST(FrequencyWalk, NothingIsMarkedWhileNotConnected) {
  CKTV_Data data;
  ConnectedScope disconnected(0);
  data.Out(0).Band(3).SetFrequency(12800, true);
  data.Out(0).HighPass().SetFrequency(400, true);
  data.Out(0).SetGain(30);
  EXPECT_EQ(data.Out(0).Band(3).AppliedFrequency(), 12800);
  EXPECT_EQ(data.Out(0).HighPass().AppliedFrequency(), 400);
  EXPECT_TRUE(Drain(data).empty());
}

TEST(CFilter, PacksGainCodes) {
  struct Case {
    int gainCode;  // filter code, 200 = 0 dB
    int packed;
  } cases[] = {{0, 400}, {400, 800}, {235, 635}, {200, 600}};
  for (const Case& c : cases) {
    CFilter band(filters::kPeaking, 1000, 0, true);
    band.SetGainCode(c.gainCode);
    uint8_t rec[8];
    band.PackBand(rec);
    EXPECT_EQ(bytes::GetI16(rec + 2), c.packed) << c.gainCode;
  }
}

TEST(CFilter, InactiveBandPacksZeroDecibels) {
  CFilter off(filters::kPeaking, 1000, 0, true);
  off.SetGainCode(300);
  off.SetOff(1);
  CFilter bypassed(filters::kPeaking, 1000, 0, true);
  bypassed.SetGainCode(300);
  bypassed.Bypass(1);
  for (CFilter* f : {&off, &bypassed}) {
    uint8_t rec[8];
    f->PackBand(rec);
    EXPECT_EQ(bytes::GetI16(rec + 2), 600);
    EXPECT_DOUBLE_EQ(f->Gain(), 10.0);  // the stored gain is kept
  }
  bypassed.Bypass(0);
  EXPECT_FALSE(bypassed.IsInactive());
  off.SetOff(0);
  EXPECT_FALSE(off.IsInactive());
}

TEST(CFilter, SmallBandwidthIndicesReadBackAsNineHundredths) {
  for (int n : {0, 1, 2, 3, 4}) {
    CFilter band(filters::kPeaking, 1000, 0, true);
    band.SetBandwidthIndex(n);
    EXPECT_DOUBLE_EQ(band.Bandwidth(), 0.09) << n;
    EXPECT_EQ(band.BandwidthIndex(), 4);
  }
  CFilter band(filters::kPeaking, 1000, 0, true);
  for (int n : {5, 27, 150, 295}) {
    band.SetBandwidthIndex(n);
    EXPECT_EQ(band.BandwidthIndex(), n);
  }
}

TEST(CFilter, EverySetterRecomputesTheResponse) {
  CFilter band(filters::kPeaking, 1000, 0, true);
  auto matchesDesign = [](const CFilter& f) {
    filters::Response expected;
    filters::ComputeResponse(f.Design(), expected);
    return expected == f.Response();
  };
  const int peak = filters::NearestGridIndex(2000);
  band.SetGainCode(320);  // +12 dB
  EXPECT_TRUE(matchesDesign(band));
  band.SetFrequency(2000, true);
  EXPECT_TRUE(matchesDesign(band));
  EXPECT_NEAR(band.Response()[peak], 12.0, 0.5);
  band.SetBandwidthIndex(100);
  EXPECT_TRUE(matchesDesign(band));
  band.SetType(filters::kLowShelf, true);
  EXPECT_TRUE(matchesDesign(band));
  band.SetSlope(1, true);
  EXPECT_TRUE(matchesDesign(band));
  band.SetOff(1);
  EXPECT_TRUE(matchesDesign(band));
  EXPECT_DOUBLE_EQ(band.Response()[peak], 0.0);

  CFilter highPass(filters::kHighPass, 20, 32, false);
  highPass.SetFrequency(500, true);
  highPass.SetCrossoverType(filters::kLinkwitzRiley, true);
  EXPECT_TRUE(matchesDesign(highPass));
  EXPECT_LT(highPass.Response()[filters::NearestGridIndex(100)], -20.0);
}

TEST(CKTVEQ, ChannelSumAddsAllThirtyThreeFilters) {
  CKTV_Data data;
  CKTV_OutData& out = data.Out(0);
  out.Band(10).SetGainCode(260);
  out.Band(20).SetGainCode(150);
  out.HighPass().SetFrequency(300, false);
  out.LowPass().SetFrequency(5000, false);
  for (int i : {0, 60, 136, 200, 240}) {
    double sum = 0;
    for (int f = 0; f < 33; ++f) sum += out.Filters().Filter(f).Response()[i];
    EXPECT_DOUBLE_EQ(out.Filters().SumAt(i), sum);
  }
  filters::Response all;
  out.Filters().Sum(all);
  EXPECT_DOUBLE_EQ(all[136], out.Filters().SumAt(136));
}

TEST(PendingScan, FixedPriorityOneCommandPerCall) {
  CKTV_Data data;
  ConnectedScope connected(1);
  data.Out(4).Band(2).SetGainCode(250);
  data.Out(4).SetLimiterAttack(20);
  data.Out(4).SetRoutingLevel(12, 50);
  data.Out(4).SetRoutingLevel(1, 50);
  data.Out(4).LowPass().SetFrequency(8000, true);
  data.Out(4).SetDelay(100);
  data.Out(4).SetName("Tw");
  data.Out(1).SetSoundOn(0);
  data.MarkSystem(150);
  data.MarkSystem(144);

  std::vector<std::pair<int, int>> order;  // (channel or item, element)
  for (const PendingCommand& c : Drain(data)) {
    if (c.kind == PendingCommand::kSystemWrite) order.emplace_back(c.item, -1);
    else order.emplace_back(c.channel, c.element);
  }
  const std::vector<std::pair<int, int>> expected = {{144, -1}, {150, -1}, {1, 31}, {4, 36}, {4, 31},
                                                     {4, 32},   {4, 33},   {4, 34}, {4, 35}, {4, 2}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(data.NextPending().kind, PendingCommand::kStatusPoll);
}

TEST(PendingScan, PacksTheBlockItSends) {
  CKTV_Data data;
  ConnectedScope connected(1);
  data.Out(3).SetGain(0);
  data.Out(3).SetDelay(480);
  data.Out(3).SetLimiterThreshold(250);
  Drain(data);
  const uint8_t* rec = data.Image().ChannelRecord(0, 3);
  EXPECT_EQ(bytes::GetI16(rec + 250), 0);
  EXPECT_EQ(bytes::GetI16(rec + 252), 480);
  EXPECT_EQ(bytes::GetI16(rec + 282), 250);
}

TEST(LinkGroups, GainModeAndLimiterReachTheGroupButNotDelayOrPhase) {
  CKTV_Data data;
  ConnectedScope connected(1);
  data.Groups().SetGroup(1, 0);
  data.Groups().SetGroup(5, 0);
  data.Out(0).SetDelay(300);
  data.Out(0).SetPhase(1);
  data.Out(0).SetSoundOn(0);
  data.Out(0).SetGain(42);
  data.Out(0).SetEqMode(1);
  data.Out(0).SetLimiterRelease(2);
  for (int ch : {1, 5}) {
    const CKTV_OutData& other = data.Out(ch);
    EXPECT_EQ(other.Gain(), 42);
    EXPECT_EQ(other.EqMode(), 1);
    EXPECT_EQ(other.Band(30).GraphicMode(), 1);
    EXPECT_EQ(other.LimiterRelease(), 2);
    EXPECT_EQ(other.LimiterThreshold(), data.Out(0).LimiterThreshold());
    EXPECT_EQ(other.Delay(), 0);
    EXPECT_EQ(other.Phase(), 0);
    EXPECT_EQ(other.SoundOn(), 1);
    EXPECT_TRUE(other.IsPending(CKTV_OutData::kPendChannel));
    EXPECT_TRUE(other.IsPending(CKTV_OutData::kPendLimiter));
  }
  EXPECT_EQ(data.Out(2).Gain(), 60);
  EXPECT_FALSE(data.Out(2).IsPending(CKTV_OutData::kPendChannel));
}

TEST(ChannelNames, StrictFieldKeepsSevenCharactersAndRefusesEight) {
  CKTV_Data data;
  RecordingNotifier notifier;
  uint8_t* rec = data.Image().ChannelRecord(0, 0);
  data.Out(0).SetName("Tweeter");
  data.Out(0).PackElement(rec, 36);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(rec + 290), 8), std::string("Tweeter\0", 8));
  data.Out(0).SetName("Tweeters");
  data.Out(0).PackElement(rec, 36);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(rec + 290), 7), "Tweeter");
  EXPECT_EQ(notifier.shown, std::vector<std::string>{"char Len error!"});
}

TEST(ApplyAndPack, ChannelRecordRoundTripsThroughTheObjects) {
  CKTV_Data data;
  ConnectedScope disconnected(0);
  uint8_t* rec = data.Image().ChannelRecord(0, 7);
  bytes::PutI16(rec + 5 * 8, 77);        // band 6 frequency
  bytes::PutI16(rec + 5 * 8 + 2, 655);   // +5.5 dB
  bytes::PutI16(rec + 5 * 8 + 4, 120);
  rec[5 * 8 + 7] = 2;                    // high shelf
  rec[249] = 1;
  bytes::PutI16(rec + 252, 700);
  rec[255] = 9;
  rec[264 + 15] = 33;
  bytes::PutI16(rec + 256, 80);          // high-pass
  memcpy(rec + 290, "Sub\0\0\0\0", 8);
  std::vector<uint8_t> before(rec, rec + 298);

  data.ApplyPreset(0);
  EXPECT_EQ(data.Out(7).Band(5).Frequency(), 77);
  EXPECT_DOUBLE_EQ(data.Out(7).Band(5).Gain(), 5.5);
  EXPECT_EQ(data.Out(7).Name(), "Sub");
  EXPECT_EQ(data.Out(7).HighPass().Frequency(), 80);
  memset(rec, 0xEE, 298);
  data.PackAll();
  EXPECT_EQ(std::vector<uint8_t>(rec, rec + 296), std::vector<uint8_t>(before.begin(), before.begin() + 296));
}

TEST(ApplyAndPack, ClampsCrossoversOfTheFirstSixChannelsOnly) {
  CKTV_Data data;
  for (int ch : {0, 8}) {
    uint8_t* xo = data.Image().ChannelRecord(0, ch) + 256;
    bytes::PutI16(xo, 25000);
    bytes::PutI16(xo + 4, 10);
  }
  data.ApplyPreset(-1);
  EXPECT_EQ(data.Out(0).HighPass().Frequency(), 20000);
  EXPECT_EQ(data.Out(0).LowPass().Frequency(), 20);
  EXPECT_EQ(data.Out(8).HighPass().Frequency(), 25000);
  EXPECT_EQ(data.Out(8).LowPass().Frequency(), 10);
}

TEST(ApplyAndPack, ConnectedApplyWalksOnlyOctaveRises) {
  CKTV_Data data;
  ConnectedScope connected(1);
  uint8_t* rec = data.Image().ChannelRecord(0, 0);
  bytes::PutI16(rec + 0 * 8, 200);   // band 1: 20 -> 200, walked
  bytes::PutI16(rec + 1 * 8, 30);    // band 2: 26 -> 30, at once
  data.ApplyPreset(-1);
  EXPECT_TRUE(data.Out(0).Band(0).IsPending());
  EXPECT_EQ(data.Out(0).Band(0).AppliedFrequency(), 40);
  EXPECT_FALSE(data.Out(0).Band(1).IsPending());
  EXPECT_EQ(data.Out(0).Band(1).AppliedFrequency(), 30);
}

TEST(PresetNames, CutToFifteenCharacters) {
  CKTV_Data data;
  data.SetPresetName(2, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.Image().Record(2)), 16), std::string("ABCDEFGHIJKLMNO\0", 16));
  EXPECT_EQ(data.PresetName(2), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(data.PresetName(0), "");
}

TEST(ApplyAndPack, NeverFilledRecordGivesFiniteCurves) {
  CKTV_Data data;
  memset(data.Image().Record(0), 0, 3388);
  data.ApplyPreset(0);
  for (int ch = 0; ch < 10; ++ch) {
    for (int i = 0; i < filters::kGridPoints; ++i) ASSERT_TRUE(std::isfinite(data.Out(ch).Filters().SumAt(i))) << ch;
  }
}

TEST(EqMode, ConversionResetsTheBandsOfTheWholeGroup) {
  CKTV_Data data;
  data.Groups().SetGroup(4, 3);
  for (int ch : {2, 3, 4}) {
    data.Out(ch).Band(5).SetGainCode(260);
    data.Out(ch).Band(5).SetFrequency(77, false);
  }
  data.ChangeEqMode(3, 1);
  for (int ch : {3, 4}) {
    const CFilter& band = data.Out(ch).Band(5);
    EXPECT_EQ(data.Out(ch).EqMode(), 1);
    EXPECT_EQ(band.GraphicMode(), 1);
    EXPECT_EQ(band.Frequency(), 63);
    EXPECT_EQ(band.AppliedFrequency(), 63);
    EXPECT_TRUE(band.IsOff());
    EXPECT_DOUBLE_EQ(band.Bandwidth(), 0.2);
  }
  EXPECT_EQ(data.Out(2).Band(5).Frequency(), 77);
  EXPECT_EQ(data.Out(2).EqMode(), 0);
}
