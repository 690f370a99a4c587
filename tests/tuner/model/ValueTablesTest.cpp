#include <gtest/gtest.h>

#include <cstring>

#include "tests/tuner/model/ModelFixtures.h"
#include "tuner/model/DelayUnits.h"
#include "tuner/model/DisplayFormat.h"
#include "tuner/model/FieldText.h"
#include "tuner/model/ValueTables.h"

TEST(QTable, TellingRowsAndLookup) {
  const auto& q = values::QTable();
  const std::pair<int, double> rows[] = {{0, 28.852}, {15, 7.208},  {20, 5.764}, {100, 1.344},
                                         {135, 0.991}, {195, 0.667}, {295, 0.404}};
  for (auto [n, value] : rows) EXPECT_DOUBLE_EQ(q[n], value) << n;
  for (int n = 1; n < values::kQRows; ++n) EXPECT_LE(q[n], q[n - 1]);
  EXPECT_EQ(values::QLookup(100.0), 0);
  EXPECT_EQ(values::QLookup(1.344), 100);
  EXPECT_EQ(values::QLookup(1.3435), 101);
  EXPECT_EQ(values::QLookup(0.1), 295);
}

TEST(SpeakerTypes, NamesInBothLanguages) {
  EXPECT_STREQ(values::SpeakerTypeName(0, false), "Empty");
  EXPECT_STREQ(values::SpeakerTypeName(14, false), "RL-M&WF");
  EXPECT_STREQ(values::SpeakerTypeName(24, true), "超低");
  EXPECT_STREQ(values::SpeakerTypeName(4, true), "前左中高频");
  EXPECT_STREQ(values::SpeakerTypeName(25, false), "");
  g_bChinese = 1;
  EXPECT_STREQ(values::SpeakerTypeName(1), "前左高频");
  g_bChinese = 0;
  EXPECT_STREQ(values::SpeakerTypeName(1), "FL-Tweeter");
}

TEST(ShelfSlope, Text) {
  EXPECT_EQ(values::ShelfSlopeText(0), "6dB/Oct");
  EXPECT_EQ(values::ShelfSlopeText(1), "12dB/Oct");
  EXPECT_EQ(values::ShelfSlopeText(2), "");
}

TEST(Delay, ShowingUsesThreeThirtyOne) {
  struct Case {
    int code;
    bool atMax;
    const char *ms, *cm, *inch;
  } cases[] = {{48, false, "1.000", "35", "14"}, {960, true, "20.000", "692", "272"}, {959, false, "19.979", "691", "272"},
               {0, false, "0.000", "0", "0"}};
  for (const Case& c : cases) {
    EXPECT_EQ(delay::FormatDelay(c.code, delay::kMilliseconds, c.atMax), c.ms);
    EXPECT_EQ(delay::FormatDelay(c.code, delay::kCentimetres, c.atMax), c.cm);
    EXPECT_EQ(delay::FormatDelay(c.code, delay::kInches, c.atMax), c.inch);
  }
}

TEST(Delay, EnteringUsesThreeThirtyOnePointFour) {
  struct Case {
    double v;
    delay::Unit unit;
    int code;
  } cases[] = {{0.99, delay::kMilliseconds, 47}, {20, delay::kMilliseconds, 960}, {-1, delay::kMilliseconds, 0},
               {35, delay::kCentimetres, 48},    {692, delay::kCentimetres, 959}, {700, delay::kCentimetres, 960},
               {14, delay::kInches, 49},         {-5, delay::kInches, 0}};
  for (const Case& c : cases) EXPECT_EQ(delay::EnteredDelayToCode(c.v, c.unit, 0, 960), c.code) << c.v;
}

TEST(DisplayFormat, TextsByType) {
  using display::EditRange;
  struct Case {
    int type, position;
    EditRange range;
    const char* text;
  } cases[] = {
      {display::kDelayCm, 48, {0, 960}, "35"},
      {display::kDelayMs, 960, {0, 960}, "20.000"},
      {display::kFrequency, 1000, {20, 20000}, "1000"},
      {display::kAttack, 0, {0, 106}, "0.3ms"},
      {display::kAttack, 6, {0, 106}, "0.9ms"},
      {display::kAttack, 106, {0, 106}, "100ms"},
      {display::kCrossoverHz, 20000, {20, 20000}, "20000Hz"},
      {display::kBandGain, 235, {0, 400, 0.1, 20.0}, "3.5"},
      {display::kBandGain, 0, {0, 400, 0.1, 20.0}, "-20.0"},
      {display::kBandQ, 4, {0, 295}, "16.052"},
      {display::kPlainLimited, 70, {0, 60}, "60"},
      {display::kThresholdDbu, 360, {0, 360, 0.1, 30.0}, "6.0dBu"},
      {display::kGainDb, 0, {0, 60, 1.0, 60.0}, "-60dB"},
      {display::kGainDb, 120, {0, 120, 0.5, 60.0}, "0dB"},
  };
  for (const Case& c : cases) EXPECT_EQ(display::Format(c.type, c.position, c.range), c.text) << c.type;
}

TEST(DisplayFormat, CommittedTextsBecomePositions) {
  using display::EditRange;
  struct Case {
    int type;
    const char* text;
    EditRange range;
    int position;
  } cases[] = {
      {display::kCrossoverHz, "100000", {20, 20000}, 20000},
      {display::kCrossoverHz, "5", {20, 20000}, 20},
      {display::kGainDb, "OFF", {0, 60, 1.0, 60.0}, 0},
      {display::kGainDb, "关闭", {0, 60, 1.0, 60.0}, 0},
      {display::kGainDb, "-6", {0, 60, 1.0, 60.0}, 54},
      {display::kThresholdDbu, "OFF", {0, 360, 0.1, 30.0}, 360},
      {display::kBandGain, "3.5", {0, 400, 0.1, 20.0}, 235},
      {display::kBandGain, "-2.3", {0, 400, 0.1, 20.0}, 177},
      {display::kBandGain, "99", {0, 400, 0.1, 20.0}, 400},
      {display::kBandQ, "20", {0, 295}, 4},
      {display::kBandQ, "1.344", {0, 295}, 100},
      {display::kDelayCm, "692", {0, 960}, 959},
      {display::kDelayMs, "0.99", {0, 960}, 47},
      {display::kAttack, "0.5", {0, 106}, 2},
      {display::kAttack, "100ms", {0, 106}, 106},
      {display::kFrequency, "abc", {20, 20000}, 20},
  };
  for (const Case& c : cases) EXPECT_EQ(display::Parse(c.type, c.text, c.range), c.position) << c.type << " " << c.text;
}

TEST(DisplayFormat, FrequencyStepsFollowTheGrid) {
  const display::EditRange range{20, 20000};
  auto walk = [&](int from, int delta, int steps) {
    std::vector<int> seen;
    for (int i = 0; i < steps; ++i) seen.push_back(from = display::Step(display::kFrequency, from, delta, range));
    return seen;
  };
  EXPECT_EQ(walk(20, +1, 9), (std::vector<int>{21, 22, 23, 24, 25, 27, 28, 29, 31}));
  EXPECT_EQ(walk(1000, +1, 4), (std::vector<int>{1030, 1060, 1090, 1123}));
  EXPECT_EQ(walk(20000, -1, 3), (std::vector<int>{19585, 19027, 18486}));
  EXPECT_EQ(display::Step(display::kFrequency, 20, -1, range), 20);
  EXPECT_EQ(display::Step(display::kCrossoverHz, 20000, +1, range), 20000);
  EXPECT_EQ(display::Step(display::kGainDb, 30, +1, {0, 60, 1.0, 60.0}), 31);
}

TEST(FieldText, StrictCutReadAndBlank) {
  RecordingNotifier notifier;
  uint8_t field[16];
  memset(field, 'x', sizeof field);
  EXPECT_TRUE(fields::WriteStrict(field, 8, "Mid"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 8), std::string("Mid\0\0\0\0\0", 8));
  EXPECT_FALSE(fields::WriteStrict(field, 8, "12345678"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 3), "Mid");
  g_bChinese = 1;
  EXPECT_FALSE(fields::WriteStrict(field, 8, "123456789"));
  g_bChinese = 0;
  EXPECT_EQ(notifier.shown, (std::vector<std::string>{"char Len error!", "字符长度错误!"}));

  fields::WriteCut(field, 16, "0123456789ABCDEFG");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 16), std::string("0123456789ABCDE\0", 16));
  const uint8_t name[16] = {' ', 'B', 'a', 's', 's', ' ', ' ', 0, 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'Q'};
  EXPECT_EQ(fields::ReadField(name, 16), "Bass");
  const uint8_t full[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
  EXPECT_EQ(fields::ReadFieldWhole(full, 8), "ABCDEFGH");
  EXPECT_EQ(fields::ReadField(full, 8), "ABCDEFG");
  EXPECT_TRUE(fields::IsBlank("   "));
  EXPECT_TRUE(fields::IsBlank(""));
  EXPECT_FALSE(fields::IsBlank(" a "));
}
