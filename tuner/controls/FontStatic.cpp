#include "tuner/controls/FontStatic.h"

#include <QPainter>

#include "tuner/platform/ControlId.h"
#include "tuner/platform/Language.h"

namespace controls {

FontStatic::FontStatic(QWidget* parent, int controlId, const QString& text) : QWidget(parent), text_(text) {
  platform::setControlId(this, controlId);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool FontStatic::setFont(const QString& family, int pixelHeight, int weight, bool italic) {
  fontFailed_ = family.trimmed().isEmpty() || pixelHeight <= 0;
  if (!fontFailed_) {
    QFont f(family);
    f.setPixelSize(pixelHeight);
    f.setWeight(weight);
    f.setItalic(italic);
    QWidget::setFont(f);
  }
  update();
  return !fontFailed_;
}

void FontStatic::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void FontStatic::setText(const QString& text) {
  text_ = text;
  update();
}

void FontStatic::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

QString FontStatic::shownText() const {
  return fontFailed_ ? platform::text2("字体不能创建!", "Font could not be created!") : text_;
}

void FontStatic::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(colour_);
  p.drawText(rect(), int(alignment_), shownText());
}

}  // namespace controls
