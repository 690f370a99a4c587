#include "tuner/filters/FilterResponse.h"

#include <array>
#include <cmath>
#include <limits>

namespace filters {
namespace {

// Exact literals of the processor's own design code: the evaluation and the
// design angle are deliberately not derived from one constant.
constexpr double kEvalAngleFactor = 6.2831852 / 96000.0;
constexpr double kDesignAngleFactor = 6.544985e-05;
constexpr double kLn2 = 0.69314718;
constexpr double kSectionGuard = 1e-10;
constexpr int kMaxSections = 4;
constexpr int kCrossoverOrders = 8;
// Squared magnitudes are kept inside the finite range so that parameters far
// outside their ranges (a low-pass at 0 Hz from a blank record) still give a
// curve that can be summed and drawn, never -inf or NaN.
constexpr double kMinPower = std::numeric_limits<double>::min();
constexpr double kMaxPower = std::numeric_limits<double>::max();

// One biquad, already divided by a0.
struct Section {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

Section Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

double Guarded(double a0) { return a0 == 0.0 ? kSectionGuard : a0; }

struct GridAngles {
  std::array<double, kGridPoints> cos, sin;
  GridAngles() {
    for (int i = 0; i < kGridPoints; ++i) {
      const double w = kGridHz[i] * kEvalAngleFactor;
      cos[i] = std::cos(w);
      sin[i] = std::sin(w);
    }
  }
};

const GridAngles& Angles() {
  static const GridAngles angles;
  return angles;
}

// The filter's dB value is the sum of its sections' dB values; multiplying
// the squared magnitudes first needs one logarithm per point instead of one
// per section.
void Evaluate(const Section* sections, int count, Response& out) {
  const GridAngles& g = Angles();
  for (int i = 0; i < kGridPoints; ++i) {
    const double c = g.cos[i], s = g.sin[i];
    double power = 1.0;
    for (int k = 0; k < count; ++k) {
      const Section& q = sections[k];
      const double nRe = q.b0 * c + q.b1 + q.b2 * c;
      const double nIm = (q.b0 - q.b2) * s;
      const double dRe = c + q.a1 + q.a2 * c;
      const double dIm = (1.0 - q.a2) * s;
      power *= (nRe * nRe + nIm * nIm) / (dRe * dRe + dIm * dIm);
    }
    if (!(power >= kMinPower)) power = kMinPower;  // also catches NaN
    if (power > kMaxPower) power = kMaxPower;
    out[i] = 10.0 * std::log10(power);
  }
}

Section PeakingSection(const FilterDesign& d) {
  const double fc = kGridHz[NearestGridIndex(d.frequency)];
  const double A = std::pow(10.0, d.gain / 40.0);
  const double w0 = fc * kDesignAngleFactor;
  const double sn = std::sin(w0), cs = std::cos(w0);
  const double alpha = sn * std::sinh(d.bandwidth * kLn2 * w0 / sn);
  return Normalised(1 + alpha * A, -2 * cs, 1 - alpha * A, 1 + alpha / A, -2 * cs, 1 - alpha / A);
}

struct ShelfShape {
  double S, k;
};
// [type - 1][slope]
constexpr ShelfShape kShelfShapes[2][2] = {
    {{0.5, 2.0}, {1.3, 1.2727272727}},
    {{0.5, 0.4545454546}, {1.3, 0.76923076923}},
};

Section ShelvingSection(const FilterDesign& d) {
  if (d.gain == 0.0) return {};
  const ShelfShape shape = kShelfShapes[d.type == kHighShelf][d.slope == 1];
  const double w0 = d.frequency * kDesignAngleFactor * shape.k;
  const double A = std::pow(10.0, d.gain / 40.0);
  const double cs = std::cos(w0);
  // The 12 dB/octave shape has no real solution beyond about +-37 dB (only a
  // corrupt record gets there); such gains take the steepest monotonic
  // shape, S = 1, instead of a NaN.
  double q = (1 / shape.S - 1) * (A + 1 / A) + 2;
  if (q < 0) q = 2;
  const double alpha = (std::sin(w0) / 2) * std::sqrt(q);
  const double beta = 2 * std::sqrt(A) * alpha;
  if (d.type == kLowShelf) {
    return Normalised(A * ((A + 1) - (A - 1) * cs + beta), 2 * A * ((A - 1) - (A + 1) * cs),
                      A * ((A + 1) - (A - 1) * cs - beta), (A + 1) + (A - 1) * cs + beta,
                      -2 * ((A - 1) + (A + 1) * cs), (A + 1) + (A - 1) * cs - beta);
  }
  return Normalised(A * ((A + 1) + (A - 1) * cs + beta), -2 * A * ((A - 1) + (A + 1) * cs),
                    A * ((A + 1) + (A - 1) * cs - beta), (A + 1) - (A - 1) * cs + beta,
                    2 * ((A - 1) - (A + 1) * cs), (A + 1) - (A - 1) * cs - beta);
}

using Dampings = std::array<double, kMaxSections>;

// Section dampings by crossover type and order index; 0 is a unity section.
constexpr Dampings kLinkwitzRileyDampings[kCrossoverOrders] = {
    {1.0},
    {1.0},
    {1.0, 0.70422535211},
    {0.70422535211, 0.70422535211},
    {1.0, 0.62, 0.62},
    {1.0, 0.5, 0.5},
    {1.0, 0.453134315, 0.92592592593, 0.453134315},
    {0.92592592593, 0.373134315, 0.92592592593, 0.373134315},
};
constexpr Dampings kButterworthDampings[kCrossoverOrders] = {
    {1.0},
    {0.70422535},
    {1.0, 0.5},
    {0.92592593, 0.38167939},
    {1.0, 0.8064616129, 0.3086417953},
    {0.96153846, 0.70422535211, 0.2590673575},
    {1.0, 0.90909090909, 0.625, 0.2222222222},
    {0.98039216, 0.83333333, 0.55555556, 0.1953125},
};
constexpr Dampings kBesselHighPassDampings[kCrossoverOrders] = {
    {1.0},
    {0.70422535},
    {0.756, 0.72463768},
    {0.96153846, 0.61728395},
    {0.6656, 0.8928571428, 0.54347826},
    {0.980392156, 0.819672131, 0.490196},
    {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
    {0.98039216, 0.89285714, 0.70422535, 0.40650406},
};
constexpr double kBesselHighPassDivisor[kCrossoverOrders] = {
    1.0, 1.2683112435, 1.2854981442, 1.5006420029, 1.3854981442, 1.5554981442, 1.5554981442, 1.679120141,
};

const Dampings& DampingsFor(int crossoverType, int n) {
  switch (crossoverType) {
    case kLinkwitzRiley: return kLinkwitzRileyDampings[n];
    case kBessel: return kBesselHighPassDampings[n];
    default: return kButterworthDampings[n];
  }
}

int DampedCascade(const FilterDesign& d, int n, Section* out) {
  const bool highPass = d.type == kHighPass;
  const Dampings& damp = DampingsFor(d.crossoverType, n);
  double designHz = d.frequency;
  if (highPass && d.crossoverType == kBessel && n >= 1) designHz /= kBesselHighPassDivisor[n];
  const double w0 = designHz * kDesignAngleFactor;
  const double cs = std::cos(w0), sn = std::sin(w0), t = std::tan(w0 / 2);

  for (int k = 0; k < kMaxSections; ++k) {
    if (damp[k] == 0.0) {
      out[k] = {};
      continue;
    }
    const double alpha = sn * damp[k];
    const double a0 = Guarded(1 + alpha);
    out[k] = highPass ? Normalised((1 + cs) / 2, -(1 + cs), (1 + cs) / 2, a0, -2 * cs, 1 - alpha)
                      : Normalised((1 - cs) / 2, 1 - cs, (1 - cs) / 2, a0, -2 * cs, 1 - alpha);
  }
  // Odd filter orders: the first section becomes first order.
  if (n % 2 == 0) {
    const double d0 = damp[0];
    out[0] = highPass ? Normalised(1, -1, 0, Guarded(d0 * t + 1), d0 * t - 1, 0)
                      : Normalised(t, t, 0, Guarded(t + d0), t - d0, 0);
  }
  return kMaxSections;
}

struct BesselLowPassRow {
  double divisor;
  Dampings A, B;
};
// Analogue sections 1 / (B s^2 + A s + 1), indexed by order index 1..7.
constexpr BesselLowPassRow kBesselLowPass[kCrossoverOrders] = {
    {1.0, {}, {}},
    {1.3616541287, {1.0}, {0.3333333333}},
    {1.75567236868, {0.5693712514, 0.430628846}, {0.154812441, 0}},
    {2.1139176749, {0.369, 0.6278294896}, {0.087858766, 0.109408}},
    {1.0, {0.6656, 1.1402, 0.6216}, {0, 0.4128, 0.3245}},
    {1.0, {1.2217, 0.9686, 0.5131}, {0.3887, 0.3505, 0.2756}},
    {1.0, {0.5937, 1.0944, 0.8304, 0.4332}, {0, 0.3395, 0.3011, 0.2381}},
    {3.17961723751,
     {0.117235677, 0.226516664, 0.3067559, 0.3494916166},
     {0.02064747, 0.0259273886, 0.0294683265, 0.031272257}},
};

int BesselLowPassCascade(const FilterDesign& d, int n, Section* out) {
  const BesselLowPassRow& row = kBesselLowPass[n];
  const double w0 = d.frequency / row.divisor * kDesignAngleFactor;
  const double t = std::tan(w0 / 2), T = t * t;
  for (int k = 0; k < kMaxSections; ++k) {
    const double A = row.A[k], B = row.B[k];
    out[k] = A == 0.0 ? Section{}
                      : Normalised(T, 2 * T, T, Guarded(A * t + T + B), 2 * T - 2 * B, T - A * t + B);
  }
  return kMaxSections;
}

bool CrossoverIsFlat(const FilterDesign& d) {
  if (d.slope < 0 || d.slope >= kCrossoverOrders) return true;  // 8 is "off"
  return d.type == kHighPass ? d.frequency == 20 : d.frequency == 20000;
}

}  // namespace

void ComputeResponse(const FilterDesign& d, Response& out) {
  Section sections[kMaxSections];
  int count = 0;
  switch (d.type) {
    case kPeaking:
      if (!d.inactive) sections[count++] = PeakingSection(d);
      break;
    case kLowShelf:
    case kHighShelf:
      if (!d.inactive) sections[count++] = ShelvingSection(d);
      break;
    case kHighPass:
    case kLowPass:
      if (CrossoverIsFlat(d)) break;
      count = (d.type == kLowPass && d.crossoverType == kBessel && d.slope >= 1)
                  ? BesselLowPassCascade(d, d.slope, sections)
                  : DampedCascade(d, d.slope, sections);
      break;
    default:
      break;
  }
  if (count == 0) {
    out.fill(0.0);
    return;
  }
  Evaluate(sections, count, out);
}

}  // namespace filters
