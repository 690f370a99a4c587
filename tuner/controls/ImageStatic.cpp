#include "tuner/controls/ImageStatic.h"

#include <QPainter>

#include "tuner/platform/ControlId.h"

namespace controls {

MuteStatic::MuteStatic(QWidget* parent, int controlId) : QWidget(parent) {
  platform::setControlId(this, controlId);
  setCursor(Qt::PointingHandCursor);
}

void MuteStatic::setImage(const QPixmap& image) {
  image_ = image;
  if (!image_.isNull()) resize(image_.size());
  update();
}

void MuteStatic::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter(this).drawPixmap(0, 0, image_);
}

SLamp::SLamp(QWidget* parent, int controlId) : QWidget(parent) { platform::setControlId(this, controlId); }

void SLamp::setImages(const QPixmap& off, const QPixmap& on) {
  off_ = off;
  on_image_ = on;
  if (!off_.isNull()) resize(off_.size());
  update();
}

void SLamp::setOn(bool on) {
  if (on_ == on) return;
  on_ = on;
  update();
}

void SLamp::paintEvent(QPaintEvent*) {
  const QPixmap& image = on_ ? on_image_ : off_;
  if (image.isNull()) return;
  QPainter(this).drawPixmap(0, 0, image);
}

}  // namespace controls
