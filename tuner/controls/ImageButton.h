#pragma once
// Common ground of the skinned buttons: the control id, hover tracking, an
// optional hand cursor, drawing one image of the current look over the
// owner's picture, and the click reported to the owner as WM_COMMAND with the
// control id (as well as Qt's clicked signal).

#include <QAbstractButton>
#include <QPixmap>

namespace controls {

class ImageButton : public QAbstractButton {
  Q_OBJECT
 public:
  ImageButton(QWidget* parent, int controlId);

  void setHandCursor(bool hand);
  bool isHovered() const { return hovered_; }

 protected:
  // The image of the current look; a null image leaves the button blank.
  virtual QPixmap currentImage() const = 0;
  // Resizes the button to an image of its skin.
  void fitTo(const QPixmap& image);

  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  bool hovered_ = false;
};

}  // namespace controls
