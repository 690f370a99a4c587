#pragma once
// A shown, active form for the control tests, and raw mouse events (sent
// straight to a control, as the tests drive drags themselves).

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "tests/tuner/platform/QtTestSupport.h"

class ControlsFixture : public ::testing::Test {
 protected:
  RecordingOwner form;

  void SetUp() override {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  static void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  // notches > 0 turn the wheel away from the user.
  static void wheel(QWidget* w, int notches) {
    const QPoint pos = w->rect().center();
    QWheelEvent e(pos, w->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  }
};
