#pragma once
// Image statics: MuteStatic (an image with a hand cursor) and SLamp (an
// owner-drawn lamp showing its off or on image).

#include <QPixmap>
#include <QWidget>

namespace controls {

class MuteStatic : public QWidget {
  Q_OBJECT
 public:
  MuteStatic(QWidget* parent, int controlId);
  void setImage(const QPixmap& image);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap image_;
};

class SLamp : public QWidget {
  Q_OBJECT
 public:
  SLamp(QWidget* parent, int controlId);
  void setImages(const QPixmap& off, const QPixmap& on);
  void setOn(bool on);
  bool isOn() const { return on_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap off_, on_image_;
  bool on_ = false;
};

}  // namespace controls
