#include "tuner/filters/FrequencyGrid.h"

#include <gtest/gtest.h>

namespace filters {
namespace {

TEST(FrequencyGrid, HasTheProcessorsPointsInRisingOrder) {
  ASSERT_EQ(kGridHz.size(), 241u);
  EXPECT_DOUBLE_EQ(kGridHz[0], 19.7);
  EXPECT_DOUBLE_EQ(kGridHz[76], 179);  // irregular, but what the device uses
  EXPECT_DOUBLE_EQ(kGridHz[136], 1000);
  EXPECT_DOUBLE_EQ(kGridHz[192], 5000);
  EXPECT_DOUBLE_EQ(kGridHz[240], 20000);
  for (int i = 1; i < kGridPoints; ++i) EXPECT_LT(kGridHz[i - 1], kGridHz[i]) << "index " << i;
}

TEST(FrequencyGrid, NearestIndexRoundsToTheCloserPointAndTiesUp) {
  const struct {
    double hz;
    int index;
  } cases[] = {
      {1000, 136},   {1014.9, 136}, {1015, 137},  {1016, 137},  // 1015 is half-way to 1030
      {180, 76},     {180.5, 77},   {181, 77},                  // around the odd 179
      {19.7, 0},     {19.9, 0},     {20.1, 1},    {10, 0},     {0, 0}, {-50, 0},
      {19585, 239},  {19800, 240},  {20000, 240}, {20001, 240}, {1e9, 240},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestGridIndex(c.hz), c.index) << c.hz << " Hz";
}

TEST(FrequencyGrid, EveryGridPointIsItsOwnNearestIndex) {
  for (int i = 0; i < kGridPoints; ++i) EXPECT_EQ(NearestGridIndex(kGridHz[i]), i);
}

}  // namespace
}  // namespace filters
