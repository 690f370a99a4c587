#pragma once
// A button with six images: normal, hover and pressed, each for its off and
// its on state. The owner sets the state (mute, phase, toggles) and calls
// setSkin again with the other language's images when the language changes.

#include <QColor>

#include "tuner/controls/ImageButton.h"

namespace controls {

struct XPSkin {
  QPixmap normal, hover, pressed;        // off state
  QPixmap normalOn, hoverOn, pressedOn;  // on state
  QColor transparent;                    // key colour of the images, if any
};

class XPButton : public ImageButton {
  Q_OBJECT
 public:
  XPButton(QWidget* parent, int controlId);

  void setSkin(const XPSkin& skin);
  void setOn(bool on);
  bool isOn() const { return on_; }

 protected:
  QPixmap currentImage() const override;

 private:
  XPSkin skin_;
  bool on_ = false;
};

}  // namespace controls
