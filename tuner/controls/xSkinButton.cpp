#include "tuner/controls/xSkinButton.h"

namespace controls {

xSkinButton::xSkinButton(QWidget* parent, int controlId, Style style)
    : ImageButton(parent, controlId), style_(style) {
  setCheckable(style != Push);
  setAutoExclusive(false);
}

void xSkinButton::setSkin(const SkinLooks& looks) {
  looks_ = looks;
  fitTo(looks_.normal);
}

void xSkinButton::nextCheckState() {
  if (style_ == Radio) setChecked(true);
  else QAbstractButton::nextCheckState();
}

QPixmap xSkinButton::currentImage() const {
  auto orNormal = [this](const QPixmap& look) { return look.isNull() ? looks_.normal : look; };
  if (!isEnabled()) return orNormal(looks_.disabled);
  if (isDown() || isChecked()) return orNormal(looks_.down);
  if (isHovered()) return orNormal(looks_.over);
  if (hasFocus()) return orNormal(looks_.focus);
  return looks_.normal;
}

}  // namespace controls
