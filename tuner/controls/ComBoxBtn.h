#pragma once
// A button that shows the selected entry of its list and opens the list
// (a DropBtn) under itself. Choosing an entry, or turning the mouse wheel over
// the button (toward the user: next entry, away: previous, clamped to the
// list), posts message 1826 (notify id, entry index) to the owner.

#include <QStringList>

#include "tuner/controls/ImageButton.h"

namespace controls {

class DropBtn;

class ComBoxBtn : public ImageButton {
  Q_OBJECT
 public:
  ComBoxBtn(QWidget* parent, int controlId);

  // The id carried by its 1826 messages (the control id unless set).
  void setNotifyId(int id) { notifyId_ = id; }
  int notifyId() const { return notifyId_; }

  void resetContent();
  int addString(const QString& text);
  void setEntries(const QStringList& entries);  // keeps the selection where it can
  int count() const { return entries_.size(); }
  QString entry(int index) const { return entries_.value(index); }
  // -1 for none; an index outside the list selects nothing.
  void setCurSel(int index);
  int getCurSel() const { return current_; }
  QString currentText() const { return entries_.value(current_); }

  DropBtn* dropList() const { return drop_; }
  void showDropList();

 protected:
  QPixmap currentImage() const override { return {}; }
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent*) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void choose(int index);

  int notifyId_;
  QStringList entries_;
  int current_ = -1;
  int wheelRemainder_ = 0;
  DropBtn* drop_;
};

}  // namespace controls
