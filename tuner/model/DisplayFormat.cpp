#include "tuner/model/DisplayFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tuner/filters/FrequencyGrid.h"
#include "tuner/model/DelayUnits.h"
#include "tuner/model/FieldText.h"
#include "tuner/model/ValueTables.h"

namespace display {

namespace {

constexpr double kQDisplayBias = 0.025;
constexpr int kLowestQIndex = 4;  // typed Qs are limited to the Q of index 4
// Shown values are decimal; guards the truncation against binary rounding
// (3.5 dB must not become 3.4).
constexpr double kTruncationGuard = 1e-9;

bool IsDelayType(int type) { return type == kDelayMs || type == kDelayCm || type == kDelayInch; }
bool IsScaledType(int type) { return type == kBandGain || type == kThresholdDbu || type == kGainDb; }

std::string Printf(const char* format, double v) {
  char text[48];
  std::snprintf(text, sizeof text, format, v);
  return text;
}
std::string Printf(const char* format, int v) {
  char text[48];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string FormatAttack(int p) {
  return p <= 6 ? Printf("%0.1fms", (p + 3) * 0.1) : Printf("%dms", p - 6);
}

int ParseAttack(double ms) {
  if (ms < 1.0) return static_cast<int>(std::lround(ms * 10)) - 3;
  return static_cast<int>(ms) + 6;
}

// Value a word stands for, when the text is one of the "off" words.
bool OffWordValue(int type, const std::string& text, double* v) {
  const std::string word = fields::Trim(text);
  if (word != "OFF" && word != "关闭") return false;
  if (type == kGainDb) *v = -60.0;
  else if (type == kThresholdDbu) *v = 20.0;
  else return false;
  return true;
}

int ParseScaled(int type, const std::string& text, const EditRange& r) {
  double v;
  if (!OffWordValue(type, text, &v)) v = std::strtod(text.c_str(), nullptr);
  const double low = r.minimum * r.scale - r.offset;
  const double high = r.maximum * r.scale - r.offset;
  v = std::clamp(v, std::min(low, high), std::max(low, high));
  const double p = (v + r.offset) / r.scale;
  return static_cast<int>(std::trunc(p + (p >= 0 ? kTruncationGuard : -kTruncationGuard)));
}

int ParseQ(const std::string& text) {
  const auto& q = values::QTable();
  const double typed = std::clamp(std::strtod(text.c_str(), nullptr), q[values::kQRows - 1], q[kLowestQIndex]);
  return values::QLookup(typed);
}

// Nearest grid point, a tie going to the lower one.
int NearestGridPointLowTie(double hz) {
  const auto& grid = filters::kGridHz;
  const auto it = std::lower_bound(grid.begin(), grid.end(), hz);
  if (it == grid.end()) return filters::kGridPoints - 1;
  int i = static_cast<int>(it - grid.begin());
  if (i > 0 && hz - grid[i - 1] <= grid[i] - hz) --i;
  return i;
}

}  // namespace

bool IsFrequencyType(int type) { return type == kFrequency || type == kCrossoverHz; }

std::string Format(int type, int p, const EditRange& r) {
  const double v = p * r.scale - r.offset;
  if (IsDelayType(type)) {
    return delay::FormatDelay(p, static_cast<delay::Unit>(type), p == r.maximum, r.temperature);
  }
  switch (type) {
    case kAttack: return FormatAttack(p);
    case kCrossoverHz: return Printf("%dHz", p);
    case kBandGain: return Printf("%0.1f", v);
    case kBandQ: return Printf("%0.3f", values::QTable()[std::clamp(p, 0, values::kQRows - 1)] + kQDisplayBias);
    case kPlainLimited: return Printf("%d", std::min(p, r.maximum));
    case kThresholdDbu: return Printf("%0.1fdBu", v);
    case kGainDb: return Printf("%0.0fdB", v);
    default: return Printf("%d", p);
  }
}

int Parse(int type, const std::string& text, const EditRange& r) {
  int p;
  if (IsDelayType(type)) {
    return delay::EnteredDelayToCode(std::strtod(text.c_str(), nullptr), static_cast<delay::Unit>(type), r.minimum,
                                     r.maximum, r.temperature);
  } else if (IsScaledType(type)) {
    p = ParseScaled(type, text, r);
  } else if (type == kBandQ) {
    p = ParseQ(text);
  } else if (type == kAttack) {
    p = ParseAttack(std::strtod(text.c_str(), nullptr));
  } else {
    p = static_cast<int>(std::clamp(std::strtol(text.c_str(), nullptr, 10), -1000000L, 1000000L));
  }
  return std::clamp(p, r.minimum, r.maximum);
}

int Step(int type, int position, int delta, const EditRange& r) {
  const int stepped = std::clamp(position + delta, r.minimum, r.maximum);
  if (!IsFrequencyType(type) || stepped == position) return stepped;
  const int last = filters::kGridPoints - 1;
  const int nearest = NearestGridPointLowTie(stepped);
  const int index = delta > 0 ? std::min(nearest + 1, last) : std::max(nearest - 1, std::min(nearest, 1));
  return std::clamp(static_cast<int>(filters::kGridHz[index]), r.minimum, r.maximum);
}

}  // namespace display
