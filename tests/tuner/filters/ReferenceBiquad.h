#pragma once
// Reference designs for the response tests: coefficients written out from the
// design formulas and evaluated as H(e^jw) with complex arithmetic, a path
// independent of the production code's real-valued evaluation.

#include <cmath>
#include <complex>
#include <vector>

#include "tuner/filters/FrequencyGrid.h"

namespace filters::reference {

struct Biquad {
  double b0, b1, b2, a0, a1, a2;
};
using Cascade = std::vector<Biquad>;

constexpr double kDesignAngle = 6.544985e-05;  // radians per Hz

inline double GridAngle(int i) { return kGridHz[i] * 6.2831852 / 96000; }

inline double MagnitudeDb(const Cascade& sections, double w) {
  const std::complex<double> zInv = std::polar(1.0, -w);
  std::complex<double> h = 1.0;
  for (const Biquad& q : sections) {
    h *= (q.b0 + zInv * (q.b1 + zInv * q.b2)) / (q.a0 + zInv * (q.a1 + zInv * q.a2));
  }
  return 20 * std::log10(std::abs(h));
}

inline Biquad Peaking(double centreHz, double gainDb, double octaves) {
  const double A = std::pow(10.0, gainDb / 40), w0 = centreHz * kDesignAngle;
  const double alpha = std::sin(w0) * std::sinh(octaves * std::log(2.0) * w0 / std::sin(w0));
  const double c = std::cos(w0);
  return {1 + alpha * A, -2 * c, 1 - alpha * A, 1 + alpha / A, -2 * c, 1 - alpha / A};
}

inline Biquad Shelf(bool high, double hz, double gainDb, double S, double k) {
  const double A = std::pow(10.0, gainDb / 40), w0 = hz * kDesignAngle * k;
  const double c = std::cos(w0);
  const double beta = 2 * std::sqrt(A) * std::sin(w0) / 2 * std::sqrt((1 / S - 1) * (A + 1 / A) + 2);
  if (!high) {
    return {A * ((A + 1) - (A - 1) * c + beta), 2 * A * ((A - 1) - (A + 1) * c),
            A * ((A + 1) - (A - 1) * c - beta), (A + 1) + (A - 1) * c + beta,
            -2 * ((A - 1) + (A + 1) * c),        (A + 1) + (A - 1) * c - beta};
  }
  return {A * ((A + 1) + (A - 1) * c + beta), -2 * A * ((A - 1) + (A + 1) * c),
          A * ((A + 1) + (A - 1) * c - beta), (A + 1) - (A - 1) * c + beta,
          2 * ((A - 1) - (A + 1) * c),         (A + 1) - (A - 1) * c - beta};
}

// Second-order crossover section with damping d at design frequency hz.
inline Biquad Damped(bool high, double hz, double d) {
  const double w0 = hz * kDesignAngle, c = std::cos(w0), alpha = std::sin(w0) * d;
  if (high) return {(1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha};
  return {(1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha};
}

inline Biquad FirstOrder(bool high, double hz, double d0) {
  const double t = std::tan(hz * kDesignAngle / 2);
  if (high) return {1, -1, 0, d0 * t + 1, d0 * t - 1, 0};
  return {t, t, 0, t + d0, t - d0, 0};
}

// Bilinear image of the analogue section 1 / (B s^2 + A s + 1).
inline Biquad BesselLowPass(double hz, double A, double B) {
  const double t = std::tan(hz * kDesignAngle / 2), T = t * t;
  return {T, 2 * T, T, A * t + T + B, 2 * T - 2 * B, T - A * t + B};
}

}  // namespace filters::reference
