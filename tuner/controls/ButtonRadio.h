#pragma once
// An owner-drawn radio-style button: a round mark and its text, checked by
// its owner.

#include "tuner/controls/ImageButton.h"

namespace controls {

class ButtonRadio : public ImageButton {
  Q_OBJECT
 public:
  ButtonRadio(QWidget* parent, int controlId, const QString& text = {});

  void setMarked(bool marked);
  bool isMarked() const { return marked_; }
  QSize sizeHint() const override;

 protected:
  QPixmap currentImage() const override { return {}; }
  void paintEvent(QPaintEvent*) override;

 private:
  bool marked_ = false;
};

}  // namespace controls
