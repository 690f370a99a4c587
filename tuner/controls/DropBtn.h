#pragma once
// The drop-down list of a ComBoxBtn: a pop-up window under the button that
// lists the entries; choosing one posts message 1826 (notify id, index) to
// the button. A click outside the list closes it.

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace controls {

class DropBtn : public QWidget {
  Q_OBJECT
 public:
  // target: the window told of the choice; notifyId: wParam of that message.
  DropBtn(QWidget* target, int notifyId);

  // Opens the list with its top-left corner at a global position.
  void open(const QStringList& entries, int current, const QPoint& globalTopLeft, int width);
  int rowHeight() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  int rowAt(const QPoint& p) const;
  void choose(int index);

  QPointer<QWidget> target_;
  int notifyId_;
  QStringList entries_;
  int hot_ = -1;
};

}  // namespace controls
