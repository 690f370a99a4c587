#pragma once
// The numeric edit through which every number is entered: it holds an integer
// position (the parameter code) and shows it as a value in its unit, by its
// display type. A typed value is committed when the edit loses the focus:
// parsed, clamped, shown again and reported to the owner as a click command
// with the edit's control id. Up and Down are stepped by the bound NumSpin.

#include <QLineEdit>
#include <QPointer>

#include "tuner/controls/NumSpin.h"
#include "tuner/model/DisplayFormat.h"

namespace controls {

class NumSpin;

class NumEdit : public QLineEdit {
  Q_OBJECT
 public:
  NumEdit(QWidget* parent, int controlId);

  // Setting the range also sets the position to the minimum.
  void setRange(int minimum, int maximum);
  void setScaleOffset(double scale, double offset);
  void setDisplayType(int type);
  int displayType() const { return type_; }
  const display::EditRange& range() const { return range_; }

  // Ignored unless minimum <= pos <= maximum.
  void setPos(int pos);
  // Parses a modified text first (without notifying the owner).
  int getPos();

  void setHighlight(bool on);
  bool isHighlighted() const { return highlight_; }

  NumSpin* spin() const { return spin_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  friend class NumSpin;
  void showValue();
  // Reads the typed text into the position; true when the user had changed it.
  bool takeTypedValue();
  void notifyOwner();

  display::EditRange range_;
  int type_ = display::kFrequency;
  int pos_ = 0;
  bool highlight_ = false;
  QPointer<NumSpin> spin_;
};

}  // namespace controls
