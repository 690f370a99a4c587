#pragma once
// Text of a numeric edit's position by its display type, and the reverse
// when the user commits a typed value or steps it with the arrow keys. Pure
// functions: the numeric edit and spin of the front end only call these.

#include <string>

namespace display {

enum Type : int {
  kDelayMs = 0,
  kDelayCm = 1,
  kDelayInch = 2,
  kFrequency = 4,       // "%d"
  kAttack = 5,          // limiter attack time
  kCrossoverHz = 8,     // "%dHz"
  kBandGain = 10,       // v as "%0.1f"
  kBandQ = 11,          // Q of the bandwidth index + 0.025
  kPlainLimited = 15,   // "%d", never above the maximum
  kThresholdDbu = 24,   // v as "%0.1fdBu"
  kGainDb = 25,         // v as "%0.0fdB"
};

// Range and scaling of one edit; the shown value is position * scale - offset.
struct EditRange {
  int minimum = 0;
  int maximum = 0;
  double scale = 1.0;
  double offset = 0.0;
  int temperature = 75;  // delay types only
};

// Text shown for a position.
std::string Format(int type, int position, const EditRange& range);

// Position of a committed text: words "OFF" / "关闭" for the dB types, the
// value clamped to the range, never rejected.
int Parse(int type, const std::string& text, const EditRange& range);

// Position after one arrow-key step (delta +1 or -1); frequency types step
// along the response grid.
int Step(int type, int position, int delta, const EditRange& range);

bool IsFrequencyType(int type);

}  // namespace display
