#pragma once
// Progress bars: GradientProgressCtrl (a gradient bar with the percentage as
// "%3.0f %%") and MyProgressCtrl (an image bar: the full image uncovered up
// to the position over the empty one).

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace controls {

// Range and position shared by both bars.
class ProgressRange : public QWidget {
  Q_OBJECT
 public:
  ProgressRange(QWidget* parent, int controlId);

  void setRange(int minimum, int maximum);
  void setPos(int pos);
  int pos() const { return pos_; }
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  // Share done, 0 to 1.
  double fraction() const;

 private:
  int min_ = 0, max_ = 100, pos_ = 0;
};

class GradientProgressCtrl : public ProgressRange {
  Q_OBJECT
 public:
  GradientProgressCtrl(QWidget* parent, int controlId);

  void setColours(const QColor& start, const QColor& end, const QColor& background, const QColor& text);
  void setShowPercent(bool show);
  QString percentText() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor start_ = QColor(255, 170, 40), end_ = QColor(214, 72, 12);
  QColor background_ = QColor(24, 26, 32), text_ = Qt::white;
  bool showPercent_ = true;
};

class MyProgressCtrl : public ProgressRange {
  Q_OBJECT
 public:
  MyProgressCtrl(QWidget* parent, int controlId);

  void setImages(const QPixmap& empty, const QPixmap& full);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap empty_, full_;
};

}  // namespace controls
