#include "tuner/controls/XPButton.h"

#include "tuner/controls/SkinImage.h"

namespace controls {

XPButton::XPButton(QWidget* parent, int controlId) : ImageButton(parent, controlId) {}

void XPButton::setSkin(const XPSkin& skin) {
  skin_ = skin;
  for (QPixmap* image : {&skin_.normal, &skin_.hover, &skin_.pressed, &skin_.normalOn, &skin_.hoverOn,
                         &skin_.pressedOn}) {
    *image = withTransparentColour(*image, skin.transparent);
  }
  fitTo(skin_.normal);
}

void XPButton::setOn(bool on) {
  if (on_ == on) return;
  on_ = on;
  update();
}

QPixmap XPButton::currentImage() const {
  // A look the skin leaves out falls back to the normal image of the state.
  const QPixmap& normal = on_ && !skin_.normalOn.isNull() ? skin_.normalOn : skin_.normal;
  const QPixmap& pressed = on_ ? skin_.pressedOn : skin_.pressed;
  const QPixmap& hover = on_ ? skin_.hoverOn : skin_.hover;
  if (isDown() && !pressed.isNull()) return pressed;
  if (isHovered() && !hover.isNull()) return hover;
  return normal;
}

}  // namespace controls
