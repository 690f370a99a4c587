#include "tuner/model/ValueTables.h"

#include <cmath>

#include "tuner/model/Globals.h"

namespace values {

namespace {

std::array<double, kQRows> BuildQTable() {
  std::array<double, kQRows> table{};
  for (int n = 0; n < kQRows; ++n) {
    const double b = BandwidthOfIndex(n);
    const double q = std::pow(2.0, b / 2) / (std::pow(2.0, b) - 1);
    table[n] = std::round(q * 1000) / 1000;
  }
  return table;
}

struct SpeakerTypeText {
  const char* en;
  const char* zh;
};

constexpr SpeakerTypeText kSpeakerTypes[kSpeakerTypeCount] = {
    {"Empty", "空"},           {"FL-Tweeter", "前左高频"}, {"FL-Midrange", "前左中频"},
    {"FL-Woofer", "前左低频"}, {"FL-M&T", "前左中高频"},   {"FL-M&WF", "前左中低频"},
    {"FL-FB", "前左全频"},     {"FR-Tweeter", "前右高频"}, {"FR-Midrange", "前右中频"},
    {"FR-Woofer", "前右低频"}, {"FR-M&T", "前右中高频"},   {"FR-M&WF", "前右中低频"},
    {"FR-FB", "前右全频"},     {"RL-Tweeter", "后左高频"}, {"RL-M&WF", "后左中低频"},
    {"RL-FB", "后左全频"},     {"RR-Tweeter", "后右高频"}, {"RR-M&WF", "后右中低频"},
    {"RR-FB", "后右全频"},     {"C-Tweeter", "中置高频"},  {"C-M&WF", "中置中低频"},
    {"C-FB", "中置全频"},      {"L-Subwoofer", "左超低"},  {"R-Subwoofer", "右超低"},
    {"Subwoofer", "超低"},
};

}  // namespace

const std::array<double, kQRows>& QTable() {
  static const std::array<double, kQRows> table = BuildQTable();
  return table;
}

int QLookup(double q) {
  const auto& table = QTable();
  for (int n = 0; n < kQRows; ++n) {
    if (q >= table[n]) return n;
  }
  return kQRows - 1;
}

const char* SpeakerTypeName(int index, bool chinese) {
  if (index < 0 || index >= kSpeakerTypeCount) return "";
  return chinese ? kSpeakerTypes[index].zh : kSpeakerTypes[index].en;
}

const char* SpeakerTypeName(int index) { return SpeakerTypeName(index, g_bChinese != 0); }

std::string ShelfSlopeText(int slope) {
  if (slope == 0) return "6dB/Oct";
  if (slope == 1) return "12dB/Oct";
  return "";
}

}  // namespace values
