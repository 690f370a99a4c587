#include "tuner/filters/GraphGeometry.h"

#include <algorithm>
#include <cmath>

#include "tuner/model/CFilter.h"
#include "tuner/model/ValueTables.h"

namespace graph {

namespace {

constexpr double kLowestHz = 20.0, kHighestHz = 20000.0;
constexpr double kRangeDb = 40.0, kTopDb = 20.0;
constexpr int kHalfMarker = kMarkerSize / 2;
constexpr int kFreeLeftBands = 8;  // bands up to this number may sit half outside on the left
constexpr int kHandleOffsetY = 10, kHandleHalfHeight = 6;
constexpr int kRightHandleFrom = 39, kRightHandleTo = 52;
constexpr int kLeftHandleFrom = 18, kLeftHandleTo = 31;
constexpr int kCaptionShift = 25, kCaptionBottomGap = 15;
constexpr int kPeakingCaptionWidth = 210, kPeakingCaptionWidthAtEdge = 200;
constexpr int kShelfCaptionWidth = 90, kShelfCaptionWidthAtEdge = 116;
constexpr int kCrossoverCaptionWidth = 80, kCrossoverCaptionGap = 15;
constexpr double kQTwoDecimalsAbove = 10.0;

bool IsShelf(int type) { return type == filters::kLowShelf || type == filters::kHighShelf; }

// Width caption boxes start at the marker's left, or end at the plot's right
// edge when they would pass it.
void PlaceCaption(QRect& r, int markerLeft, int width, int widthAtEdge, const PlotMapping& m) {
  const int plotRight = kPlotLeft + m.Width();
  if (markerLeft + width > plotRight) {
    r.setLeft(plotRight - widthAtEdge);
    r.setWidth(widthAtEdge);
  } else {
    r.setLeft(markerLeft);
    r.setWidth(width);
  }
}

QString FormatGain(const CFilter& f) { return QString::asprintf("%.1f", f.IsInactive() ? 0.0 : f.Gain()); }

}  // namespace

PlotMapping::PlotMapping(QSize client)
    : width_(std::max(0, client.width() - kPlotLeft - kPlotRight)),
      height_(std::max(0, client.height() - kPlotTop - kPlotBottom)) {}

double PlotMapping::XF(double hz) const { return std::log10(hz / kLowestHz) * Decade(); }
int PlotMapping::X(double hz) const { return static_cast<int>(XF(hz)); }
double PlotMapping::YF(double db) const { return height_ / kRangeDb * (kTopDb - db); }
int PlotMapping::Y(double db) const { return static_cast<int>(YF(db) + 0.5); }

double PlotMapping::FrequencyAt(int x) const {
  const double hz = kLowestHz * std::pow(10.0, static_cast<double>(x) / Decade());
  return std::clamp(hz, kLowestHz, kHighestHz);
}

int PlotMapping::GainAt(int y) const {
  if (height_ <= 0) return 0;
  return static_cast<int>(std::round(kTopDb - y * kRangeDb / height_));
}

QRect MarkerRect(const CFilter& f, const PlotMapping& m) {
  int left = 0, top = 0;
  if (f.IsBand()) {
    left = std::max(m.X(f.Frequency()) - kHalfMarker, -kHalfMarker);
    top = std::max(m.Y(f.IsInactive() ? 0.0 : f.Gain()) - kHalfMarker, -kHalfMarker);
    if (top < 1) top = 0;
    if (left < 1 && f.Index() > kFreeLeftBands) left = 0;
    left = std::min(left, m.Width() - kMarkerSize);
    top = std::min(top, m.Height() - kMarkerSize);
  } else {
    const int db = f.Type() == filters::kHighPass ? kHighPassMarkerDb : kLowPassMarkerDb;
    left = std::clamp(m.X(f.Frequency()) - kHalfMarker, 0, std::max(0, m.Width() - kMarkerSize));
    top = m.Y(db) - kHalfMarker;
  }
  return {left + kPlotLeft, top + kPlotTop, kMarkerSize, kMarkerSize};
}

std::pair<QRect, QRect> WidthHandles(const CFilter& f, const PlotMapping& m) {
  const QRect marker = MarkerRect(f, m);
  const double p = std::pow(2.0, f.Bandwidth());
  const int y = marker.center().y() + (f.Gain() < 0 ? -kHandleOffsetY : kHandleOffsetY);
  auto span = [y](int x, int from, int to) {
    return QRect(QPoint(x + from, y - kHandleHalfHeight), QPoint(x + to, y + kHandleHalfHeight));
  };
  return {span(m.X(f.Frequency() / p), kLeftHandleFrom, kLeftHandleTo),
          span(m.X(f.Frequency() * p), kRightHandleFrom, kRightHandleTo)};
}

QRect CaptionRect(const CFilter& f, const PlotMapping& m) {
  const QRect marker = MarkerRect(f, m);
  QRect r;
  if (f.IsBand()) {
    const bool nearBottom = marker.bottom() + kCaptionBottomGap >= kPlotTop + m.Height();
    const int shift = nearBottom ? -kCaptionShift : kCaptionShift;
    r.setTop(marker.top() + shift);
    r.setBottom(marker.bottom() + shift);
    if (IsShelf(f.Type())) {
      PlaceCaption(r, marker.left(), kShelfCaptionWidth, kShelfCaptionWidthAtEdge, m);
    } else {
      PlaceCaption(r, marker.left(), kPeakingCaptionWidth, kPeakingCaptionWidthAtEdge, m);
    }
  } else {
    if (f.Type() == filters::kHighPass) {
      r.setTop(marker.bottom() + kCrossoverCaptionGap);
    } else {
      r.setTop(marker.top() - kCrossoverCaptionGap - kMarkerSize);
    }
    r.setHeight(kMarkerSize);
    PlaceCaption(r, marker.left(), kCrossoverCaptionWidth, kCrossoverCaptionWidth, m);
  }
  return r;
}

QString CaptionText(const CFilter& f) {
  const int hz = f.Frequency();
  switch (f.Type()) {
    case filters::kPeaking: {
      const double q = values::QTable()[std::clamp(f.BandwidthIndex(), 0, values::kQRows - 1)];
      const QString qText = QString::asprintf(q > kQTwoDecimalsAbove ? "%.2f" : "%.3f", q);
      return QString("G:%1-F:%2-Q:%3").arg(FormatGain(f)).arg(hz).arg(qText);
    }
    case filters::kLowShelf:
      return QString("Lo %1-%2 G%3").arg(hz).arg(QString::fromStdString(values::ShelfSlopeText(f.Slope())))
          .arg(FormatGain(f));
    case filters::kHighShelf:
      return QString("Hi F:%1-%2 G:%3").arg(hz).arg(QString::fromStdString(values::ShelfSlopeText(f.Slope())))
          .arg(FormatGain(f));
    default:
      return QString("F:%1").arg(hz);
  }
}

}  // namespace graph
