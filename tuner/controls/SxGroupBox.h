#pragma once
// A group frame with its caption in a chosen font and colour.

#include <QColor>
#include <QWidget>

namespace controls {

class SxGroupBox : public QWidget {
  Q_OBJECT
 public:
  SxGroupBox(QWidget* parent, int controlId, const QString& caption = {});

  void setCaption(const QString& caption);
  QString caption() const { return caption_; }
  void setColours(const QColor& caption, const QColor& frame);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString caption_;
  QColor captionColour_ = QColor(236, 238, 244);
  QColor frameColour_ = QColor(98, 106, 124);
};

}  // namespace controls
