#include "tuner/controls/SxGroupBox.h"

#include <QPainter>

#include "tuner/platform/ControlId.h"

namespace controls {

SxGroupBox::SxGroupBox(QWidget* parent, int controlId, const QString& caption)
    : QWidget(parent), caption_(caption) {
  platform::setControlId(this, controlId);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SxGroupBox::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void SxGroupBox::setColours(const QColor& caption, const QColor& frame) {
  captionColour_ = caption;
  frameColour_ = frame;
  update();
}

void SxGroupBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm(font());
  const int top = fm.height() / 2;
  const QRectF frame = QRectF(rect()).adjusted(0.5, top + 0.5, -0.5, -0.5);
  // The caption interrupts the frame's top line.
  const int captionWidth = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_) + 8;
  p.setClipRegion(QRegion(rect()) - QRegion(8, 0, captionWidth, fm.height()));
  p.setPen(frameColour_);
  p.drawRoundedRect(frame, 4, 4);
  p.setClipping(false);
  p.setPen(captionColour_);
  p.drawText(QRect(12, 0, captionWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

}  // namespace controls
