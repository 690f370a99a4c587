#include <gtest/gtest.h>

#include "tuner/model/Bytes.h"
#include "tuner/model/ParamImage.h"

using namespace layout;

TEST(ParamImage, RegionsAreWhereTheDeviceExpectsThem) {
  ParamImage image;
  const uint8_t* base = image.Data();
  EXPECT_EQ(image.SpeakerTypes() - base, 8);
  EXPECT_EQ(image.Block150() - base, 32);
  EXPECT_EQ(image.Identification() - base, 48);
  EXPECT_EQ(image.Block64() - base, 140);
  EXPECT_EQ(image.Record(0) - base, 160);
  EXPECT_EQ(image.Record(1) - base, 160 + 3388);
  EXPECT_EQ(image.Record(20) - base, 160 + 20 * 3388);
  EXPECT_EQ(image.EffectSlot(21) - base, 160 + 21 * 3388);
  EXPECT_EQ(image.EffectSlot(40) - base, 160 + 21 * 3388 + 19 * 168);
  EXPECT_EQ(ParamImage::Size(), 160u + 21 * 3388 + 20 * 168);
  EXPECT_EQ(image.ChannelRecord(2, 3) - image.Record(2), 408 + 3 * 298);
  EXPECT_EQ(image.InputRecord(0, 1) - image.Record(0), 296);
  EXPECT_EQ(image.EffectRecord(0) - image.Record(0), 32);
}

TEST(ParamImage, FactoryDefaults) {
  ParamImage image;
  const uint8_t* sys = image.Block144();
  EXPECT_EQ(bytes::GetI16(sys + 2), 60);
  EXPECT_EQ(sys[5], 1);
  const uint8_t types[12] = {1, 7, 2, 8, 3, 9, 15, 18, 21, 24, 0, 0};
  EXPECT_EQ(0, memcmp(image.SpeakerTypes(), types, 12));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Record(0)), 16), std::string(15, ' ') + '\0');
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Record(6)), 16), std::string(15, ' ') + '\0');

  const uint8_t* ch0 = image.ChannelRecord(0, 0);
  EXPECT_EQ(bytes::GetI16(ch0 + 0), 20);              // band 1 frequency
  EXPECT_EQ(bytes::GetI16(ch0 + 25 * 8), 6299);       // band 26
  EXPECT_EQ(bytes::GetI16(ch0 + 30 * 8 + 2), 600);    // band 31 gain code
  EXPECT_EQ(bytes::GetI16(ch0 + 30 * 8 + 4), 27);     // bandwidth index
  EXPECT_EQ(ch0[248], 1);
  EXPECT_EQ(bytes::GetI16(ch0 + 250), 60);
  const uint8_t crossover[8] = {20, 0, 1, 3, 0x20, 0x4E, 1, 3};  // 20 Hz and 20000 Hz, Bessel, 24 dB
  EXPECT_EQ(0, memcmp(ch0 + 256, crossover, 8));
  EXPECT_EQ(bytes::GetI16(ch0 + 282), 360);
  EXPECT_EQ(ch0[284], 106);
  EXPECT_EQ(ch0[285], 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ch0 + 290), 8), std::string(7, ' ') + '\0');
}

TEST(ParamImage, FactoryRouting) {
  ParamImage image;
  auto inputsOf = [&](int ch) {
    std::string on;
    for (int i = 0; i < 16; ++i) {
      const int level = image.ChannelRecord(0, ch)[264 + i];
      EXPECT_TRUE(level == 0 || level == 100);
      if (level) on += std::to_string(i + 1) + ' ';
    }
    return on;
  };
  EXPECT_EQ(inputsOf(0), "1 7 9 11 13 ");
  EXPECT_EQ(inputsOf(1), "2 8 10 12 14 ");
  EXPECT_EQ(inputsOf(5), "6 8 10 12 14 ");
  EXPECT_EQ(inputsOf(6), "1 7 9 11 13 ");
  EXPECT_EQ(inputsOf(9), "4 8 10 12 14 ");
}
