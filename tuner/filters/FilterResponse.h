#pragma once
// Magnitude response of one equaliser band or crossover filter, modelled as a
// cascade of digital biquad sections at 96 kHz and evaluated on the grid.

#include "tuner/filters/FrequencyGrid.h"

namespace filters {

// Type codes as stored in the filter objects and the band records.
enum FilterType : int { kPeaking = 0, kLowShelf = 1, kHighShelf = 2, kHighPass = 3, kLowPass = 4 };
enum CrossoverType : int { kLinkwitzRiley = 0, kBessel = 1, kButterworth = 2 };
constexpr int kSlopeOff = 8;

// Everything a response depends on. The design always uses the set frequency,
// never the applied one the device is walked towards.
struct FilterDesign {
  int type = kPeaking;
  int frequency = 1000;        // Hz
  double gain = 0.0;           // dB (bands)
  double bandwidth = 0.2;      // octaves (peaking bands)
  int crossoverType = kButterworth;
  int slope = 2;               // crossovers 0..7 (6..48 dB/oct), 8 off; shelves 0 or 1
  bool inactive = false;       // a band that is bypassed or switched off
};

// Fills out with the filter's value in dB at every grid point.
void ComputeResponse(const FilterDesign& design, Response& out);

}  // namespace filters
