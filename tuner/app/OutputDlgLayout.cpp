#include "tuner/app/OutputDlgLayout.h"

#include <cmath>
#include <map>

namespace app::outlayout {

namespace {

struct RowSpan {
  int top, height;
};

RowSpan Span(Row row) {
  switch (row) {
    case Row::Number: return {1, 12};
    case Row::Frequency: return {14, 13};
    case Row::Q: return {27, 13};
    case Row::Gain: return {40, 13};
    case Row::Slider: return {54, 86};
    case Row::Bypass: return {141, 13};
  }
  return {0, 0};
}

// Rows of the crossover and limiter groups.
constexpr int kFirstRow = 48, kRowStep = 30, kRowHeight = 18;

}  // namespace

QRect BandCell(int band, Row row) {
  const RowSpan s = Span(row);
  const int left = kCaptionWidth + band * kColumnWidth;
  if (row == Row::Slider) return QRect(left + (kColumnWidth - kSliderWidth) / 2, s.top, kSliderWidth, s.height);
  if (row == Row::Bypass) return QRect(left + 2, s.top, kColumnWidth - 4, s.height);
  return QRect(left, s.top, kColumnWidth, s.height);
}

QRect CaptionCell(Row row) {
  const RowSpan s = Span(row);
  return QRect(0, s.top, kCaptionWidth - 2, s.height);
}

int GainY(int position) {
  const RowSpan s = Span(Row::Slider);
  const int travel = s.height - kThumbSize.height();
  // The slider's maximum is at the top; its centre formula is the slider's own.
  return s.top + kThumbSize.height() / 2 +
         static_cast<int>(std::lround(double(kGainMax - position) * travel / (kGainMax - kGainMin)));
}

QRect ChannelPageControl(int controlId) {
  static const std::map<int, QRect> rects = {
      // Equaliser: mode, reset, all-bypass (1870 is the hidden twin of 1976).
      {5686, QRect(52, 44, 70, 22)},
      {5687, QRect(130, 44, 70, 22)},
      {1976, QRect(52, 80, 148, 22)},
      {1870, QRect(52, 110, 148, 22)},
      // Crossover: type, slope, frequency for the high-pass, then the low-pass.
      {1001, QRect(280, kFirstRow, 90, kRowHeight)},
      {1014, QRect(378, kFirstRow, 86, kRowHeight)},
      {1004, QRect(472, kFirstRow, 78, kRowHeight)},
      {1013, QRect(280, kFirstRow + kRowStep, 90, kRowHeight)},
      {1015, QRect(378, kFirstRow + kRowStep, 86, kRowHeight)},
      {1005, QRect(472, kFirstRow + kRowStep, 78, kRowHeight)},
      // Channel gain and the limiter.
      {1625, QRect(650, kFirstRow, 70, kRowHeight)},
      {1010, QRect(810, kFirstRow, 76, kRowHeight)},
      {1609, QRect(650, kFirstRow + kRowStep, 70, kRowHeight)},
      {1614, QRect(810, kFirstRow + kRowStep, 76, kRowHeight)},
  };
  const auto it = rects.find(controlId);
  return it == rects.end() ? QRect() : it->second;
}

const Caption* ChannelPageCaptions(int* count) {
  static const Caption captions[] = {
      {QRect(kEqGroup.left() + 8, kEqGroup.top() + 2, 150, 16), "均衡", "EQ"},
      {QRect(kCrossoverGroup.left() + 8, kCrossoverGroup.top() + 2, 150, 16), "分频", "Crossover"},
      {QRect(kLimiterGroup.left() + 8, kLimiterGroup.top() + 2, 150, 16), "增益 / 限幅", "Gain / Limiter"},
      {QRect(280, 30, 90, 16), "类型", "Type"},
      {QRect(378, 30, 86, 16), "斜率", "Oct"},
      {QRect(472, 30, 78, 16), "频率", "HZ"},
      {QRect(228, kFirstRow, 50, kRowHeight), "高通", "HPF"},
      {QRect(228, kFirstRow + kRowStep, 50, kRowHeight), "低通", "LPF"},
      {QRect(578, kFirstRow, 70, kRowHeight), "增益", "Gain"},
      {QRect(730, kFirstRow, 78, kRowHeight), "门限", "Threshold"},
      {QRect(578, kFirstRow + kRowStep, 70, kRowHeight), "启动", "Attack"},
      {QRect(730, kFirstRow + kRowStep, 78, kRowHeight), "释放", "Release"},
  };
  *count = int(sizeof captions / sizeof captions[0]);
  return captions;
}

}  // namespace app::outlayout
