#include "tuner/controls/DropBtn.h"

#include <QKeyEvent>
#include <QPainter>

#include "tuner/controls/ControlMessages.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

DropBtn::DropBtn(QWidget* target, int notifyId)
    : QWidget(target, Qt::Popup | Qt::FramelessWindowHint), target_(target), notifyId_(notifyId) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

int DropBtn::rowHeight() const { return fontMetrics().height() + 6; }

void DropBtn::open(const QStringList& entries, int current, const QPoint& globalTopLeft, int width) {
  entries_ = entries;
  hot_ = current;
  setFont(target_ ? target_->font() : font());
  resize(width, rowHeight() * entries_.size() + 2);
  move(globalTopLeft);
  show();
  setFocus(Qt::PopupFocusReason);
}

int DropBtn::rowAt(const QPoint& p) const {
  if (!rect().contains(p)) return -1;
  const int row = (p.y() - 1) / rowHeight();
  return row >= 0 && row < entries_.size() ? row : -1;
}

void DropBtn::choose(int index) {
  close();
  if (index >= 0 && index < entries_.size()) platform::postMessage(target_, kMsgDropChoice, notifyId_, index);
}

void DropBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(28, 31, 38));
  p.setPen(QColor(96, 104, 122));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  for (int i = 0; i < entries_.size(); ++i) {
    const QRect row(1, 1 + i * rowHeight(), width() - 2, rowHeight());
    if (i == hot_) p.fillRect(row, QColor(232, 126, 18));
    p.setPen(i == hot_ ? Qt::black : QColor(225, 228, 236));
    p.drawText(row.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, entries_[i]);
  }
}

void DropBtn::mouseMoveEvent(QMouseEvent* e) {
  const int row = rowAt(e->pos());
  if (row >= 0 && row != hot_) {
    hot_ = row;
    update();
  }
}

void DropBtn::mouseReleaseEvent(QMouseEvent* e) {
  const int row = rowAt(e->pos());
  if (row >= 0) choose(row);
}

void DropBtn::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Up: hot_ = std::max(0, hot_ - 1); update(); break;
    case Qt::Key_Down: hot_ = std::min(int(entries_.size()) - 1, hot_ + 1); update(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: choose(hot_); break;
    case Qt::Key_Escape: close(); break;
    default: QWidget::keyPressEvent(e);
  }
}

}  // namespace controls
