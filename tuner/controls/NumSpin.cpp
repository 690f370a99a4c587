#include "tuner/controls/NumSpin.h"

#include "tuner/controls/NumEdit.h"
#include "tuner/model/DisplayFormat.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/platform/WindowMessage.h"

namespace controls {

NumSpin::NumSpin(QWidget* parent, int controlId) : QWidget(parent) {
  platform::setControlId(this, controlId);
  hide();
}

void NumSpin::setBuddy(NumEdit* edit) {
  if (edit_) edit_->spin_ = nullptr;
  edit_ = edit;
  if (edit_) edit_->spin_ = this;
}

void NumSpin::setRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = maximum;
  if (edit_) edit_->setRange(minimum, maximum);
}

void NumSpin::setPos(int pos) {
  if (pos < min_ || pos > max_) {
    const QString id = QString::number(platform::controlId(edit_));
    platform::messageBoxText(window(), id + ':' + platform::text2("数据错误", "Data err"));
    return;
  }
  if (edit_) edit_->setPos(pos);
}

int NumSpin::pos() const { return edit_ ? edit_->getPos() : min_; }

void NumSpin::step(int delta) {
  if (!edit_) return;
  display::EditRange range = edit_->range();
  range.minimum = min_;
  range.maximum = max_;
  edit_->setPos(display::Step(edit_->displayType(), edit_->getPos(), delta, range));
  platform::sendCommand(platform::controlOwner(this), platform::controlId(this));
}

}  // namespace controls
