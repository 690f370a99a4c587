#pragma once
// What the band and crossover tests share: computing a response so that an
// unwritten point shows, and comparing it with the independent reference.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/tuner/filters/ReferenceBiquad.h"
#include "tuner/filters/FilterResponse.h"

namespace filters {

inline Response Compute(const FilterDesign& d) {
  Response r;
  r.fill(12345.0);  // every point must be written
  ComputeResponse(d, r);
  return r;
}

inline void ExpectMatchesReference(const Response& r, const reference::Cascade& ref) {
  for (int i = 0; i < kGridPoints; ++i) {
    const double expected = reference::MagnitudeDb(ref, reference::GridAngle(i));
    ASSERT_NEAR(r[i], expected, 1e-7 + 1e-9 * std::fabs(expected)) << "at " << kGridHz[i] << " Hz";
  }
}

}  // namespace filters
