#include "tuner/model/DelayUnits.h"

#include <algorithm>
#include <cstdio>

namespace delay {

namespace {

constexpr double kInchesPerMetre = 3.2808 * 12;

// Metres per millisecond.
double ShowingSpeed(int temperature) { return (331 + 0.6 * (temperature - 50)) / 1000; }
double EnteringSpeed(int temperature) { return (331.4 + 0.6 * (temperature - 50)) / 1000; }

}  // namespace

double CodeToMs(int code, bool atMaximum) { return atMaximum ? kMaxMs : code * kStepMs; }

std::string FormatDelay(int code, Unit unit, bool atMaximum, int temperature) {
  const double ms = CodeToMs(code, atMaximum);
  const double metres = ms * ShowingSpeed(temperature);
  char text[32];
  switch (unit) {
    case kCentimetres:
      std::snprintf(text, sizeof text, "%0.0f", metres * 100);
      break;
    case kInches:
      std::snprintf(text, sizeof text, "%0.0f", metres * kInchesPerMetre);
      break;
    default:
      std::snprintf(text, sizeof text, "%0.3f", ms);
      break;
  }
  return text;
}

int EnteredDelayToCode(double v, Unit unit, int minimum, int maximum, int temperature) {
  if (v < 0) return minimum;
  int code;
  if (unit == kMilliseconds) {
    if (v >= kMaxMs) return maximum;
    code = static_cast<int>(v / kStepMs);
  } else {
    const double speed = EnteringSpeed(temperature);
    double metres = unit == kCentimetres ? v / 100 : v / kInchesPerMetre;
    metres = std::min(metres, speed * kMaxMs);
    const double ms = metres / speed;
    if (ms >= kMaxMs) return maximum;
    code = static_cast<int>(ms / kStepMs + 0.5);
  }
  return std::clamp(code, minimum, maximum);
}

}  // namespace delay
