#pragma once
// The spin bound to a NumEdit. It is never shown: it keeps the range, steps
// the position on the Up and Down keys pressed in its edit (frequency types
// along the response grid) and reports each step to the owner as a click
// command with the spin's control id.

#include <QPointer>
#include <QWidget>

namespace controls {

class NumEdit;

class NumSpin : public QWidget {
  Q_OBJECT
 public:
  NumSpin(QWidget* parent, int controlId);

  void setBuddy(NumEdit* edit);
  NumEdit* buddy() const { return edit_; }

  // Also gives the bound edit the same range.
  void setRange(int minimum, int maximum);
  // Out of range: the "%d:Data err" message with the edit's id; nothing changes.
  void setPos(int pos);
  // The bound edit's position.
  int pos() const;

  // One arrow-key step (+1 Up, -1 Down), shown and reported.
  void step(int delta);

 private:
  QPointer<NumEdit> edit_;
  int min_ = 0, max_ = 100;
};

}  // namespace controls
