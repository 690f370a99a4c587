#include "tuner/controls/SkinImage.h"

#include <QBitmap>

namespace controls {

QPixmap withTransparentColour(const QPixmap& image, const QColor& key) {
  if (image.isNull() || !key.isValid()) return image;
  QPixmap out = image;
  out.setMask(image.createMaskFromColor(key, Qt::MaskInColor));
  return out;
}

}  // namespace controls
