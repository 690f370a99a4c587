#pragma once
// An image button with a hover look, drawn with the images' own transparency
// over the owner's picture; shown and hidden as a whole (the speaker
// positions on the car picture).

#include "tuner/controls/ImageButton.h"

namespace controls {

class BtnPng : public ImageButton {
  Q_OBJECT
 public:
  BtnPng(QWidget* parent, int controlId);

  void setImages(const QPixmap& normal, const QPixmap& hover);

 protected:
  QPixmap currentImage() const override;

 private:
  QPixmap normal_, hover_;
};

}  // namespace controls
