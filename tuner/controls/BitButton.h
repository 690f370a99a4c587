#pragma once
// An image button with a hover look that answers the right mouse button as
// it answers the left one.

#include "tuner/controls/ImageButton.h"

namespace controls {

class BitButton : public ImageButton {
  Q_OBJECT
 public:
  BitButton(QWidget* parent, int controlId);

  void setImages(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed = {});

 protected:
  QPixmap currentImage() const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QPixmap normal_, hover_, pressed_;
  bool rightDown_ = false;
};

}  // namespace controls
