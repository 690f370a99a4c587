// --simulator=STATEFILE: the simulator's memory comes from the file and goes
// back to it at exit.

#include "tests/tuner/mainform/FormFixture.h"

namespace {

class SimulatorStateTest : public FormFixture {};

TEST_F(SimulatorStateTest, StateFileIsLoadedBeforeConnectingAndSavedAtExit) {
  const app::CommandLine cl = app::ParseCommandLine({"--simulator=" + settingsDir.filePath("state.sim")});
  ASSERT_TRUE(cl.simulator);
  {
    ProcessorSimulator sim;
    auto rec = sim.ChannelRecord(0, 3);
    rec[250] = 42;  // CH4 gain code
    rec[251] = 0;
    sim.SetChannelRecord(0, 3, rec);
    ASSERT_TRUE(sim.Save(cl.simulatorState.toStdString()));
  }
  start(cl);
  ASSERT_TRUE(waitUntil([] { return g_bConnected.load() == 1; }));
  EXPECT_EQ(control<controls::BitmapSlider>(app::ids::kGainSlider + 3)->pos(), 42);

  QTest::keyClick(control<controls::BitmapSlider>(app::ids::kGainSlider + 3), Qt::Key_Down);
  ASSERT_TRUE(waitUntil([&] { return sim().ChannelRecord(0, 3)[250] == 41; }));
  application.ExitInstance();
  ProcessorSimulator reloaded;
  ASSERT_TRUE(reloaded.Load(cl.simulatorState.toStdString()));
  EXPECT_EQ(reloaded.ChannelRecord(0, 3)[250], 41);
}

}  // namespace
