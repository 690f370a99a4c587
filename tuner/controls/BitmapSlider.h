#pragma once
// A slider drawn from bitmaps over its owner's picture. Reports to its owner
// by posted messages (control id, position): slider-moving while dragged, at
// most every 50 ms, and slider-moved when released or stepped by key or wheel.

#include <QBasicTimer>
#include <QColor>
#include <QMargins>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace controls {

class NumEdit;

class BitmapSlider : public QWidget {
  Q_OBJECT
 public:
  BitmapSlider(QWidget* parent, int controlId, Qt::Orientation orientation = Qt::Vertical);

  // The control takes the channel image's size; a second image (the filled
  // part of the channel) must have the same size, else it is not used.
  void setChannelImages(const QPixmap& channel, const QPixmap& filled = {}, const QColor& transparent = {});
  void setThumbImages(const QPixmap& thumb, const QPixmap& active = {}, const QColor& transparent = {});
  void setRange(int minimum, int maximum, bool redraw = true);
  void setPos(int pos);
  int pos() const { return pos_; }
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  void setMargins(int left, int top, int right, int bottom);
  void setPageSize(int page) { page_ = page; }
  void setDrawFocusRect(bool draw) { drawFocusRect_ = draw; }
  // The numeric edit highlighted while the slider has the focus.
  void bindNumEdit(NumEdit* edit) { boundEdit_ = edit; }

  Qt::Orientation orientation() const { return orientation_; }
  // Centre of the thumb for a position, in control coordinates.
  QPoint thumbCentre(int pos) const;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  bool hasImages() const { return !channel_.isNull() && !thumb_.isNull(); }
  int thumbLength() const;
  int travel() const;
  // Coordinate along the slider's axis of a point.
  int along(const QPoint& p) const;
  int posFromAlong(int coordinate) const;
  void report(int msg);
  // Sets the position by a user action; true when it changed.
  bool moveTo(int pos);
  void setEditHighlight(bool on);

  Qt::Orientation orientation_;
  QPixmap channel_, filled_, thumb_, thumbActive_;
  int min_ = 0, max_ = 100, pos_ = 0, page_ = 10;
  QMargins margins_;
  bool dragging_ = false, focused_ = false, changed_ = false, drawFocusRect_ = false;
  int grabOffset_ = 0;
  int wheelRemainder_ = 0;
  QBasicTimer reportTimer_;
  QPointer<NumEdit> boundEdit_;
};

}  // namespace controls
