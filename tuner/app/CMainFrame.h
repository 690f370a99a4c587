#pragma once
// The main window: frameless, a client area of exactly 1284 x 690 pixels,
// centred on the screen, with a 2-pixel band around the 1280 x 686 form cut
// away. A change of the display puts it back to (0, 0) at its size.

#include <QWidget>

#include <functional>

namespace app {

class CMainFrame : public QWidget {
  Q_OBJECT
 public:
  CMainFrame();

  // Places the view (the form) inside the cut-away band.
  void SetView(QWidget* view);
  QWidget* View() const { return view_; }

  void CenterOnScreen();
  // Display-mode change: back to the screen's top-left corner at 1284 x 690.
  void OnDisplayChange();
  // Run before the window closes (stops the link's threads).
  void SetCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void WatchScreens();

  QWidget* view_ = nullptr;
  std::function<void()> closeHandler_;
};

}  // namespace app
