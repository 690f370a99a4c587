#include "tuner/filters/CFStatic.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>

#include "tuner/model/CKTV_Data.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace graph {

namespace {

const QColor kBackground(28, 28, 30);
const QColor kLabelColour(100, 100, 100);
const QColor kGridColour(62, 62, 65);
const QColor kMarkerColour(100, 100, 100);
const QColor kCaptionColour(220, 220, 224);
constexpr int kFrameCorner = 8;
constexpr int kMarkerGrow = 3;
constexpr int kMarkerFontPoints = 9;
constexpr int kLabelFontPixels = 12;
constexpr int kLabelX = 6;
constexpr int kLabelBoxWidth = 30, kLabelBoxHeight = 14;
constexpr int kGridRows = 8;
constexpr double kCurveWidth = 2.0;
constexpr int kLowestHz = 20, kHighestHz = 20000;
constexpr int kMarkerRightAlignBelowHz = 21;

// Curve colours of CH1 ... CH10.
const QColor kCurveColours[layout::kChannelCount] = {
    {255, 14, 198}, {255, 0, 0},   {255, 127, 39}, {255, 180, 0},  {0, 255, 0},
    {0, 0, 255},    {255, 128, 192}, {45, 244, 235}, {23, 255, 139}, {72, 153, 206},
};

constexpr double kGridLinesHz[] = {30,   40,   50,   60,   70,   80,   90,   100,  200,
                                   300,  400,  500,  600,  700,  800,  900,  1000, 2000,
                                   3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};

constexpr const char* kLevelLabels[] = {"+20", "+15", "+10", "+5", "0dB", "-5", "-10", "-15", "-20"};

struct FrequencyLabel {
  const char* text;
  double hz;   // 0: placed at a fixed x
  int shift;
};
constexpr FrequencyLabel kFrequencyLabels[] = {
    {"20", 0, 30}, {"100", 100, 25}, {"1K", 1000, 27}, {"10K", 10000, 25}, {"20K", 20000, 20}};

QString MarkerText(const CFilter& f, int index) {
  if (f.IsBand()) return QString::number(index + 1);
  return f.Type() == filters::kHighPass ? QStringLiteral("Hi") : QStringLiteral("Lo");
}

int ClampedFrequency(double hz) { return std::clamp(static_cast<int>(std::lround(hz)), kLowestHz, kHighestHz); }

}  // namespace

QColor CurveColour(int channel) { return kCurveColours[channel]; }

CFStatic::CFStatic(QWidget* parent, int controlId) : QWidget(parent) {
  platform::setControlId(this, controlId);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  mapping_ = PlotMapping(size());
}

void CFStatic::Bind(CKTV_Data* model, LinkMutex* lock) {
  model_ = model;
  lock_ = lock;
  update();
}

std::unique_lock<LinkMutex> CFStatic::Guard() const {
  return lock_ ? std::unique_lock<LinkMutex>(*lock_) : std::unique_lock<LinkMutex>();
}

void CFStatic::SetChannel(int n) {
  channel_ = n;
  mode_ = kOutputChannelMode;
  current_ = -1;
  captionIndex_ = -1;
  drag_ = Drag::None;
  update();
}

void CFStatic::SetMode(int mode) {
  mode_ = mode;
  update();
}

void CFStatic::Redraw(int index) {
  captionIndex_ = index;
  update();
}

void CFStatic::SetCurveVisible(int channel, bool visible) {
  if (channel < 0 || channel >= layout::kChannelCount) return;
  visible_[channel] = visible;
  update();
}

CKTV_OutData* CFStatic::Shown() const {
  if (!model_ || channel_ < 0 || channel_ >= layout::kChannelCount) return nullptr;
  return &model_->Out(channel_);
}

CFilter* CFStatic::Current() const {
  CKTV_OutData* out = Shown();
  if (!out || current_ < 0 || current_ >= out->Filters().Count()) return nullptr;
  return &out->Filters().Filter(current_);
}

bool CFStatic::ShowsHandles() const {
  const CFilter* f = Current();
  return f && f->IsBand() && f->Type() == filters::kPeaking && Shown()->EqMode() == 0;
}

QRect CFStatic::MarkerOf(int index) const {
  CKTV_OutData* out = Shown();
  if (!out || index < 0 || index >= out->Filters().Count()) return {};
  auto hold = Guard();
  return MarkerRect(out->Filters().Filter(index), mapping_);
}

std::pair<QRect, QRect> CFStatic::HandlesOf(int index) const {
  CKTV_OutData* out = Shown();
  if (!out || index < 0 || index >= out->Filters().Count()) return {};
  auto hold = Guard();
  return WidthHandles(out->Filters().Filter(index), mapping_);
}

QString CFStatic::Caption() const {
  CKTV_OutData* out = Shown();
  if (!out) return {};
  const int index = captionIndex_ >= 0 ? captionIndex_ : current_;
  if (index < 0 || index >= out->Filters().Count()) return {};
  auto hold = Guard();
  return CaptionText(out->Filters().Filter(index));
}

void CFStatic::resizeEvent(QResizeEvent*) {
  mapping_ = PlotMapping(size());
  notifyTimer_.start(kNotifyPeriodMs, this);
}

// ---- mouse editing ----

void CFStatic::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  CKTV_OutData* out = Shown();
  if (!out || mode_ != kOutputChannelMode) return;
  auto hold = Guard();
  if (ShowsHandles()) {
    const auto handles = WidthHandles(*Current(), mapping_);
    if (handles.first.contains(e->pos())) drag_ = Drag::LeftHandle;
    if (handles.second.contains(e->pos())) drag_ = Drag::RightHandle;
  }
  if (drag_ == Drag::None) {
    for (int i = 0; i < out->Filters().Count(); ++i) {
      if (!MarkerRect(out->Filters().Filter(i), mapping_).contains(e->pos())) continue;
      current_ = selected_ = i;
      captionIndex_ = -1;
      drag_ = Drag::Marker;
      break;
    }
  }
  if (drag_ != Drag::None) setCursor(dragCursor_.value_or(QCursor(Qt::ArrowCursor)));
  update();
}

void CFStatic::mouseMoveEvent(QMouseEvent* e) {
  if (drag_ == Drag::None) return;
  auto hold = Guard();
  CFilter* f = Current();
  if (!f) return;
  if (drag_ != Drag::Marker) {
    DragHandle(*f, e->pos());
  } else if (f->IsBand()) {
    DragBand(*f, e->pos());
  } else {
    DragCrossover(*f, e->pos());
  }
  update();
}

void CFStatic::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  drag_ = Drag::None;
  unsetCursor();
  update();
}

void CFStatic::DragBand(CFilter& f, QPoint p) {
  const int x = std::clamp(p.x() - kPlotLeft, 0, mapping_.Width());
  const int y = std::clamp(p.y() - kPlotTop, 0, mapping_.Height());
  int hz = f.GraphicMode() ? f.Frequency() : ClampedFrequency(mapping_.FrequencyAt(x));
  const int db = std::clamp(mapping_.GainAt(y), -20, 20);
  const int code = (db + 20) * 10;
  if (hz == f.Frequency() && code == f.GainCode()) return;
  if (f.Type() == filters::kLowShelf) hz = std::min(hz, static_cast<int>(kShelfSplitHz));
  if (f.Type() == filters::kHighShelf) hz = std::max(hz, static_cast<int>(kShelfSplitHz));
  f.SetFrequency(hz, true);
  f.SetGainCode(code);
  changePending_ = true;
}

void CFStatic::DragHandle(CFilter& f, QPoint p) {
  const double pointed = mapping_.FrequencyAt(p.x() - kPlotLeft);
  const double ratio = drag_ == Drag::RightHandle ? pointed / f.Frequency() : f.Frequency() / pointed;
  const double octaves = std::clamp(std::log2(ratio), 0.05, 3.0);
  const int index = static_cast<int>((octaves - 0.05) / 0.01 + 0.05);
  if (index == f.BandwidthIndex()) return;
  f.SetBandwidthIndex(index);
  changePending_ = true;
}

// Crossover limits by the filter's speaker class: class 5 stays, class 6
// keeps tweeter-like ranges, classes 8 and 9 and every other class keep the
// high-pass at or below the low-pass.
void CFStatic::DragCrossover(CFilter& f, QPoint p) {
  const int x = std::clamp(p.x() - kPlotLeft, 0, mapping_.Width());
  int hz = ClampedFrequency(mapping_.FrequencyAt(x));
  if (hz == f.Frequency()) return;
  const CKTV_OutData& out = *Shown();
  const bool highPass = f.Type() == filters::kHighPass;
  const int other = highPass ? out.LowPass().Frequency() : out.HighPass().Frequency();
  switch (f.SpeakerClass()) {
    case 5:
      return;
    case 6:
      hz = highPass ? std::min({hz, 1000, other}) : std::max({hz, 5000, other});
      break;
    default:
      hz = highPass ? std::min(hz, other) : std::max(hz, other);
      if (highPass && x < 1) hz = kLowestHz;
      break;
  }
  if (hz == f.Frequency()) return;
  f.SetFrequency(hz, true);
  changePending_ = true;
}

void CFStatic::timerEvent(QTimerEvent* e) {
  if (e->timerId() != notifyTimer_.timerId()) return QWidget::timerEvent(e);
  if (!Shown() || !changePending_) return;
  changePending_ = false;
  platform::postMessage(platform::controlOwner(this), kMsgGraphChanged, selected_, kOutputChannelCode + channel_);
}

// ---- painting ----

void CFStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrame(painter);
  PaintGrid(painter);
  CKTV_OutData* out = Shown();
  if (!out || mode_ != kOutputChannelMode) return;
  auto hold = Guard();
  painter.save();
  painter.setClipRect(mapping_.PlotRect());
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < layout::kChannelCount; ++i) {
    if (visible_[i] && i != channel_) PaintCurve(painter, i);
  }
  PaintCurve(painter, channel_);
  painter.restore();
  PaintMarkers(painter);
}

void CFStatic::PaintFrame(QPainter& painter) {
  painter.fillRect(rect(), parentWidget() ? parentWidget()->palette().window() : QBrush(kBackground));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBackground);
  painter.drawRoundedRect(rect(), kFrameCorner / 2.0, kFrameCorner / 2.0);
  painter.setRenderHint(QPainter::Antialiasing, false);

  QFont font("Arial");
  font.setPixelSize(kLabelFontPixels);
  painter.setFont(font);
  painter.setPen(kLabelColour);
  const int h = mapping_.Height();
  for (int k = 0; k <= kGridRows; ++k) {
    const int y = k == 0 ? 5 : k == kGridRows ? h : k * (h / kGridRows) + 3;
    painter.drawText(QRect(kLabelX, y, kLabelBoxWidth, kLabelBoxHeight), Qt::AlignLeft | Qt::AlignTop,
                     kLevelLabels[k]);
  }
  const int labelTop = kPlotTop + h + 2;
  for (const FrequencyLabel& l : kFrequencyLabels) {
    const int x = l.hz > 0 ? mapping_.X(l.hz) + l.shift : l.shift;
    painter.drawText(QRect(x, labelTop, kLabelBoxWidth, kLabelBoxHeight), Qt::AlignLeft | Qt::AlignTop, l.text);
  }
}

void CFStatic::PaintGrid(QPainter& painter) {
  const QRect plot = mapping_.PlotRect();
  painter.fillRect(plot, kBackground);
  painter.setPen(QPen(kGridColour, 1, Qt::DotLine));
  for (double hz : kGridLinesHz) {
    const int x = mapping_.X(hz) + kPlotLeft;
    painter.drawLine(x, plot.top(), x, plot.top() + plot.height());
  }
  for (int k = 1; k <= kGridRows; ++k) {
    const int y = plot.top() + k * plot.height() / kGridRows;
    painter.drawLine(plot.left(), y, plot.left() + plot.width(), y);
  }
}

void CFStatic::PaintCurve(QPainter& painter, int channel) {
  filters::Response sum{};
  model_->Out(channel).Filters().Sum(sum);
  QPainterPath path;
  for (int i = 0; i < filters::kGridPoints; ++i) {
    const QPointF p(mapping_.XF(filters::kGridHz[i]) + kPlotLeft, mapping_.YF(sum[i]) + kPlotTop);
    if (i == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(CurveColour(channel), kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(path);
}

void CFStatic::PaintMarkers(QPainter& painter) {
  const CKTVEQ& eq = Shown()->Filters();
  QFont font("Arial", kMarkerFontPoints);
  painter.setFont(font);
  const int plotRight = kPlotLeft + mapping_.Width();
  for (int i = eq.Count() - 1; i >= 0; --i) {
    const CFilter& f = eq.Filter(i);
    const QRect marker = MarkerRect(f, mapping_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMarkerColour);
    painter.drawEllipse(marker.adjusted(-kMarkerGrow, -kMarkerGrow, kMarkerGrow, kMarkerGrow));
    painter.setRenderHint(QPainter::Antialiasing, false);
    Qt::Alignment align = Qt::AlignCenter;
    if (f.Frequency() < kMarkerRightAlignBelowHz) align = Qt::AlignRight | Qt::AlignVCenter;
    if (f.Frequency() >= kHighestHz || marker.left() + marker.width() >= plotRight) {
      align = Qt::AlignLeft | Qt::AlignVCenter;
    }
    painter.setPen(Qt::white);
    painter.drawText(marker, align | Qt::TextDontClip, MarkerText(f, i));
  }
  if (ShowsHandles()) {
    const auto handles = WidthHandles(*Current(), mapping_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMarkerColour);
    painter.drawEllipse(handles.first);
    painter.drawEllipse(handles.second);
  }
  const int captioned = captionIndex_ >= 0 ? captionIndex_ : current_;
  if (captioned >= 0 && captioned < eq.Count()) {
    const CFilter& f = eq.Filter(captioned);
    painter.setPen(kCaptionColour);
    painter.drawText(CaptionRect(f, mapping_), Qt::AlignCenter | Qt::TextDontClip, CaptionText(f));
  }
}

}  // namespace graph
