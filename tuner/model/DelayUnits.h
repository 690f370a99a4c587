#pragma once
// Delay codes (steps of 1/48 ms) in the user's units. Showing uses a speed of
// sound of 331 m/s at 50 degrees, entering 331.4: a distance typed back as it
// is shown can land one code lower, as on the processor's own tools.

#include <string>

namespace delay {

enum Unit : int { kMilliseconds = 0, kCentimetres = 1, kInches = 2 };

constexpr double kStepMs = 1.0 / 48;  // 0.020833333333333332
constexpr double kMaxMs = 20.0;
constexpr int kDefaultTemperature = 75;

// Delay in ms of a code; an edit at its maximum position shows 20 exactly.
double CodeToMs(int code, bool atMaximum);

// Text of a code in a unit: "%0.3f" ms, "%0.0f" cm or inches, no unit text.
std::string FormatDelay(int code, Unit unit, bool atMaximum, int temperature = kDefaultTemperature);

// Code of an entered value v in a unit, between minimum and maximum position.
int EnteredDelayToCode(double v, Unit unit, int minimum, int maximum, int temperature = kDefaultTemperature);

}  // namespace delay
