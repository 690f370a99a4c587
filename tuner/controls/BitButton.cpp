#include "tuner/controls/BitButton.h"

#include <QMouseEvent>

namespace controls {

BitButton::BitButton(QWidget* parent, int controlId) : ImageButton(parent, controlId) {}

void BitButton::setImages(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed) {
  normal_ = normal;
  hover_ = hover;
  pressed_ = pressed;
  fitTo(normal_);
}

QPixmap BitButton::currentImage() const {
  if ((isDown() || rightDown_) && !pressed_.isNull()) return pressed_;
  if ((isHovered() || isDown() || rightDown_) && !hover_.isNull()) return hover_;
  return normal_;
}

void BitButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton) {
    rightDown_ = true;
    update();
    return;
  }
  ImageButton::mousePressEvent(e);
}

void BitButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton && rightDown_) {
    rightDown_ = false;
    update();
    if (rect().contains(e->pos())) click();
    return;
  }
  ImageButton::mouseReleaseEvent(e);
}

}  // namespace controls
