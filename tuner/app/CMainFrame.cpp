#include "tuner/app/CMainFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "tuner/app/AppResources.h"
#include "tuner/app/MainFormLayout.h"

namespace app {

namespace {
constexpr int kBand = (layout::kFrameWidth - layout::kFormWidth) / 2;  // 2 pixels
}

CMainFrame::CMainFrame() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setWindowTitle(Resources().title);
  setFixedSize(layout::kFrameWidth, layout::kFrameHeight);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  WatchScreens();
}

void CMainFrame::SetView(QWidget* view) {
  view_ = view;
  view_->setParent(this);
  view_->move(kBand, kBand);
  view_->show();
}

void CMainFrame::CenterOnScreen() {
  move(0, 0);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

void CMainFrame::OnDisplayChange() {
  setFixedSize(layout::kFrameWidth, layout::kFrameHeight);
  move(0, 0);
  show();
}

void CMainFrame::WatchScreens() {
  auto watch = [this](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &CMainFrame::OnDisplayChange);
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
    watch(screen);
    OnDisplayChange();
  });
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &CMainFrame::OnDisplayChange);
}

void CMainFrame::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  setMask(QRegion(rect().adjusted(kBand, kBand, -kBand, -kBand)));
}

void CMainFrame::closeEvent(QCloseEvent* e) {
  if (closeHandler_) closeHandler_();
  QWidget::closeEvent(e);
}

}  // namespace app
