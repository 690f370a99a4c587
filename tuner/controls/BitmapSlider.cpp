#include "tuner/controls/BitmapSlider.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/SkinImage.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

namespace {
constexpr int kReportIntervalMs = 50;
constexpr int kWheelNotch = 120;
}  // namespace

BitmapSlider::BitmapSlider(QWidget* parent, int controlId, Qt::Orientation orientation)
    : QWidget(parent), orientation_(orientation) {
  platform::setControlId(this, controlId);
  setFocusPolicy(Qt::StrongFocus);
}

void BitmapSlider::setChannelImages(const QPixmap& channel, const QPixmap& filled, const QColor& transparent) {
  channel_ = withTransparentColour(channel, transparent);
  filled_ = (!filled.isNull() && filled.size() == channel.size()) ? withTransparentColour(filled, transparent)
                                                                   : QPixmap();
  if (!channel_.isNull()) resize(channel_.size());
  update();
}

void BitmapSlider::setThumbImages(const QPixmap& thumb, const QPixmap& active, const QColor& transparent) {
  thumb_ = withTransparentColour(thumb, transparent);
  thumbActive_ = withTransparentColour(active.isNull() ? thumb : active, transparent);
  update();
}

void BitmapSlider::setRange(int minimum, int maximum, bool redraw) {
  min_ = std::min(minimum, maximum);
  max_ = std::max(minimum, maximum);
  pos_ = std::clamp(pos_, min_, max_);
  if (redraw) update();
}

void BitmapSlider::setPos(int pos) {
  pos_ = std::clamp(pos, min_, max_);
  update();
}

void BitmapSlider::setMargins(int left, int top, int right, int bottom) {
  margins_ = QMargins(left, top, right, bottom);
  update();
}

int BitmapSlider::thumbLength() const {
  return orientation_ == Qt::Horizontal ? thumb_.width() : thumb_.height();
}

int BitmapSlider::travel() const {
  const int length = orientation_ == Qt::Horizontal ? width() - margins_.left() - margins_.right()
                                                     : height() - margins_.top() - margins_.bottom();
  return std::max(0, length - thumbLength());
}

int BitmapSlider::along(const QPoint& p) const { return orientation_ == Qt::Horizontal ? p.x() : p.y(); }

QPoint BitmapSlider::thumbCentre(int pos) const {
  const int span = max_ - min_;
  // The vertical slider has its maximum at the top.
  const int fromStart = orientation_ == Qt::Horizontal ? pos - min_ : max_ - pos;
  const int offset = span > 0 ? static_cast<int>(std::lround(double(fromStart) * travel() / span)) : 0;
  if (orientation_ == Qt::Horizontal) {
    return QPoint(margins_.left() + thumb_.width() / 2 + offset, height() / 2);
  }
  return QPoint(width() / 2, margins_.top() + thumb_.height() / 2 + offset);
}

int BitmapSlider::posFromAlong(int coordinate) const {
  const int start = (orientation_ == Qt::Horizontal ? margins_.left() : margins_.top()) + thumbLength() / 2;
  const int t = travel();
  const double fraction = t > 0 ? std::clamp(double(coordinate - start) / t, 0.0, 1.0) : 0.0;
  const int steps = static_cast<int>(std::lround(fraction * (max_ - min_)));
  return orientation_ == Qt::Horizontal ? min_ + steps : max_ - steps;
}

void BitmapSlider::report(int msg) {
  platform::postMessage(platform::controlOwner(this), msg, platform::controlId(this), pos_);
}

bool BitmapSlider::moveTo(int pos) {
  pos = std::clamp(pos, min_, max_);
  if (pos == pos_) return false;
  pos_ = pos;
  update();
  return true;
}

void BitmapSlider::setEditHighlight(bool on) {
  if (boundEdit_) boundEdit_->setHighlight(on);
}

bool BitmapSlider::event(QEvent* e) {
  if (platform::MessageEvent* m = platform::MessageEvent::from(e)) {
    if (m->msg() == kMsgSliderFocus) setFocus(Qt::OtherFocusReason);
    return true;
  }
  return QWidget::event(e);
}

void BitmapSlider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (channel_.isNull()) return;
  p.drawPixmap(0, 0, channel_);
  const QPoint centre = thumbCentre(pos_);
  if (!filled_.isNull()) {
    // The filled side runs from the minimum end to the thumb.
    const QRect filledPart = orientation_ == Qt::Horizontal ? QRect(0, 0, centre.x(), height())
                                                             : QRect(0, centre.y(), width(), height() - centre.y());
    p.drawPixmap(filledPart, filled_, filledPart);
  }
  const QPixmap& thumb = (dragging_ || focused_) ? thumbActive_ : thumb_;
  if (!thumb.isNull()) p.drawPixmap(centre - QPoint(thumb.width() / 2, thumb.height() / 2), thumb);
  if (drawFocusRect_ && focused_) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
  }
}

void BitmapSlider::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !hasImages() || !isEnabled()) return;
  setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  const int pointer = along(e->pos());
  const int centre = along(thumbCentre(pos_));
  if (std::abs(pointer - centre) <= thumbLength() / 2) {
    grabOffset_ = pointer - centre;
  } else {
    grabOffset_ = 0;
    // One step toward the pointer; the vertical maximum is at the top.
    const bool towardLarger = orientation_ == Qt::Horizontal ? pointer > centre : pointer < centre;
    if (moveTo(pos_ + (towardLarger ? 1 : -1))) changed_ = true;
  }
  reportTimer_.start(kReportIntervalMs, this);
  update();
}

void BitmapSlider::mouseMoveEvent(QMouseEvent* e) {
  if (!dragging_) return;
  if (moveTo(posFromAlong(along(e->pos()) - grabOffset_))) changed_ = true;
}

void BitmapSlider::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  reportTimer_.stop();
  changed_ = false;
  update();
  report(kMsgSliderMoved);
}

void BitmapSlider::timerEvent(QTimerEvent* e) {
  if (e->timerId() != reportTimer_.timerId()) return QWidget::timerEvent(e);
  if (changed_) {
    changed_ = false;
    report(kMsgSliderMoving);
  }
}

void BitmapSlider::wheelEvent(QWheelEvent* e) {
  if (!hasImages() || !isEnabled()) return;
  // A notch toward the user adds one; Qt counts notches away as positive.
  wheelRemainder_ += e->angleDelta().y();
  while (std::abs(wheelRemainder_) >= kWheelNotch) {
    const int step = wheelRemainder_ > 0 ? -1 : 1;
    wheelRemainder_ += step * kWheelNotch;
    moveTo(pos_ + step);
    report(kMsgSliderMoved);
  }
  e->accept();
}

void BitmapSlider::keyPressEvent(QKeyEvent* e) {
  // Left and Up go toward the top of a vertical slider (its maximum) and
  // toward the left end of a horizontal one (its minimum).
  const int towardUpLeft = orientation_ == Qt::Vertical ? 1 : -1;
  int target = pos_;
  switch (e->key()) {
    case Qt::Key_PageUp: target = pos_ - page_; break;
    case Qt::Key_PageDown: target = pos_ + page_; break;
    case Qt::Key_Home: target = min_; break;
    case Qt::Key_End: target = max_; break;
    case Qt::Key_Left:
    case Qt::Key_Up: target = pos_ + towardUpLeft; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = pos_ - towardUpLeft; break;
    default: QWidget::keyPressEvent(e); return;
  }
  moveTo(target);
  report(kMsgSliderMoved);
}

void BitmapSlider::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  setEditHighlight(true);
  focused_ = true;
  update();
  report(kMsgSliderMoving);
}

void BitmapSlider::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  setEditHighlight(false);
  focused_ = false;
  update();
}

}  // namespace controls
