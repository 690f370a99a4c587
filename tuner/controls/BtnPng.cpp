#include "tuner/controls/BtnPng.h"

namespace controls {

BtnPng::BtnPng(QWidget* parent, int controlId) : ImageButton(parent, controlId) {}

void BtnPng::setImages(const QPixmap& normal, const QPixmap& hover) {
  normal_ = normal;
  hover_ = hover;
  fitTo(normal_);
}

QPixmap BtnPng::currentImage() const {
  return (isHovered() || isDown() || isChecked()) && !hover_.isNull() ? hover_ : normal_;
}

}  // namespace controls
