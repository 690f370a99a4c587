// Start-up against the built-in processor simulator: the posted start-up
// connection, the read-back with its transfer window, and failures.

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/app/ViewLink.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/sim/ProcessorSimulator.h"

using namespace app;

namespace {

class SimulatorConnectionTest : public AppFixture {
 protected:
  std::vector<int> events;
  bool transferShown = false;

  // Starts with the simulator; faults apply before the start-up connection.
  void startSimulated(const SimulatorFaults& faults = {}) {
    CommandLine cl;
    cl.simulator = true;
    ASSERT_TRUE(application.InitInstance(cl));
    ProcessorSimulator* sim = view()->Link()->Simulator();
    ASSERT_NE(sim, nullptr);
    sim->SetFaults(faults);
    sim->SetStatus(77, 1, 3);
    QObject::connect(view(), &CDSP550View::linkEvent, [this](int msg, qintptr, qintptr) {
      events.push_back(msg);
      if (view()->TransferDisplay()->isVisible()) transferShown = true;
    });
  }
};

}  // namespace

TEST_F(SimulatorConnectionTest, TheStartUpConnectionReadsTheProcessorBack) {
  g_bConnected = 0;
  startSimulated();
  EXPECT_FALSE(view()->Link()->Link().IsConnected()) << "posted: nothing happens before the form is drawn";
  ASSERT_TRUE(waitUntil([] { return g_bConnected.load() == 1; }));
  EXPECT_TRUE(transferShown);
  EXPECT_FALSE(view()->TransferDisplay()->isVisible());
  EXPECT_EQ(view()->TransferDisplay()->Pos(), 18) << "indices 0 to 18 of the read-back";
  EXPECT_EQ(events.front(), WM_LINK_IDENTITY);
  EXPECT_NE(std::find(events.begin(), events.end(), WM_LINK_LIVE_OUTPUTS), events.end());
  {
    LinkGuard hold(view()->Command().Lock());
    EXPECT_EQ(view()->Document().Model().Image().IdentificationText(), ProcessorSimulator::kDefaultIdentity);
  }

  frame()->close();
  EXPECT_FALSE(view()->Link()->Link().IsConnected()) << "closing the window stops the link";
}

TEST_F(SimulatorConnectionTest, ASilentProcessorEndsInTheNotConnectedNotice) {
  platform::MessageBoxRecorder boxes;
  SimulatorFaults silent;
  silent.silent = true;
  startSimulated(silent);
  ASSERT_TRUE(waitUntil([&] { return !boxes.shown().empty(); }, 30000));
  EXPECT_EQ(boxes.texts(), QStringList{QString::fromUtf8("无法连接设备")});
  EXPECT_FALSE(view()->Link()->Link().IsConnected());
  EXPECT_EQ(g_bConnected.load(), 0);
}

TEST_F(SimulatorConnectionTest, UnpluggingDuringTheReadBackClosesTheTransferWindow) {
  platform::MessageBoxRecorder boxes;
  SimulatorFaults slow;
  slow.replyDelayMs = 150;
  startSimulated(slow);
  view()->ToggleLanguage();  // English
  ASSERT_TRUE(waitUntil([&] { return view()->TransferDisplay()->isVisible(); }));
  view()->Link()->Simulator()->Unplug();
  ASSERT_TRUE(waitUntil([&] { return !boxes.shown().empty(); }, 30000));
  EXPECT_EQ(boxes.texts().first(), "unable to connect");
  EXPECT_FALSE(view()->TransferDisplay()->isVisible());
  EXPECT_EQ(g_bConnected.load(), 0);
}
