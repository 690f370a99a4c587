#pragma once
// The whole application started as main() does, shown and active, with the
// form's controls found by id; optionally connected to the built-in
// processor simulator.

#include <QAbstractButton>
#include <QTest>

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/MainForm.h"
#include "tuner/app/MainFormIds.h"
#include "tuner/app/ViewLink.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/sim/ProcessorSimulator.h"

class FormFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    g_bConnected = 0;
    platform::setChinese(true);
  }

  // Starts without a device (no processor on USB here).
  void startOffline() { startShown({}); }
  // Starts against the simulator and waits for the read-back.
  void startConnected() {
    app::CommandLine cl;
    cl.simulator = true;
    startShown(cl);
    ASSERT_TRUE(waitUntil([] { return g_bConnected.load() == 1; }));
  }

  app::MainForm& form() { return *view()->Form(); }
  CKTV_Data& model() { return view()->Document().Model(); }
  LinkMutex& lock() { return view()->Command().Lock(); }
  ProcessorSimulator& sim() { return *view()->Link()->Simulator(); }

  template <typename T = QWidget>
  T* control(int id) {
    T* c = platform::findControl<T>(view(), id);
    EXPECT_NE(c, nullptr) << "control " << id;
    return c;
  }
  void click(int id) { control<QAbstractButton>(id)->click(); }
  // Types a value into a numeric edit and leaves it, as a user does.
  void type(int id, const QString& text) {
    auto* edit = control<controls::NumEdit>(id);
    edit->setFocus();
    ASSERT_TRUE(waitUntil([&] { return edit->hasFocus(); }));
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);  // Enter commits by moving the focus to the form
  }
  // An entry chosen in a drop-down button's list (what its list reports).
  void choose(int comboId, int index) {
    platform::sendMessage(control<controls::ComBoxBtn>(comboId), 1826, comboId, index);
    drainEvents();
  }
  static void drainEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }

  void setTypes(std::initializer_list<std::pair<int, int>> channelTypes) {
    {
      LinkGuard hold(lock());
      for (auto [ch, t] : channelTypes) model().SetSpeakerType(ch, t);
    }
    form().RefreshAllControls();
  }

 private:
  void startShown(const app::CommandLine& cl) {
    start(cl);
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
  }
};
