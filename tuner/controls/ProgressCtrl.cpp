#include "tuner/controls/ProgressCtrl.h"

#include <QPainter>

#include <algorithm>

#include "tuner/platform/ControlId.h"

namespace controls {

ProgressRange::ProgressRange(QWidget* parent, int controlId) : QWidget(parent) {
  platform::setControlId(this, controlId);
}

void ProgressRange::setRange(int minimum, int maximum) {
  min_ = std::min(minimum, maximum);
  max_ = std::max(minimum, maximum);
  pos_ = std::clamp(pos_, min_, max_);
  update();
}

void ProgressRange::setPos(int pos) {
  pos_ = std::clamp(pos, min_, max_);
  update();
}

double ProgressRange::fraction() const { return max_ > min_ ? double(pos_ - min_) / (max_ - min_) : 0.0; }

GradientProgressCtrl::GradientProgressCtrl(QWidget* parent, int controlId) : ProgressRange(parent, controlId) {}

void GradientProgressCtrl::setColours(const QColor& start, const QColor& end, const QColor& background,
                                      const QColor& text) {
  start_ = start;
  end_ = end;
  background_ = background;
  text_ = text;
  update();
}

void GradientProgressCtrl::setShowPercent(bool show) {
  showPercent_ = show;
  update();
}

QString GradientProgressCtrl::percentText() const {
  return QString::asprintf("%3.0f %%", fraction() * 100.0);
}

void GradientProgressCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), background_);
  const int filled = static_cast<int>(width() * fraction());
  // The gradient spans the whole bar, so its colour tells the progress too.
  QLinearGradient gradient(0, 0, width(), 0);
  gradient.setColorAt(0, start_);
  gradient.setColorAt(1, end_);
  p.fillRect(QRect(0, 0, filled, height()), gradient);
  if (showPercent_) {
    p.setPen(text_);
    p.drawText(rect(), Qt::AlignCenter, percentText());
  }
}

MyProgressCtrl::MyProgressCtrl(QWidget* parent, int controlId) : ProgressRange(parent, controlId) {}

void MyProgressCtrl::setImages(const QPixmap& empty, const QPixmap& full) {
  empty_ = empty;
  full_ = full;
  if (!empty_.isNull()) resize(empty_.size());
  update();
}

void MyProgressCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!empty_.isNull()) p.drawPixmap(0, 0, empty_);
  if (full_.isNull()) return;
  const QRect done(0, 0, static_cast<int>(full_.width() * fraction()), full_.height());
  p.drawPixmap(done, full_, done);
}

}  // namespace controls
