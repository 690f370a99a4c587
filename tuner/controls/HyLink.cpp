#include "tuner/controls/HyLink.h"

#include <QDesktopServices>
#include <QMouseEvent>

#include "tuner/platform/ControlId.h"

namespace controls {

HyLink::HyLink(QWidget* parent, int controlId, const QString& text, const QUrl& url)
    : QLabel(text, parent), url_(url) {
  platform::setControlId(this, controlId);
  setCursor(Qt::PointingHandCursor);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, QColor(103, 146, 255));
  setPalette(pal);
}

void HyLink::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->pos()) && url_.isValid()) {
    QDesktopServices::openUrl(url_);
  }
  QLabel::mouseReleaseEvent(e);
}

void HyLink::setUnderlined(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void HyLink::enterEvent(QEvent* e) {
  setUnderlined(true);
  QLabel::enterEvent(e);
}

void HyLink::leaveEvent(QEvent* e) {
  setUnderlined(false);
  QLabel::leaveEvent(e);
}

}  // namespace controls
