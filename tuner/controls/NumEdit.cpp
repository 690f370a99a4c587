#include "tuner/controls/NumEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "tuner/controls/NumSpin.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

namespace {

const QColor kHighlightBrush(255, 214, 92);

// Only single-byte characters can be typed.
bool isSingleByte(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() > 0x7F) return false;
  }
  return true;
}

}  // namespace

NumEdit::NumEdit(QWidget* parent, int controlId) : QLineEdit(parent) {
  platform::setControlId(this, controlId);
  setFrame(false);
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // Transparent over the owner's picture; the highlight is painted below the text.
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::transparent);
  pal.setColor(QPalette::Text, Qt::white);
  setPalette(pal);
  showValue();
}

void NumEdit::setRange(int minimum, int maximum) {
  range_.minimum = minimum;
  range_.maximum = maximum;
  pos_ = minimum;
  showValue();
}

void NumEdit::setScaleOffset(double scale, double offset) {
  range_.scale = scale;
  range_.offset = offset;
  showValue();
}

void NumEdit::setDisplayType(int type) {
  type_ = type;
  showValue();
}

void NumEdit::setPos(int pos) {
  if (pos < range_.minimum || pos > range_.maximum) return;
  pos_ = pos;
  showValue();
}

int NumEdit::getPos() {
  if (isModified()) {
    // A frequency edit keeps what it stores until the value is committed.
    if (type_ != display::kCrossoverHz) pos_ = display::Parse(type_, text().toStdString(), range_);
    setModified(false);
  }
  return pos_;
}

void NumEdit::showValue() {
  setText(QString::fromStdString(display::Format(type_, pos_, range_)));
  setModified(false);
  update();
}

bool NumEdit::takeTypedValue() {
  if (!isModified()) return false;
  pos_ = display::Parse(type_, text().toStdString(), range_);
  showValue();
  return true;
}

void NumEdit::notifyOwner() { platform::sendCommand(platform::controlOwner(this), platform::controlId(this)); }

void NumEdit::setHighlight(bool on) {
  if (highlight_ == on) return;
  highlight_ = on;
  QPalette pal = palette();
  pal.setColor(QPalette::Text, on ? Qt::black : Qt::white);
  setPalette(pal);
  update();
}

void NumEdit::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (spin_) spin_->step(e->key() == Qt::Key_Up ? 1 : -1);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      // Neither key closes anything: the focus goes to the form, which commits.
      if (QWidget* form = parentWidget()) form->setFocus(Qt::OtherFocusReason);
      return;
    default:
      break;
  }
  if (!isSingleByte(e->text())) return;
  QLineEdit::keyPressEvent(e);
}

void NumEdit::inputMethodEvent(QInputMethodEvent* e) {
  if (!isSingleByte(e->commitString())) return;
  QLineEdit::inputMethodEvent(e);
}

void NumEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  setHighlight(true);
  if (spin_) spin_->update();
  // After the click that gave the focus has placed the caret.
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) selectAll();
  });
}

void NumEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (takeTypedValue()) notifyOwner();
  setHighlight(false);
  if (spin_) spin_->update();
}

void NumEdit::mousePressEvent(QMouseEvent* e) {
  // The owner re-applies the current value first (a click re-sends it).
  if (e->button() == Qt::LeftButton) notifyOwner();
  QLineEdit::mousePressEvent(e);
}

void NumEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  QLineEdit::mouseDoubleClickEvent(e);
  setFocus(Qt::MouseFocusReason);
}

void NumEdit::paintEvent(QPaintEvent* e) {
  if (highlight_) {
    QPainter p(this);
    p.fillRect(rect(), kHighlightBrush);
  }
  QLineEdit::paintEvent(e);
}

}  // namespace controls
