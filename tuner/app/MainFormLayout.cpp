#include "tuner/app/MainFormLayout.h"

#include <map>

namespace app::layout {

namespace {

int column(int i) { return kChannelStrips.left() + kStripLabelWidth + i * kStripColumnWidth; }

QRect rowsOfStrip(int i, int dx, int y, int w, int h) { return QRect(column(i) + dx, y, w, h); }

// Top row of each strip element.
constexpr int kChannelRow = 494, kToggleRow = 522, kGainTop = 550, kTypeRow = 652;

// Speaker positions on the car seen from above, front at the top.
const std::vector<SpeakerSpot> kSpots = {
    {2700, 2580, {980, 96}},   // front left tweeter
    {2702, 2581, {980, 130}},  // front left midrange
    {2704, 2582, {980, 164}},  // front left woofer
    {2701, 2583, {1208, 96}},  // front right tweeter
    {2703, 2584, {1208, 130}}, // front right midrange
    {2705, 2585, {1208, 164}}, // front right woofer
    {2706, 2586, {980, 232}},  // rear left tweeter
    {2708, 2588, {980, 266}},  // rear left mid-woofer
    {2709, 2589, {1208, 232}}, // rear right tweeter
    {2711, 2591, {1208, 266}}, // rear right mid-woofer
    {2712, 2592, {1040, 318}}, // left subwoofer
    {2713, 2593, {1094, 318}}, // subwoofer
    {2714, 2594, {1148, 318}}, // right subwoofer
    {2715, 2595, {1070, 116}}, // centre mid-woofer
    {2716, 2596, {1070, 146}}, // centre full range
    {2717, 2597, {1070, 92}},  // centre tweeter
};

const std::map<int, QRect>& placedControls() {
  static const std::map<int, QRect> rects = {
      {1000, kGraph},
      {1368, kOutputPanel},
      // Delay units, left to right: centimetres, milliseconds, inches.
      {2286, QRect(962, 356, 80, 20)},
      {2285, QRect(1066, 356, 80, 20)},
      {2287, QRect(1170, 356, 80, 20)},
      // Crossover: high-pass column and low-pass column.
      {5500, QRect(994, 424, 124, 22)},
      {5511, QRect(994, 456, 124, 22)},
      {5510, QRect(994, 488, 124, 22)},
      {5502, QRect(1138, 424, 124, 22)},
      {5513, QRect(1138, 456, 124, 22)},
      {5512, QRect(1138, 488, 124, 22)},
      // System.
      {2225, QRect(1022, 540, 58, 22)},
      {2227, QRect(1086, 542, 130, 18)},
      {2280, QRect(1224, 538, 40, 24)},
      {5351, QRect(1022, 576, 58, 22)},
      {2400, QRect(1022, 612, 150, 22)},
      {2874, QRect(1022, 648, 150, 22)},
  };
  return rects;
}

}  // namespace

QRect ChannelButton(int i) { return rowsOfStrip(i, 0, kChannelRow, 76, 22); }
QRect MuteButton(int i) { return rowsOfStrip(i, 0, kToggleRow, 36, 20); }
QRect PhaseButton(int i) { return rowsOfStrip(i, 40, kToggleRow, 36, 20); }
QRect GainSlider(int i) { return rowsOfStrip(i, 2, kGainTop, 26, 94); }
QRect GainEdit(int i) { return rowsOfStrip(i, 30, kGainTop + 36, 46, 22); }
QRect SpeakerTypeButton(int i) { return rowsOfStrip(i, 0, kTypeRow, 76, 22); }
QRect LineButton(int i) { return QRect(kCurveColumn.left() + 6, kCurveColumn.top() + 6 + i * 24, 18, 18); }
QRect LineLabel(int i) { return QRect(kCurveColumn.left() + 28, kCurveColumn.top() + 6 + i * 24, 38, 18); }

const std::vector<SpeakerSpot>& SpeakerSpots() { return kSpots; }

QRect SpeakerButton(const SpeakerSpot& spot) { return QRect(spot.centre - QPoint(11, 11), QSize(22, 22)); }

QRect DelayEdit(const SpeakerSpot& spot) {
  // Beside the speaker toward the outside of the car; the subwoofers'
  // below them, the centre speakers' to their right.
  const int middle = kCarPanel.center().x();
  if (spot.centre.x() < middle - 60) return QRect(spot.centre.x() - 70, spot.centre.y() - 10, 52, 20);
  if (spot.centre.x() > middle + 60) return QRect(spot.centre.x() + 18, spot.centre.y() - 10, 52, 20);
  if (spot.centre.y() > kCarPanel.bottom() - 60) return QRect(spot.centre.x() - 26, spot.centre.y() + 12, 52, 18);
  return QRect(spot.centre.x() + 14, spot.centre.y() - 9, 52, 18);
}

QRect ControlRect(int id) {
  for (int i = 0; i < kChannels; ++i) {
    if (id == 6703 + i) return ChannelButton(i);
    if (id == 6050 + i) return MuteButton(i);
    if (id == 1944 + i) return PhaseButton(i);
    if (id == 8650 + i) return GainSlider(i);
    if (id == 8630 + i) return GainEdit(i);
    if (id == 3400 + i) return SpeakerTypeButton(i);
    if (id == 2103 + i) return LineButton(i);
    if (id == 2428 + i) return LineLabel(i);
  }
  for (const SpeakerSpot& s : kSpots) {
    if (id == s.buttonId) return SpeakerButton(s);
    if (id == s.delayEditId) return DelayEdit(s);
  }
  int x = 520;
  for (const ToolButton& b : ToolRow()) {
    if (b.id == id) return QRect(x, 8, b.width, 24);
    x += b.width + 6;
  }
  const auto& rects = placedControls();
  const auto it = rects.find(id);
  return it == rects.end() ? QRect() : it->second;
}

const std::vector<ToolButton>& ToolRow() {
  static const std::vector<ToolButton> row = {
      {2065, "菜单", "Menu", 78},         {3415, "音效", "Preset", 78},
      {3417, "类型复位", "Type Reset", 86}, {3418, "输入混合", "Input Mix", 86},
      {2247, "联调", "Link", 70},         {2331, "EQ复位", "EQ Reset", 78},
      {2388, "EQ操作", "EQ Tools", 78},    {1413, "连接", "Connect", 86},
      {2281, "", "", 24},                 {2282, "", "", 24},
  };
  return row;
}

}  // namespace app::layout
