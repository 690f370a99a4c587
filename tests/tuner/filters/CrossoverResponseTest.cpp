// High-pass and low-pass crossover cascades.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/tuner/filters/ResponseChecks.h"

namespace filters {
namespace {

using reference::BesselLowPass;
using reference::Damped;
using reference::FirstOrder;

constexpr int kTypes[] = {kLinkwitzRiley, kBessel, kButterworth};

FilterDesign Crossover(int type, int crossoverType, int slope, int hz) {
  FilterDesign d;
  d.type = type;
  d.crossoverType = crossoverType;
  d.slope = slope;
  d.frequency = hz;
  return d;
}

double At(const Response& r, double hz) {
  const int i = NearestGridIndex(hz);
  EXPECT_EQ(kGridHz[i], hz) << "measuring point must lie on the grid";
  return r[i];
}

TEST(CrossoverResponse, OffPositionsAreFlat) {
  for (int type : kTypes) {
    for (int slope = 0; slope <= kSlopeOff; ++slope) {
      const FilterDesign cases[] = {
          Crossover(kHighPass, type, slope, 20),
          Crossover(kLowPass, type, slope, 20000),
          Crossover(kHighPass, type, kSlopeOff, 1000),
          Crossover(kLowPass, type, kSlopeOff, 1000),
      };
      for (const auto& d : cases) {
        const Response r = Compute(d);
        for (int i = 0; i < kGridPoints; ++i) {
          ASSERT_EQ(r[i], 0.0) << "type " << d.type << " xover " << type << " slope " << d.slope
                               << " " << d.frequency << " Hz, index " << i;
        }
      }
    }
  }
}

TEST(CrossoverResponse, IgnoresTheBandOffFlag) {
  // Crossover filters are built with "off" set; it must not silence them.
  FilterDesign d = Crossover(kHighPass, kButterworth, 3, 1000);
  d.inactive = true;
  EXPECT_LT(Compute(d)[0], -100);
}

TEST(CrossoverResponse, LinkwitzRiley24IsTwoEqualSectionsAndMinus6AtItsFrequency) {
  const Response r = Compute(Crossover(kHighPass, kLinkwitzRiley, 3, 1000));
  const reference::Biquad section = Damped(true, 1000, 0.70422535211);
  ExpectMatchesReference(r, {section, section});
  EXPECT_NEAR(At(r, 1000), -6.0, 0.1);
  EXPECT_NEAR(Compute(Crossover(kLowPass, kLinkwitzRiley, 3, 1000))[136], -6.0, 0.1);
}

TEST(CrossoverResponse, SixDbPerOctaveIsOneFirstOrderSectionForEveryType) {
  for (int type : kTypes) {
    SCOPED_TRACE(type);
    ExpectMatchesReference(Compute(Crossover(kHighPass, type, 0, 300)), {FirstOrder(true, 300, 1.0)});
    ExpectMatchesReference(Compute(Crossover(kLowPass, type, 0, 3000)), {FirstOrder(false, 3000, 1.0)});
  }
}

TEST(CrossoverResponse, CascadesMatchReferenceDesigns) {
  const double besselHp18 = 500 / 1.2854981442, besselHp42 = 100 / 1.5554981442;
  const double besselLp12 = 1000 / 1.3616541287, besselLp18 = 2000 / 1.75567236868;
  const double besselLp48 = 5000 / 3.17961723751;
  const struct {
    const char* what;
    FilterDesign design;
    reference::Cascade sections;
  } cases[] = {
      {"LR 18 high-pass", Crossover(kHighPass, kLinkwitzRiley, 2, 300),
       {FirstOrder(true, 300, 1.0), Damped(true, 300, 0.70422535211)}},
      {"LR 30 low-pass", Crossover(kLowPass, kLinkwitzRiley, 4, 2000),
       {FirstOrder(false, 2000, 1.0), Damped(false, 2000, 0.62), Damped(false, 2000, 0.62)}},
      {"LR 48 high-pass", Crossover(kHighPass, kLinkwitzRiley, 7, 80),
       {Damped(true, 80, 0.92592592593), Damped(true, 80, 0.373134315), Damped(true, 80, 0.92592592593),
        Damped(true, 80, 0.373134315)}},
      {"BW 12 low-pass", Crossover(kLowPass, kButterworth, 1, 10000), {Damped(false, 10000, 0.70422535)}},
      {"BW 36 high-pass", Crossover(kHighPass, kButterworth, 5, 80),
       {Damped(true, 80, 0.96153846), Damped(true, 80, 0.70422535211), Damped(true, 80, 0.2590673575)}},
      {"BW 42 low-pass", Crossover(kLowPass, kButterworth, 6, 1000),
       {FirstOrder(false, 1000, 1.0), Damped(false, 1000, 0.90909090909), Damped(false, 1000, 0.625),
        Damped(false, 1000, 0.2222222222)}},
      {"BW 48 low-pass", Crossover(kLowPass, kButterworth, 7, 3000),
       {Damped(false, 3000, 0.98039216), Damped(false, 3000, 0.83333333), Damped(false, 3000, 0.55555556),
        Damped(false, 3000, 0.1953125)}},
      {"Bessel 18 high-pass", Crossover(kHighPass, kBessel, 2, 500),
       {FirstOrder(true, besselHp18, 0.756), Damped(true, besselHp18, 0.72463768)}},
      {"Bessel 42 high-pass", Crossover(kHighPass, kBessel, 6, 100),
       {FirstOrder(true, besselHp42, 0.5937), Damped(true, besselHp42, 0.943396226415),
        Damped(true, besselHp42, 0.757575757576), Damped(true, besselHp42, 0.4424778761)}},
      {"Bessel 12 low-pass", Crossover(kLowPass, kBessel, 1, 1000), {BesselLowPass(besselLp12, 1.0, 0.3333333333)}},
      {"Bessel 18 low-pass", Crossover(kLowPass, kBessel, 2, 2000),
       {BesselLowPass(besselLp18, 0.5693712514, 0.154812441), BesselLowPass(besselLp18, 0.430628846, 0)}},
      {"Bessel 30 low-pass", Crossover(kLowPass, kBessel, 4, 1000),
       {BesselLowPass(1000, 0.6656, 0), BesselLowPass(1000, 1.1402, 0.4128), BesselLowPass(1000, 0.6216, 0.3245)}},
      {"Bessel 48 low-pass", Crossover(kLowPass, kBessel, 7, 5000),
       {BesselLowPass(besselLp48, 0.117235677, 0.02064747), BesselLowPass(besselLp48, 0.226516664, 0.0259273886),
        BesselLowPass(besselLp48, 0.3067559, 0.0294683265), BesselLowPass(besselLp48, 0.3494916166, 0.031272257)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectMatchesReference(Compute(c.design), c.sections);
  }
}

// Three to four octaves past the corner every cascade falls at its nominal
// 6 dB/octave per order. Corners keep the measuring points well below 10 kHz,
// where the bilinear warping would steepen the low-pass skirts.
TEST(CrossoverResponse, SkirtsFallAtTheNominalSlope) {
  for (int type : kTypes) {
    for (int slope = 0; slope < kSlopeOff; ++slope) {
      const double nominal = 6.0 * (slope + 1);
      SCOPED_TRACE(testing::Message() << "xover " << type << " " << nominal << " dB/oct");
      const Response hp = Compute(Crossover(kHighPass, type, slope, 4000));
      EXPECT_NEAR(At(hp, 500) - At(hp, 250), nominal, 0.6) << "high-pass";
      EXPECT_LT(At(hp, 250), -nominal * 3) << "high-pass";
      const Response lp = Compute(Crossover(kLowPass, type, slope, 250));
      EXPECT_NEAR(At(lp, 2000) - At(lp, 4000), nominal, 0.6) << "low-pass";
      EXPECT_LT(At(lp, 4000), -nominal * 3) << "low-pass";
    }
  }
}

TEST(CrossoverResponse, PassBandIsNearUnity) {
  for (int type : kTypes) {
    for (int slope = 0; slope < kSlopeOff; ++slope) {
      SCOPED_TRACE(testing::Message() << "xover " << type << " slope " << slope);
      EXPECT_NEAR(At(Compute(Crossover(kHighPass, type, slope, 100)), 8000), 0.0, 0.05);
      EXPECT_NEAR(At(Compute(Crossover(kLowPass, type, slope, 8000)), 125), 0.0, 0.05);
    }
  }
}

TEST(CrossoverResponse, OutOfRangeValuesStillGiveADrawableCurve) {
  for (int type : kTypes) {
    for (int slope = 0; slope <= 9; ++slope) {
      for (int hz : {0, -30, 1, 48000, 70000}) {
        for (int pass : {kHighPass, kLowPass}) {
          const Response r = Compute(Crossover(pass, type, slope, hz));
          for (int i = 0; i < kGridPoints; ++i) {
            ASSERT_TRUE(std::isfinite(r[i])) << "type " << pass << " xover " << type << " slope " << slope
                                             << " " << hz << " Hz at index " << i;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace filters
