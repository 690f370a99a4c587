// Playing streams on the output chosen by ZEMBLA_OUTPUT.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <functional>
#include <thread>

#include "mediahost/audio/zembla.h"
#include "tests/mediahost/audio/ZemblaTestFiles.h"

using namespace zembla_test;
using Clock = std::chrono::steady_clock;

namespace {

bool waitFor(const std::function<bool()>& condition, double seconds = 20) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

double positionSeconds(HSTREAM h) { return BASS_ChannelBytes2Seconds(h, BASS_ChannelGetPosition(h, ZEMBLA_POS_BYTE)); }

class ZemblaOutput : public testing::Test {
 protected:
  void useOutput(const std::string& spec) { setenv("ZEMBLA_OUTPUT", spec.c_str(), 1); }
  void TearDown() override { BASS_Free(); }
};

}  // namespace

TEST_F(ZemblaOutput, InitFailsWhenTheOutputCannotOpen) {
  struct Case {
    std::string spec;
    int error;
  } cases[] = {
      {"alsa:no_such_device", ZEMBLA_ERROR_DEVICE},
      {"wav:" + scratchDir() + "/no/such/folder/out.wav", ZEMBLA_ERROR_DEVICE},
      {"speaker", ZEMBLA_ERROR_PARAM},
      {"wav:", ZEMBLA_ERROR_PARAM},
  };
  for (const Case& c : cases) {
    useOutput(c.spec);
    EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr)) << c.spec;
    EXPECT_EQ(BASS_ErrorGetCode(), c.error) << c.spec;
  }
  EXPECT_EQ(BASS_GetVersion() >> 16, 0x0204u);
  useOutput("null");
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_ALREADY);
  EXPECT_TRUE(BASS_Free());
  EXPECT_FALSE(BASS_Free());
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_INIT);
}

struct SinkCase {
  const char* ext;
  HSTREAM (*create)(const char* path);
};

void PrintTo(const SinkCase& c, std::ostream* os) { *os << c.ext; }

class WavSinkReceivesTheTone : public ZemblaOutput, public testing::WithParamInterface<SinkCase> {};

TEST_P(WavSinkReceivesTheTone, InRealTimeAtTheVolumeSet) {
  const std::string out = scratchDir() + "/played-" + GetParam().ext + ".wav";
  useOutput("wav:" + out);
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  const std::string file = toneFile(GetParam().ext);
  ASSERT_FALSE(file.empty());
  HSTREAM h = GetParam().create(file.c_str());
  ASSERT_NE(h, 0u) << BASS_ErrorGetCode();
  ASSERT_TRUE(BASS_ChannelSetAttribute(h, ZEMBLA_ATTRIB_VOL, 0.5f));
  EXPECT_EQ(BASS_ChannelIsActive(h), ZEMBLA_ACTIVE_STOPPED);

  const auto start = Clock::now();
  ASSERT_TRUE(BASS_ChannelPlay(h, 0));
  EXPECT_EQ(BASS_ChannelIsActive(h), ZEMBLA_ACTIVE_PLAYING);
  ASSERT_TRUE(waitFor([&] { return BASS_ChannelIsActive(h) == ZEMBLA_ACTIVE_STOPPED; }));
  const double took = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_GT(took, 0.8);  // paced like a sound card, not written at decoding speed
  EXPECT_NEAR(positionSeconds(h), 1.0, 0.05);
  ASSERT_TRUE(BASS_Free());

  fixtures::WavContent wav = fixtures::readWav(out);
  ASSERT_TRUE(wav.valid);
  EXPECT_EQ(wav.sampleRate, 44100);
  EXPECT_EQ(wav.channels, 2);
  EXPECT_NEAR(double(wav.firstChannel.size()) / 44100, 1.0, 0.05);
  std::vector<float> middle(wav.firstChannel.begin() + 8820, wav.firstChannel.end() - 8820);
  EXPECT_GT(fixtures::toneShare(middle, 44100, 1000), 0.9);
  if (std::string(GetParam().ext) != "dsf") {
    EXPECT_NEAR(fixtures::rms(middle), 0.5 * kToneRms, 0.5 * kToneRms * 0.15);
  } else {
    EXPECT_GT(fixtures::rms(middle), 0.05);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, WavSinkReceivesTheTone,
    testing::Values(SinkCase{"flac", [](const char* p) { return BASS_FLAC_StreamCreateFile(0, p, 0, 0, 0); }},
                    SinkCase{"mp3", [](const char* p) { return BASS_StreamCreateFile(0, p, 0, 0, 0); }},
                    SinkCase{"dsf",
                             [](const char* p) { return BASS_DSD_StreamCreateFile(0, p, 0, 0, 0, 44100); }}),
    [](const testing::TestParamInfo<SinkCase>& info) { return std::string(info.param.ext); });

TEST_F(ZemblaOutput, PauseHoldsThePositionAndSeekMovesIt) {
  useOutput("null");
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  HSTREAM h = BASS_FLAC_StreamCreateFile(0, toneFile("flac", 3.0).c_str(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  EXPECT_FALSE(BASS_ChannelPause(h));  // not started yet
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_NOTPLAYING);
  ASSERT_TRUE(BASS_ChannelPlay(h, 0));
  ASSERT_TRUE(waitFor([&] { return positionSeconds(h) > 0.3; }));
  ASSERT_TRUE(BASS_ChannelPause(h));
  EXPECT_EQ(BASS_ChannelIsActive(h), ZEMBLA_ACTIVE_PAUSED);
  const QWORD held = BASS_ChannelGetPosition(h, ZEMBLA_POS_BYTE);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(BASS_ChannelGetPosition(h, ZEMBLA_POS_BYTE), held);

  ASSERT_TRUE(BASS_ChannelSetPosition(h, BASS_ChannelSeconds2Bytes(h, 2.6), ZEMBLA_POS_BYTE));
  EXPECT_NEAR(positionSeconds(h), 2.6, 0.001);
  ASSERT_TRUE(BASS_ChannelPlay(h, 0));
  ASSERT_TRUE(waitFor([&] { return BASS_ChannelIsActive(h) == ZEMBLA_ACTIVE_STOPPED; }));
  EXPECT_NEAR(positionSeconds(h), 3.0, 0.05);
  EXPECT_NEAR(BASS_ChannelBytes2Seconds(h, BASS_ChannelGetLength(h, ZEMBLA_POS_BYTE)), 3.0, 0.01);

  ASSERT_TRUE(BASS_ChannelPlay(h, 1));  // restart from the beginning
  EXPECT_LT(positionSeconds(h), 0.5);
}

TEST_F(ZemblaOutput, FreeReleasesPlayingStreamsAndOutputCanComeBack) {
  useOutput("null");
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  HSTREAM h = BASS_StreamCreateFile(0, toneFile("wav", 3.0).c_str(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  ASSERT_TRUE(BASS_ChannelPlay(h, 0));
  ASSERT_TRUE(BASS_Free());
  EXPECT_EQ(BASS_ChannelIsActive(h), ZEMBLA_ACTIVE_STOPPED);
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_HANDLE);
  EXPECT_FALSE(BASS_StreamFree(h));

  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  HSTREAM again = BASS_StreamCreateFile(0, toneFile("wav", 3.0).c_str(), 0, 0, 0);
  EXPECT_NE(again, 0u);
  EXPECT_NE(again, h);
}

TEST_F(ZemblaOutput, PlaysThroughAnAlsaDevice) {
  useOutput("alsa:null");  // ALSA's own null device: the real ALSA path without hardware
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  HSTREAM h = BASS_APE_StreamCreateFile(0, toneFile("ape").c_str(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  ASSERT_TRUE(BASS_ChannelPlay(h, 0));
  ASSERT_TRUE(waitFor([&] { return BASS_ChannelIsActive(h) == ZEMBLA_ACTIVE_STOPPED; }));
  EXPECT_NEAR(positionSeconds(h), 2.0, 0.05);
}
