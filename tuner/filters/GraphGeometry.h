#pragma once
// Where things sit on the response graph: the mapping between frequency and
// gain and the pixels of the plot, and the marker, width handles and caption
// of each filter, in the graph's client coordinates.

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <utility>

class CFilter;

namespace graph {

// Margins of the plot inside the control's client area.
constexpr int kPlotLeft = 35, kPlotTop = 10, kPlotRight = 10, kPlotBottom = 20;
constexpr int kMarkerSize = 16;
constexpr double kShelfSplitHz = 2000.0;  // low shelves stay below, high shelves above
constexpr int kHighPassMarkerDb = -12, kLowPassMarkerDb = -15;

// Frequency and level against plot pixels; x and y are relative to the plot.
// 20 Hz is the left edge and each decade a third of the width; +20 dB is the
// top, -20 dB the bottom.
class PlotMapping {
 public:
  PlotMapping() = default;
  explicit PlotMapping(QSize client);

  int Width() const { return width_; }
  int Height() const { return height_; }
  QRect PlotRect() const { return {kPlotLeft, kPlotTop, width_, height_}; }

  int X(double hz) const;
  double XF(double hz) const;
  int Y(double db) const;
  double YF(double db) const;
  // Frequency under plot x, clamped to 20 ... 20000 Hz.
  double FrequencyAt(int x) const;
  // Whole decibels under plot y, halves away from zero (not clamped).
  int GainAt(int y) const;

 private:
  int Decade() const { return width_ / 3 > 0 ? width_ / 3 : 1; }
  int width_ = 0, height_ = 0;
};

// The 16 x 16 marker of a band or crossover filter, in client coordinates.
QRect MarkerRect(const CFilter& f, const PlotMapping& m);
// Left and right width handles of a peaking band.
std::pair<QRect, QRect> WidthHandles(const CFilter& f, const PlotMapping& m);
// Where the filter's caption is drawn.
QRect CaptionRect(const CFilter& f, const PlotMapping& m);
// "G:3.0-F:1000-Q:1.414", "Lo 100-6dB/Oct G3.0", "Hi F:8000-12dB/Oct G:-2.0", "F:80".
QString CaptionText(const CFilter& f);

}  // namespace graph
