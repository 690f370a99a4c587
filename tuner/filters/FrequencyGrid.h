#pragma once
// The fixed 241-point frequency grid on which every response is computed.

#include <array>

namespace filters {

constexpr int kGridPoints = 241;
using Response = std::array<double, kGridPoints>;

// Grid frequencies in Hz, index 0 (19.7 Hz) to 240 (20000 Hz).
extern const std::array<double, kGridPoints> kGridHz;

// Index of the grid point closest to hz; a tie goes to the upper point and a
// frequency above the last point gives the last index.
int NearestGridIndex(double hz);

}  // namespace filters
