#include "tuner/controls/EnTabCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "tuner/platform/ControlId.h"

namespace controls {

const QColor BaseTabCtrl::kFormColour(227, 228, 238);

BaseTabCtrl::BaseTabCtrl(QWidget* parent, int controlId) : QWidget(parent) {
  platform::setControlId(this, controlId);
  setFocusPolicy(Qt::TabFocus);
}

QRect BaseTabCtrl::pageRect() const { return rect().adjusted(1, 1, -1, -1); }

void BaseTabCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(pageRect(), kFormColour);
  p.setPen(QColor(98, 106, 124));
  p.drawRect(pageRect().adjusted(-1, -1, 0, 0));
}

EnTabCtrl::EnTabCtrl(QWidget* parent, int controlId) : BaseTabCtrl(parent, controlId) {}

void EnTabCtrl::setTabs(const QStringList& tabs) {
  tabs_ = tabs;
  current_ = std::clamp(current_, 0, std::max(0, int(tabs_.size()) - 1));
  update();
}

void EnTabCtrl::setCurrentTab(int index) {
  if (index < 0 || index >= tabs_.size()) return;
  current_ = index;
  update();
}

int EnTabCtrl::tabHeight() const { return tabs_.isEmpty() ? 0 : fontMetrics().height() + 8; }

QRect EnTabCtrl::tabRect(int index) const {
  const int w = tabs_.isEmpty() ? 0 : std::min(120, width() / int(tabs_.size()));
  return QRect(index * w, 0, w, tabHeight());
}

QRect EnTabCtrl::pageRect() const { return rect().adjusted(1, tabHeight() + 1, -1, -1); }

void EnTabCtrl::paintEvent(QPaintEvent* e) {
  BaseTabCtrl::paintEvent(e);
  QPainter p(this);
  for (int i = 0; i < tabs_.size(); ++i) {
    const QRect r = tabRect(i).adjusted(0, 0, -2, 0);
    p.fillRect(r, i == current_ ? kFormColour : QColor(60, 64, 76));
    p.setPen(i == current_ ? Qt::black : QColor(220, 222, 230));
    p.drawText(r, Qt::AlignCenter, tabs_[i]);
  }
}

void EnTabCtrl::mousePressEvent(QMouseEvent* e) {
  for (int i = 0; i < tabs_.size(); ++i) {
    if (tabRect(i).contains(e->pos())) setCurrentTab(i);
  }
}

}  // namespace controls
