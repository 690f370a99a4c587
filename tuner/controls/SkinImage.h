#pragma once
// Bitmaps of the skinned controls: a colour of an image may be declared
// transparent, as the program's pictures use a key colour instead of alpha.

#include <QColor>
#include <QPixmap>

namespace controls {

// The image with every pixel of `key` made transparent (unchanged when the
// key is invalid or the image is null).
QPixmap withTransparentColour(const QPixmap& image, const QColor& key);

}  // namespace controls
