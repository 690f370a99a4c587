#include "tuner/controls/ComBoxBtn.h"

#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/DropBtn.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

namespace {
constexpr int kWheelNotch = 120;
}

ComBoxBtn::ComBoxBtn(QWidget* parent, int controlId)
    : ImageButton(parent, controlId), notifyId_(controlId), drop_(new DropBtn(this, controlId)) {
  connect(this, &QAbstractButton::clicked, this, &ComBoxBtn::showDropList);
}

void ComBoxBtn::resetContent() {
  entries_.clear();
  current_ = -1;
  update();
}

int ComBoxBtn::addString(const QString& text) {
  entries_ << text;
  update();
  return entries_.size() - 1;
}

void ComBoxBtn::setEntries(const QStringList& entries) {
  entries_ = entries;
  if (current_ >= entries_.size()) current_ = -1;
  update();
}

void ComBoxBtn::setCurSel(int index) {
  current_ = (index >= 0 && index < entries_.size()) ? index : -1;
  update();
}

void ComBoxBtn::showDropList() {
  if (entries_.isEmpty()) return;
  drop_->open(entries_, current_, mapToGlobal(QPoint(0, height())), width());
}

void ComBoxBtn::choose(int index) {
  setCurSel(index);
  platform::postMessage(platform::controlOwner(this), kMsgDropChoice, notifyId_, current_);
}

bool ComBoxBtn::event(QEvent* e) {
  if (platform::MessageEvent* m = platform::MessageEvent::from(e)) {
    if (m->msg() == kMsgDropChoice) choose(static_cast<int>(m->lParam()));
    return true;
  }
  return ImageButton::event(e);
}

void ComBoxBtn::wheelEvent(QWheelEvent* e) {
  e->accept();
  if (entries_.isEmpty() || !isEnabled()) return;
  wheelRemainder_ += e->angleDelta().y();
  while (std::abs(wheelRemainder_) >= kWheelNotch) {
    // Qt counts notches away from the user as positive: those go back.
    const int step = wheelRemainder_ > 0 ? -1 : 1;
    wheelRemainder_ += step * kWheelNotch;
    const int next = std::clamp(current_ + step, 0, int(entries_.size()) - 1);
    if (next != current_) choose(next);
  }
}

void ComBoxBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(0, 0, 0, height());
  fill.setColorAt(0, isHovered() ? QColor(62, 68, 82) : QColor(48, 52, 63));
  fill.setColorAt(1, QColor(24, 26, 32));
  p.setPen(QColor(isHovered() ? QColor(232, 126, 18) : QColor(98, 106, 124)));
  p.setBrush(fill);
  p.drawRoundedRect(box, 3, 3);
  // The arrow of the list.
  const qreal ax = width() - 11, ay = height() / 2.0;
  QPainterPath arrow;
  arrow.moveTo(ax - 4, ay - 2);
  arrow.lineTo(ax + 4, ay - 2);
  arrow.lineTo(ax, ay + 3);
  arrow.closeSubpath();
  p.fillPath(arrow, QColor(232, 126, 18));
  p.setPen(isEnabled() ? QColor(236, 238, 244) : QColor(120, 120, 120));
  p.drawText(rect().adjusted(5, 0, -20, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
}

}  // namespace controls
