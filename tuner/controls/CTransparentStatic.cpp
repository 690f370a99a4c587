#include "tuner/controls/CTransparentStatic.h"

#include "tuner/platform/ControlId.h"

namespace controls {

CTransparentStatic::CTransparentStatic(QWidget* parent, int controlId, const QString& text)
    : QLabel(text, parent) {
  platform::setControlId(this, controlId);
  setAutoFillBackground(false);
  setAttribute(Qt::WA_TranslucentBackground);
  setColour(Qt::white);
}

void CTransparentStatic::setColour(const QColor& colour) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, colour);
  setPalette(pal);
}

}  // namespace controls
