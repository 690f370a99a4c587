#pragma once
// A static text in a chosen font and colour. A font that cannot be made
// (no family, no size) shows "字体不能创建!" / "Font could not be created!".

#include <QColor>
#include <QWidget>

namespace controls {

class FontStatic : public QWidget {
  Q_OBJECT
 public:
  FontStatic(QWidget* parent, int controlId, const QString& text = {});

  // Returns false when the font cannot be made.
  bool setFont(const QString& family, int pixelHeight, int weight = QFont::Normal, bool italic = false);
  void setColour(const QColor& colour);
  void setText(const QString& text);
  void setAlignment(Qt::Alignment alignment);
  // What the control shows: its text, or the font failure message.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString text_;
  QColor colour_ = Qt::white;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
  bool fontFailed_ = false;
};

}  // namespace controls
