// Equaliser bands: peaking and shelving sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/tuner/filters/ResponseChecks.h"

namespace filters {
namespace {

FilterDesign Band(int type, int hz, double gainDb, int slope = 0, double octaves = 0.2) {
  FilterDesign d;
  d.type = type;
  d.frequency = hz;
  d.gain = gainDb;
  d.slope = slope;
  d.bandwidth = octaves;
  return d;
}


int PeakIndex(const Response& r) {
  return static_cast<int>(std::max_element(r.begin(), r.end()) - r.begin());
}

TEST(BandResponse, InactiveOrZeroGainBandsAreFlat) {
  const struct {
    const char* what;
    FilterDesign design;
  } cases[] = {
      {"peaking off", [] { auto d = Band(kPeaking, 1000, 6); d.inactive = true; return d; }()},
      {"low shelf off", [] { auto d = Band(kLowShelf, 100, -9, 1); d.inactive = true; return d; }()},
      {"high shelf off", [] { auto d = Band(kHighShelf, 8000, 12); d.inactive = true; return d; }()},
      {"peaking 0 dB", Band(kPeaking, 63, 0.0, 0, 3.0)},
      {"low shelf 0 dB, 6 dB/oct", Band(kLowShelf, 200, 0.0, 0)},
      {"low shelf 0 dB, 12 dB/oct", Band(kLowShelf, 200, 0.0, 1)},
      {"high shelf 0 dB, 6 dB/oct", Band(kHighShelf, 5000, 0.0, 0)},
      {"high shelf 0 dB, 12 dB/oct", Band(kHighShelf, 5000, 0.0, 1)},
  };
  for (const auto& c : cases) {
    const Response r = Compute(c.design);
    for (int i = 0; i < kGridPoints; ++i) ASSERT_EQ(r[i], 0.0) << c.what << " at index " << i;
  }
}

TEST(BandResponse, PeakingCentreMovesToTheNearestGridPoint) {
  const Response at1005 = Compute(Band(kPeaking, 1005, 6));
  EXPECT_EQ(at1005, Compute(Band(kPeaking, 1000, 6)));
  EXPECT_EQ(PeakIndex(at1005), 136);
  EXPECT_NEAR(at1005[136], 6.0, 1e-4);

  const Response at1015 = Compute(Band(kPeaking, 1015, 6));  // half-way: goes up
  EXPECT_EQ(at1015, Compute(Band(kPeaking, 1030, 6)));
  EXPECT_EQ(PeakIndex(at1015), 137);
  EXPECT_NEAR(at1015[137], 6.0, 1e-4);
}

TEST(BandResponse, PeakingMatchesReferenceDesign) {
  const struct {
    int hz;
    double gridHz, gain, octaves;
  } cases[] = {
      {1005, 1000, 6, 0.2}, {50, 49.6, -12, 1.0}, {180, 179, 20, 0.05}, {15000, 15102, 3.5, 3.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hz);
    ExpectMatchesReference(Compute(Band(kPeaking, c.hz, c.gain, 0, c.octaves)),
                           {reference::Peaking(c.gridHz, c.gain, c.octaves)});
  }
}

TEST(BandResponse, WiderBandwidthRaisesTheSkirts) {
  const Response narrow = Compute(Band(kPeaking, 1000, 6, 0, 0.2));
  const Response wide = Compute(Band(kPeaking, 1000, 6, 0, 2.0));
  EXPECT_NEAR(wide[136], narrow[136], 1e-6);
  EXPECT_GT(wide[112], narrow[112] + 1.0);  // 500 Hz, an octave below
}

TEST(BandResponse, ShelvesMatchReferenceDesign) {
  const struct {
    int type, slope, hz;
    double gain, S, k;
  } cases[] = {
      {kLowShelf, 0, 100, 6, 0.5, 2.0},
      {kLowShelf, 1, 500, -9, 1.3, 1.2727272727},
      {kHighShelf, 0, 4000, 4, 0.5, 0.4545454546},
      {kHighShelf, 1, 8000, -12, 1.3, 0.76923076923},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " slope " << c.slope);
    ExpectMatchesReference(Compute(Band(c.type, c.hz, c.gain, c.slope)),
                           {reference::Shelf(c.type == kHighShelf, c.hz, c.gain, c.S, c.k)});
  }
}

TEST(BandResponse, ShelvesReachTheirGainAtTheFarEnd) {
  for (int slope : {0, 1}) {
    for (double gain : {6.0, -12.0, 20.0}) {
      SCOPED_TRACE(testing::Message() << "slope " << slope << " gain " << gain);
      const Response low = Compute(Band(kLowShelf, 500, gain, slope));
      EXPECT_NEAR(low.front(), gain, 0.1);
      EXPECT_NEAR(low.back(), 0.0, 0.1);
      const Response high = Compute(Band(kHighShelf, 1000, gain, slope));
      EXPECT_NEAR(high.front(), 0.0, 0.1);
      EXPECT_NEAR(high.back(), gain, 0.1);
    }
  }
}

TEST(BandResponse, OutOfRangeValuesStillGiveADrawableCurve) {
  // Values a corrupt record may carry; the sum of a channel must stay finite.
  const FilterDesign cases[] = {
      Band(kLowShelf, 200, 60, 1),   Band(kHighShelf, 2000, -80, 1), Band(kLowShelf, 0, 12, 0),
      Band(kHighShelf, -100, 6, 1),  Band(kPeaking, 0, 6, 0, 0.0),   Band(kPeaking, 1000, 500, 0, 3),
      Band(kHighShelf, 60000, 6, 1),
  };
  for (const auto& d : cases) {
    const Response r = Compute(d);
    for (int i = 0; i < kGridPoints; ++i) {
      ASSERT_TRUE(std::isfinite(r[i])) << "type " << d.type << " " << d.frequency << " Hz "
                                       << d.gain << " dB at index " << i;
    }
  }
}

TEST(BandResponse, ShelfGainBeyondTheSteepShapesRangeKeepsItsLevels) {
  const Response low = Compute(Band(kLowShelf, 500, 60, 1));
  EXPECT_NEAR(low.front(), 60, 0.5);
  EXPECT_NEAR(low.back(), 0, 0.5);
  const Response high = Compute(Band(kHighShelf, 1000, -60, 1));
  EXPECT_NEAR(high.front(), 0, 0.5);
  EXPECT_NEAR(high.back(), -60, 0.5);
  for (double v : high) EXPECT_LE(v, 0.01);  // no resonance
}

}  // namespace
}  // namespace filters
