// Opening and decoding files with the stream creators (decode streams: no output needed).
#include <gtest/gtest.h>

#include <vector>

#include "mediahost/audio/zembla.h"
#include "tests/mediahost/audio/ZemblaTestFiles.h"

using namespace zembla_test;

namespace {

using Creator = HSTREAM (*)(BOOL, const void*, QWORD, QWORD, DWORD);

HSTREAM dsdCreator(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return BASS_DSD_StreamCreateFile(mem, file, offset, length, flags, 44100);
}

struct FormatCase {
  const char* ext;
  Creator create;
  DWORD ctype;
  double seconds;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.ext; }

const FormatCase kFormats[] = {
    {"mp3", BASS_StreamCreateFile, ZEMBLA_CTYPE_MP3, 1.0},
    {"wav", BASS_StreamCreateFile, ZEMBLA_CTYPE_PCM, 1.0},
    {"aiff", BASS_StreamCreateFile, ZEMBLA_CTYPE_AIFF, 1.0},
    {"ogg", BASS_StreamCreateFile, ZEMBLA_CTYPE_OGG, 1.0},
    {"flac", BASS_FLAC_StreamCreateFile, ZEMBLA_CTYPE_FLAC, 1.0},
    {"ape", BASS_APE_StreamCreateFile, ZEMBLA_CTYPE_APE, 2.0},
    {"aac", BASS_AAC_StreamCreateFile, ZEMBLA_CTYPE_AAC, 1.0},
    {"m4a", BASS_MP4_StreamCreateFile, ZEMBLA_CTYPE_MP4, 1.0},
    {"ac3", BASS_AC3_StreamCreateFile, ZEMBLA_CTYPE_AC3, 1.0},
    {"dsf", dsdCreator, ZEMBLA_CTYPE_DSD, 1.0},
    {"dff", dsdCreator, ZEMBLA_CTYPE_DSD, 1.0},
};

// All samples of a decode stream, first channel.
std::vector<float> decodeFirstChannel(HSTREAM h, int channels) {
  std::vector<float> all, block(4096);
  while (true) {
    DWORD got = BASS_ChannelGetData(h, block.data(), DWORD(block.size() * sizeof(float)));
    if (got == DWORD(-1)) break;
    for (size_t i = 0; i < got / sizeof(float); i += size_t(channels)) all.push_back(block[i]);
  }
  return all;
}

std::string name(const testing::TestParamInfo<FormatCase>& info) { return info.param.ext; }

}  // namespace

class DecodeEveryFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(DecodeEveryFormat, GivesTheEncodedToneAtTheFileRate) {
  const FormatCase& c = GetParam();
  const std::string path = toneFile(c.ext);
  ASSERT_FALSE(path.empty()) << "could not make the " << c.ext << " file";
  HSTREAM h = c.create(0, path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE | ZEMBLA_SAMPLE_FLOAT);
  ASSERT_NE(h, 0u) << "error " << BASS_ErrorGetCode();

  BASS_CHANNELINFO info{};
  ASSERT_TRUE(BASS_ChannelGetInfo(h, &info));
  EXPECT_EQ(info.ctype, c.ctype);
  EXPECT_EQ(info.freq, 44100u);
  EXPECT_EQ(info.chans, 2u);
  EXPECT_STREQ(info.filename, path.c_str());
  const double length = BASS_ChannelBytes2Seconds(h, BASS_ChannelGetLength(h, ZEMBLA_POS_BYTE));
  EXPECT_NEAR(length, c.seconds, 0.1);

  std::vector<float> samples = decodeFirstChannel(h, 2);
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_ENDED);
  EXPECT_NEAR(double(samples.size()) / 44100, c.seconds, 0.1);
  EXPECT_NEAR(BASS_ChannelBytes2Seconds(h, BASS_ChannelGetPosition(h, ZEMBLA_POS_BYTE)),
              double(samples.size()) / 44100, 0.001);
  EXPECT_EQ(BASS_ChannelIsActive(h), ZEMBLA_ACTIVE_STOPPED);
  // Skip the encoders' start-up ramp, then the tone must dominate.
  std::vector<float> middle(samples.begin() + long(samples.size() / 5), samples.end() - long(samples.size() / 5));
  EXPECT_GT(fixtures::toneShare(middle, 44100, 1000), 0.9);
  if (c.ctype != ZEMBLA_CTYPE_DSD) {
    EXPECT_NEAR(fixtures::rms(middle), kToneRms, kToneRms * 0.15);
  }
  EXPECT_TRUE(BASS_StreamFree(h));
  EXPECT_FALSE(BASS_StreamFree(h));
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_HANDLE);
}

INSTANTIATE_TEST_SUITE_P(Formats, DecodeEveryFormat, testing::ValuesIn(kFormats), name);

TEST(ZemblaStreams, EachCreatorReadsOnlyItsOwnKindOfFile) {
  struct Case {
    const char* ext;
    Creator create;
  } cases[] = {
      {"mp3", BASS_FLAC_StreamCreateFile}, {"flac", BASS_StreamCreateFile}, {"wma", BASS_StreamCreateFile},
      {"dts", BASS_AC3_StreamCreateFile},  {"m4a", BASS_AAC_StreamCreateFile}, {"aac", BASS_MP4_StreamCreateFile},
      {"flac", dsdCreator},                {"ape", BASS_FLAC_StreamCreateFile},
  };
  for (const Case& c : cases) {
    const std::string path = toneFile(c.ext);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(c.create(0, path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE), 0u) << c.ext;
    EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_FORMAT) << c.ext;
  }
}

TEST(ZemblaStreams, BadFilesGiveNoStream) {
  const std::string dir = scratchDir();
  std::vector<uint8_t> noise(20000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t((i * 7919u + 13u) ^ (i >> 3));
  ASSERT_TRUE(fixtures::writeBytes(dir + "/noise.flac", noise));
  ASSERT_TRUE(fixtures::writeBytes(dir + "/noise.dsf", noise));
  ASSERT_TRUE(fixtures::writeBytes(dir + "/empty.mp3", {}));
  ASSERT_TRUE(fixtures::truncateCopy(toneFile("flac"), dir + "/head.flac", 30));
  ASSERT_TRUE(fixtures::truncateCopy(toneFile("dsf"), dir + "/head.dsf", 60));
  ASSERT_TRUE(fixtures::truncateCopy(toneFile("dff"), dir + "/head.dff", 100));
  ASSERT_TRUE(fixtures::truncateCopy(toneFile("m4a"), dir + "/head.m4a", 200));
  ASSERT_TRUE(fixtures::truncateCopy(fixtures::apeTonePath(), dir + "/head.ape", 40));
  struct Case {
    std::string path;
    Creator create;
    int error;
  } cases[] = {
      {dir + "/noise.flac", BASS_FLAC_StreamCreateFile, ZEMBLA_ERROR_FORMAT},
      {dir + "/noise.dsf", dsdCreator, ZEMBLA_ERROR_FORMAT},
      {dir + "/empty.mp3", BASS_StreamCreateFile, ZEMBLA_ERROR_FORMAT},
      {dir + "/head.flac", BASS_FLAC_StreamCreateFile, 0},
      {dir + "/head.dsf", dsdCreator, 0},
      {dir + "/head.dff", dsdCreator, 0},
      {dir + "/head.m4a", BASS_MP4_StreamCreateFile, 0},
      {dir + "/head.ape", BASS_APE_StreamCreateFile, 0},
      {dir + "/missing.mp3", BASS_StreamCreateFile, ZEMBLA_ERROR_FILEOPEN},
      {dir, BASS_StreamCreateFile, ZEMBLA_ERROR_FILEOPEN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.create(0, c.path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE), 0u) << c.path;
    if (c.error) {
      EXPECT_EQ(BASS_ErrorGetCode(), c.error) << c.path;
    } else {
      EXPECT_NE(BASS_ErrorGetCode(), ZEMBLA_OK) << c.path;
    }
  }
}

TEST(ZemblaStreams, AFileCutShortPlaysWhatItHasAndEnds) {
  const std::string full = toneFile("flac", 2.0);
  const std::string cut = scratchDir() + "/cut.flac";
  ASSERT_TRUE(fixtures::truncateCopy(full, cut, 20000));
  HSTREAM h = BASS_FLAC_StreamCreateFile(0, cut.c_str(), 0, 0, ZEMBLA_STREAM_DECODE | ZEMBLA_SAMPLE_FLOAT);
  ASSERT_NE(h, 0u);
  std::vector<float> samples = decodeFirstChannel(h, 2);
  EXPECT_GT(samples.size(), 1000u);
  EXPECT_LT(samples.size(), size_t(2.0 * 44100));
  BASS_StreamFree(h);
}

TEST(ZemblaStreams, DsdTagsAndRateComeFromTheFile) {
  struct Case {
    const char* ext;
    uint32_t rate;
  } cases[] = {{"dsf", 2822400}, {"dff", 2822400}, {"dsf", 5644800}, {"dff", 11289600}};
  for (const Case& c : cases) {
    fixtures::DsdFile f;
    f.tone.seconds = 0.2;
    f.dsdRate = c.rate;
    f.artist = "Ada Artist";
    f.title = "Night Drive";
    f.comment = "Recorded live";
    const std::string path = scratchDir() + "/tagged-" + std::to_string(c.rate) + "." + c.ext;
    ASSERT_TRUE(std::string(c.ext) == "dsf" ? fixtures::writeDsf(path, f) : fixtures::writeDff(path, f));
    HSTREAM h = BASS_DSD_StreamCreateFile(0, path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE, 44100);
    ASSERT_NE(h, 0u) << path << " error " << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(h, &info));
    EXPECT_EQ(info.ctype, ZEMBLA_CTYPE_DSD);
    EXPECT_EQ(info.freq, 44100u);
    float rate = 0;
    ASSERT_TRUE(BASS_ChannelGetAttribute(h, ZEMBLA_ATTRIB_DSD_RATE, &rate)) << path;
    EXPECT_EQ(uint32_t(rate), c.rate) << path;
    const char* artist = BASS_ChannelGetTags(h, ZEMBLA_TAG_DSD_ARTIST);
    ASSERT_NE(artist, nullptr) << path;
    EXPECT_STREQ(artist, "Ada Artist");
    const char* comment = BASS_ChannelGetTags(h, ZEMBLA_TAG_DSD_COMMENT);
    ASSERT_NE(comment, nullptr) << path;
    // The player shows the text after the last ':' less its first character.
    std::string text(comment);
    EXPECT_EQ(text.substr(text.rfind(':') + 2), "Recorded live") << text;
    EXPECT_EQ(BASS_ChannelGetTags(h, ZEMBLA_TAG_DSD_COMMENT + 1), nullptr);
    EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_NOTAVAIL);
    BASS_StreamFree(h);
  }
}

TEST(ZemblaStreams, NonDsdStreamsHaveNoDsdRateOrTags) {
  HSTREAM h = BASS_FLAC_StreamCreateFile(0, toneFile("flac").c_str(), 0, 0, ZEMBLA_STREAM_DECODE);
  ASSERT_NE(h, 0u);
  float rate = 0;
  EXPECT_FALSE(BASS_ChannelGetAttribute(h, ZEMBLA_ATTRIB_DSD_RATE, &rate));
  EXPECT_EQ(BASS_ChannelGetTags(h, ZEMBLA_TAG_DSD_ARTIST), nullptr);
  EXPECT_FALSE(BASS_ChannelPlay(h, 0));  // decode streams are pulled, not played
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_DECODE);
  BASS_StreamFree(h);
}

TEST(ZemblaStreams, SeekingADecodeStreamLandsOnTheSample) {
  HSTREAM h = BASS_FLAC_StreamCreateFile(0, toneFile("flac", 2.0).c_str(), 0, 0, ZEMBLA_STREAM_DECODE);
  ASSERT_NE(h, 0u);
  const QWORD half = BASS_ChannelSeconds2Bytes(h, 1.5);
  EXPECT_EQ(half, QWORD(1.5 * 44100) * 4);
  EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(h, half), 1.5);
  ASSERT_TRUE(BASS_ChannelSetPosition(h, half, ZEMBLA_POS_BYTE));
  EXPECT_EQ(BASS_ChannelGetPosition(h, ZEMBLA_POS_BYTE), half);
  std::vector<int16_t> block(8192);
  size_t rest = 0;
  for (DWORD got; (got = BASS_ChannelGetData(h, block.data(), DWORD(block.size() * 2))) != DWORD(-1);) rest += got;
  EXPECT_NEAR(double(rest) / 4, 0.5 * 44100, 50);
  EXPECT_FALSE(BASS_ChannelSetPosition(h, BASS_ChannelSeconds2Bytes(h, 5.0), ZEMBLA_POS_BYTE));
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_POSITION);
  BASS_StreamFree(h);
}

TEST(ZemblaStreams, UnknownHandlesAndPlayedStreamsWithoutOutputFail) {
  EXPECT_FALSE(BASS_ChannelPlay(12345, 0));
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_HANDLE);
  EXPECT_EQ(BASS_ChannelGetLength(0, ZEMBLA_POS_BYTE), QWORD(-1));
  EXPECT_FALSE(BASS_ChannelSetAttribute(0, ZEMBLA_ATTRIB_VOL, 0.5f));
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_HANDLE);
  EXPECT_EQ(BASS_StreamCreateFile(0, toneFile("mp3").c_str(), 0, 0, 0), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), ZEMBLA_ERROR_INIT);
}
