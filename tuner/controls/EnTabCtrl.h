#pragma once
// Tab frames filled with the form colour RGB(227, 228, 238). BaseTabCtrl
// draws the frame; EnTabCtrl adds drawn tabs. On the main form the frame only
// holds the output channel panel.

#include <QStringList>
#include <QWidget>

namespace controls {

class BaseTabCtrl : public QWidget {
  Q_OBJECT
 public:
  static const QColor kFormColour;

  BaseTabCtrl(QWidget* parent, int controlId);
  // The area inside the frame (and below the tabs) that a page fills.
  virtual QRect pageRect() const;

 protected:
  void paintEvent(QPaintEvent*) override;
};

class EnTabCtrl : public BaseTabCtrl {
  Q_OBJECT
 public:
  EnTabCtrl(QWidget* parent, int controlId);

  void setTabs(const QStringList& tabs);
  void setCurrentTab(int index);
  int currentTab() const { return current_; }
  QRect pageRect() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int tabHeight() const;
  QRect tabRect(int index) const;

  QStringList tabs_;
  int current_ = 0;
};

}  // namespace controls
