#include "tuner/controls/ImageButton.h"

#include <QPainter>

#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

ImageButton::ImageButton(QWidget* parent, int controlId) : QAbstractButton(parent) {
  platform::setControlId(this, controlId);
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QAbstractButton::clicked, this,
          [this] { platform::sendCommand(platform::controlOwner(this), platform::controlId(this)); });
}

void ImageButton::setHandCursor(bool hand) {
  if (hand) setCursor(Qt::PointingHandCursor);
  else unsetCursor();
}

void ImageButton::fitTo(const QPixmap& image) {
  if (!image.isNull()) resize(image.size());
  update();
}

void ImageButton::paintEvent(QPaintEvent*) {
  const QPixmap image = currentImage();
  if (image.isNull()) return;
  QPainter p(this);
  p.drawPixmap(0, 0, image);
}

void ImageButton::enterEvent(QEvent* e) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(e);
}

void ImageButton::leaveEvent(QEvent* e) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(e);
}

}  // namespace controls
