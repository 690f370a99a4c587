#include "tuner/controls/ButtonRadio.h"

#include <QPainter>

namespace controls {

ButtonRadio::ButtonRadio(QWidget* parent, int controlId, const QString& text) : ImageButton(parent, controlId) {
  setText(text);
}

void ButtonRadio::setMarked(bool marked) {
  if (marked_ == marked) return;
  marked_ = marked;
  update();
}

QSize ButtonRadio::sizeHint() const {
  const QFontMetrics fm(font());
  return QSize(fm.height() + 6 + fm.horizontalAdvance(text()), fm.height() + 4);
}

void ButtonRadio::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int d = std::min(height(), 14) - 2;
  const QRectF mark(1, (height() - d) / 2.0, d, d);
  p.setPen(QPen(isHovered() ? QColor(255, 170, 40) : QColor(190, 196, 210), 1.5));
  p.setBrush(QColor(30, 33, 40));
  p.drawEllipse(mark);
  if (marked_ || isDown()) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 20));
    p.drawEllipse(mark.adjusted(3, 3, -3, -3));
  }
  p.setPen(isEnabled() ? Qt::white : QColor(120, 120, 120));
  p.drawText(QRect(d + 6, 0, width() - d - 6, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}

}  // namespace controls
