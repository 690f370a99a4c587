// The form against the built-in processor simulator: edits reach the
// processor, system items go at once, the processor's own changes reach the
// form, unconnected edits give way to the read-back, connect and close.

#include <mutex>

#include "tests/tuner/mainform/FormFixture.h"
#include "tuner/link/Protocol.h"

#include <QLabel>
#include <QLineEdit>

using namespace app;

namespace {

class FormDeviceTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    startConnected();
    sim().SetCommandObserver([this](const protocol::Command& c) {
      std::lock_guard<std::mutex> hold(writesLock);
      if (c.operation == protocol::kWrite && c.type == protocol::kSystem) systemWrites.push_back(c.item);
    });
  }
  void TearDown() override {
    if (view() && view()->Link() && view()->Link()->Simulator()) sim().SetCommandObserver(nullptr);
  }
  int simGain(int ch) {
    const auto rec = sim().ChannelRecord(0, ch);
    return rec[250] | (rec[251] << 8);
  }
  bool sawSystemWrite(int item) {
    std::lock_guard<std::mutex> hold(writesLock);
    return std::find(systemWrites.begin(), systemWrites.end(), item) != systemWrites.end();
  }

  std::mutex writesLock;
  std::vector<int> systemWrites;  // written on the link's thread
};

TEST_F(FormDeviceTest, EditsOnTheFormReachTheProcessor) {
  QTest::keyClick(control<controls::BitmapSlider>(ids::kGainSlider + 2), Qt::Key_Down);
  click(ids::kPhase + 2);
  EXPECT_TRUE(waitUntil([&] { return simGain(2) == 59; }));
  EXPECT_TRUE(waitUntil([&] { return sim().ChannelRecord(0, 2)[249] == 1; }));

  choose(ids::kSource, 4);  // pushed at once
  EXPECT_TRUE(waitUntil([&] { return sim().SystemHead()[0] == 4; }));
  choose(ids::kNoiseGate, 2);
  EXPECT_TRUE(waitUntil([&] { return sawSystemWrite(150); }));
}

TEST_F(FormDeviceTest, ProcessorStatusChangesMoveTheForm) {
  sim().SetStatus(100, 1, 2);
  EXPECT_TRUE(waitUntil([&] { return control<controls::BitmapSlider>(ids::kVolumeSlider)->pos() == 100; }));
  EXPECT_EQ(control<controls::NumEdit>(ids::kVolumeEdit)->getPos(), 100);
  EXPECT_TRUE(waitUntil([&] { return control<controls::ComBoxBtn>(ids::kSource)->getCurSel() == 2; }));
  sim().SetStatus(100, 0, 2);
  EXPECT_TRUE(waitUntil([&] { return !control<controls::XPButton>(ids::kMasterSound)->isOn(); }));
}

TEST_F(FormDeviceTest, UnconnectedEditsGiveWayToTheReadBackButTheMasterSliderIsSent) {
  const int deviceGain = simGain(4);
  click(ids::kConnect);  // disconnect
  ASSERT_FALSE(form().IsConnected());
  EXPECT_FALSE(control<controls::XPButton>(ids::kConnect)->isOn());

  QTest::keyClick(control<controls::BitmapSlider>(ids::kGainSlider + 4), Qt::Key_Down);
  drainEvents();
  EXPECT_EQ(model().Out(4).Gain(), deviceGain - 1);
  EXPECT_FALSE(model().Out(4).IsPending(CKTV_OutData::kPendChannel));
  QTest::keyClick(control<controls::BitmapSlider>(ids::kVolumeSlider), Qt::Key_Right);
  drainEvents();
  EXPECT_TRUE(model().IsSystemPending(144));

  click(ids::kConnect);
  ASSERT_TRUE(waitUntil([] { return g_bConnected.load() == 1; }));
  EXPECT_TRUE(control<controls::XPButton>(ids::kConnect)->isOn());
  EXPECT_EQ(model().Out(4).Gain(), deviceGain) << "the read-back replaces the offline edit";
  EXPECT_EQ(control<controls::BitmapSlider>(ids::kGainSlider + 4)->pos(), deviceGain);
  EXPECT_TRUE(waitUntil([&] { return sawSystemWrite(144); })) << "the slider's mark goes out on the first pull";
}

TEST_F(FormDeviceTest, ResetEqSendsTheChannelWhole) {
  {
    LinkGuard hold(lock());
    model().Out(0).Band(5).SetGainCode(300);
  }
  ASSERT_TRUE(waitUntil([&] {
    const auto rec = sim().ChannelRecord(0, 0);
    return (rec[5 * 8 + 2] | (rec[5 * 8 + 3] << 8)) == 700;
  }));
  platform::MessageBoxRecorder answers(platform::IDOK);
  click(ids::kResetEq);
  EXPECT_TRUE(waitUntil([&] {
    const auto rec = sim().ChannelRecord(0, 0);
    return (rec[5 * 8 + 2] | (rec[5 * 8 + 3] << 8)) == 600 && rec[248] == 1;
  })) << "reset band sent, the channel audible again";
}

TEST_F(FormDeviceTest, ALostDeviceShowsTheNoticeAndTheConnectButtonGoesOff) {
  platform::MessageBoxRecorder boxes;
  QTest::keyClick(control<controls::BitmapSlider>(ids::kGainSlider + 1), Qt::Key_Down);
  sim().Unplug();
  ASSERT_TRUE(waitUntil([&] { return !boxes.shown().empty(); }, 30000));
  EXPECT_EQ(boxes.texts().first(), QString::fromUtf8("无法连接设备"));
  EXPECT_FALSE(control<controls::XPButton>(ids::kConnect)->isOn());
  EXPECT_EQ(model().Out(1).Gain(), 59) << "the form and the model keep their values";
  EXPECT_EQ(control<controls::BitmapSlider>(ids::kGainSlider + 1)->pos(), 59);
}

TEST_F(FormDeviceTest, PresetNameGoesToTheHiddenNameControls) {
  form().ShowPresetName("Evening drive with bass");
  EXPECT_EQ(control<QLineEdit>(1002)->text(), "Evening drive");
  EXPECT_EQ(control<QLabel>(2284)->text(), "TARN 770:Evening drive");
  EXPECT_FALSE(control(1002)->isVisible());
}

TEST_F(FormDeviceTest, CloseButtonStopsTheLink) {
  click(ids::kClose);
  EXPECT_FALSE(view()->Link()->Link().IsConnected());
  EXPECT_TRUE(form().ClosedByButton());
  EXPECT_FALSE(frame()->isVisible());
}

}  // namespace
