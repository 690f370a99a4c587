#pragma once
// Fixed tables of the parameter model and the texts of their codes.

#include <array>
#include <string>

namespace values {

constexpr int kQRows = 296;
constexpr int kSpeakerTypeCount = 25;

// Q of peaking bandwidth 0.05 + 0.01 n octaves, three decimals, descending.
const std::array<double, kQRows>& QTable();
// Bandwidth in octaves of index n.
inline double BandwidthOfIndex(int n) { return 0.05 + 0.01 * n; }
// First index whose Q is not above q; the last index when none.
int QLookup(double q);

// Speaker-type name in the given or the current language; empty when out of range.
const char* SpeakerTypeName(int index, bool chinese);
const char* SpeakerTypeName(int index);

// Slope text of a shelving band: "6dB/Oct", "12dB/Oct" or empty.
std::string ShelfSlopeText(int slope);

}  // namespace values
