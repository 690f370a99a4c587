#include <QScreen>
#include <QTest>
#include <QThread>

#include <thread>

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/app/Screenshot.h"
#include "tuner/platform/Language.h"

using namespace app;

namespace {

using MainWindowTest = AppFixture;

// A mouse event at a screen position (the pointer does not move with the window).
void mouse(QWidget* w, QEvent::Type type, QPoint global) {
  QMouseEvent e(type, w->mapFromGlobal(global), global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

TEST_F(MainWindowTest, FramelessFixedFrameWithTheBandCutAwayAt96Dpi) {
  start();
  EXPECT_TRUE(frame()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(frame()->size(), QSize(1284, 690));
  EXPECT_EQ(frame()->mask(), QRegion(2, 2, 1280, 686));
  EXPECT_EQ(view()->geometry(), QRect(2, 2, 1280, 686));
  EXPECT_EQ(view()->devicePixelRatioF(), 1.0);
  EXPECT_GT(QApplication::font().pixelSize(), 0) << "no text is sized by the screen's dpi";
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(frame()->geometry().center(), screen.center()) << "centred";

  frame()->move(150, 90);
  frame()->OnDisplayChange();
  EXPECT_EQ(frame()->pos(), QPoint(0, 0));
  EXPECT_EQ(frame()->size(), QSize(1284, 690));
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindow) {
  start();
  frame()->move(100, 80);
  const QPoint press = view()->mapToGlobal(QPoint(600, 300));
  mouse(view(), QEvent::MouseButtonPress, press);
  mouse(view(), QEvent::MouseMove, press + QPoint(40, 25));
  mouse(view(), QEvent::MouseMove, press + QPoint(70, -15));
  mouse(view(), QEvent::MouseButtonRelease, press + QPoint(70, -15));
  EXPECT_EQ(frame()->pos(), QPoint(170, 65));
  EXPECT_TRUE(view()->hasFocus()) << "a press on the form takes the focus (committing edits)";
  mouse(view(), QEvent::MouseMove, press);
  EXPECT_EQ(frame()->pos(), QPoint(170, 65)) << "released: no more dragging";
}

TEST_F(MainWindowTest, TheBackgroundFollowsTheLanguage) {
  start();
  const QImage chinese = view()->grab().toImage();
  bool relabelled = false;
  view()->AddRelabelHandler([&] { relabelled = true; });
  view()->ToggleLanguage();
  EXPECT_FALSE(platform::isChinese());
  EXPECT_TRUE(relabelled);
  const QImage english = view()->grab().toImage();
  EXPECT_EQ(english.size(), QSize(1280, 686));
  EXPECT_NE(chinese, english);
  view()->ToggleLanguage();
  EXPECT_EQ(view()->grab().toImage(), chinese);
}

TEST_F(MainWindowTest, LinkNotificationsFromThePumpReachTheFormOnItsThread) {
  start();
  std::vector<std::tuple<int, qintptr, qintptr>> seen;
  QThread* handledOn = nullptr;
  QObject::connect(view(), &CDSP550View::linkEvent, [&](int msg, qintptr w, qintptr l) {
    seen.emplace_back(msg, w, l);
    handledOn = QThread::currentThread();
  });
  view()->TransferDisplay()->SetRange(18);
  std::thread pump([&] {
    LinkOwner* owner = view();
    owner->Post(WM_LINK_NAME, 3, 0);
    owner->Progress(12);
  });
  pump.join();
  ASSERT_TRUE(waitUntil([&] { return !seen.empty() && view()->TransferDisplay()->Pos() == 12; }));
  EXPECT_EQ(seen, (std::vector<std::tuple<int, qintptr, qintptr>>{{WM_LINK_NAME, 3, 0}}));
  EXPECT_EQ(handledOn, QThread::currentThread());
}

TEST_F(MainWindowTest, ScreenshotIsTheVisibleForm) {
  start();
  QTemporaryDir dir;
  const QString file = dir.filePath("shot.png");
  ASSERT_TRUE(SaveWindowPng(frame(), file));
  QImage shot(file);
  EXPECT_EQ(shot.size(), QSize(1280, 686));
  EXPECT_EQ(shot, view()->grab().toImage().convertToFormat(shot.format()));
}
