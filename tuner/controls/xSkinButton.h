#pragma once
// A skinned push, check or radio button with normal, down, over, disabled
// and focus looks. A check button toggles on each click; a radio button is
// checked when released over itself and stays checked.

#include "tuner/controls/ImageButton.h"

namespace controls {

struct SkinLooks {
  QPixmap normal, down, over, disabled, focus;
};

class xSkinButton : public ImageButton {
  Q_OBJECT
 public:
  enum Style { Push, Check, Radio };

  xSkinButton(QWidget* parent, int controlId, Style style = Push);

  void setSkin(const SkinLooks& looks);
  Style buttonStyle() const { return style_; }

 protected:
  QPixmap currentImage() const override;
  void nextCheckState() override;

 private:
  Style style_;
  SkinLooks looks_;
};

}  // namespace controls
