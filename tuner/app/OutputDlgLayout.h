#pragma once
// Where everything sits on the output channel panel (frame 1368 of the main
// form, 902 x 156 pixels). The panel has two pages over the same area: the
// band page with the 31 band columns, and the channel page with the
// equaliser mode, reset, all-bypass, the panel's crossover, the channel gain
// and the limiter. The background and the panel both read this table, so the
// gain scale always stands where the sliders put their thumbs.

#include <QRect>
#include <QSize>

namespace app::outlayout {

constexpr int kBands = 31;
constexpr QSize kPanelSize(902, 156);

// Band page: a caption column at the left, then one column per band.
constexpr int kCaptionWidth = 34;
constexpr int kColumnWidth = 28;
enum class Row { Number, Frequency, Q, Gain, Slider, Bypass };
QRect BandCell(int band, Row row);
QRect CaptionCell(Row row);

// Gain sliders: thumb size and the travel inside the slider's rectangle.
constexpr QSize kThumbSize(18, 9);
constexpr int kSliderWidth = 20;
constexpr int kGainMin = 0, kGainMax = 400, kGainZero = 200;
// The y of a gain position's thumb centre, in panel coordinates.
int GainY(int position);

// The button that switches between the two pages (top-left on both).
constexpr QRect kPageButton(2, 1, 30, 12);

// Channel page: three groups and the controls in them, by control id.
constexpr QRect kEqGroup(40, 16, 170, 132);
constexpr QRect kCrossoverGroup(220, 16, 340, 132);
constexpr QRect kLimiterGroup(570, 16, 326, 132);
QRect ChannelPageControl(int controlId);
// Captions of the channel page: their rectangles and texts.
struct Caption {
  QRect rect;
  const char* zh;
  const char* en;
};
const Caption* ChannelPageCaptions(int* count);

}  // namespace app::outlayout
