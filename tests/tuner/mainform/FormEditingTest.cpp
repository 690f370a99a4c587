// The form's edit loop without a device: selection, curve switches, speaker
// positions and delays, crossover limits, linked channels, language.

#include "tests/tuner/mainform/FormFixture.h"

using namespace app;

namespace {

class FormEditingTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    startOffline();
  }
  controls::XPButton* button(int id) { return control<controls::XPButton>(id); }
};

TEST_F(FormEditingTest, LineButtonsSwitchOtherChannelsCurvesOnly) {
  ASSERT_EQ(form().CurrentChannel(), 0);
  click(ids::kLine + 0);
  EXPECT_TRUE(button(ids::kLine + 0)->isOn()) << "the current channel's curve is always shown";
  EXPECT_FALSE(form().Graph()->IsCurveVisible(0));

  click(ids::kLine + 4);
  EXPECT_TRUE(form().Graph()->IsCurveVisible(4));
  EXPECT_TRUE(button(ids::kLine + 4)->isOn());
  click(ids::kLine + 4);
  EXPECT_FALSE(form().Graph()->IsCurveVisible(4));

  // Leaving a channel shows its own switch again.
  click(ids::kChannelButton + 2);
  EXPECT_EQ(form().CurrentChannel(), 2);
  EXPECT_EQ(form().Graph()->Channel(), 2);
  EXPECT_FALSE(button(ids::kLine + 0)->isOn());
  EXPECT_FALSE(button(ids::kChannelButton + 0)->isOn());
  EXPECT_TRUE(button(ids::kChannelButton + 2)->isOn());
}

TEST_F(FormEditingTest, SpeakerPositionButtonsSelectTheChannelThatDrivesThem) {
  setTypes({{0, 0}, {1, 2}, {2, 0}, {3, 2}, {4, 4}, {5, 0}, {6, 1}, {7, 0}, {8, 0}, {9, 0}});
  EXPECT_TRUE(control(2702)->isVisible());
  EXPECT_FALSE(control(2706)->isVisible()) << "nobody drives the rear left tweeter";
  EXPECT_FALSE(control(2586)->isVisible());
  struct Case {
    int buttonId;
    int expect;
  } cases[] = {
      {2702, 3},  // two channels of type 2: the higher one
      {2700, 4},  // types 1 and 4: the lower one
      {2706, 4},  // a type nobody carries leaves the selection
  };
  for (const Case& c : cases) {
    click(c.buttonId);
    EXPECT_EQ(form().CurrentChannel(), c.expect) << c.buttonId;
  }
}

TEST_F(FormEditingTest, DelayEditSetsItsChannelAndSelectsIt) {
  setTypes({{0, 1}, {1, 7}, {2, 2}, {3, 8}});
  type(2583, "1");  // front right tweeter, in milliseconds
  EXPECT_EQ(model().Out(1).Delay(), 48);
  EXPECT_EQ(form().CurrentChannel(), 1);

  click(ids::kUnitCm);
  EXPECT_EQ(form().DelayUnit(), kDelayCm);
  EXPECT_TRUE(control<controls::XPButton>(ids::kUnitCm)->isOn());
  EXPECT_FALSE(control<controls::XPButton>(ids::kUnitMs)->isOn());
  EXPECT_EQ(control<controls::NumEdit>(2583)->text(), "35") << "1 ms in centimetres";
}

TEST_F(FormEditingTest, CrossoverFrequenciesNeverCross) {
  type(ids::kLowPassEdit, "3000");
  type(ids::kHighPassEdit, "5000");
  EXPECT_EQ(model().Out(0).HighPass().Frequency(), 3000);
  EXPECT_EQ(model().Out(0).LowPass().Frequency(), 3000);
  EXPECT_EQ(control<controls::NumEdit>(ids::kHighPassEdit)->text(), "3000Hz");

  type(ids::kHighPassEdit, "1000");
  type(ids::kLowPassEdit, "200");
  EXPECT_EQ(model().Out(0).LowPass().Frequency(), 1000);
}

TEST_F(FormEditingTest, CrossoverEditsGoToTheWholeLinkGroup) {
  {
    LinkGuard hold(lock());
    model().Groups().SetGroup(1, 0);
  }
  choose(ids::kHighPassType, 0);
  choose(ids::kHighPassSlope, 7);
  type(ids::kHighPassEdit, "80");
  for (int ch : {0, 1}) {
    EXPECT_EQ(model().Out(ch).HighPass().CrossoverType(), 0) << ch;
    EXPECT_EQ(model().Out(ch).HighPass().Slope(), 7) << ch;
    EXPECT_EQ(model().Out(ch).HighPass().Frequency(), 80) << ch;
  }
  EXPECT_EQ(model().Out(2).HighPass().Frequency(), 20) << "not linked";
}

TEST_F(FormEditingTest, GainOfAChannelLinkedWithTwoOthersMovesAllThreeSliders) {
  {
    LinkGuard hold(lock());
    model().Groups().SetGroup(4, 2);
    model().Groups().SetGroup(7, 2);
  }
  auto* slider = control<controls::BitmapSlider>(ids::kGainSlider + 2);
  QTest::keyClick(slider, Qt::Key_Down);  // one step toward the minimum
  drainEvents();
  for (int ch : {2, 4, 7}) {
    EXPECT_EQ(model().Out(ch).Gain(), 59) << ch;
    EXPECT_EQ(control<controls::BitmapSlider>(ids::kGainSlider + ch)->pos(), 59) << ch;
    EXPECT_EQ(control<controls::NumEdit>(ids::kGainEdit + ch)->getPos(), 59) << ch;
  }
  EXPECT_EQ(control<controls::BitmapSlider>(ids::kGainSlider + 3)->pos(), 60);
  EXPECT_TRUE(control(ids::kGainEdit + 2)->hasFocus()) << "a moved slider hands the focus to its edit";

  // Typing OFF in an edit: the slider follows.
  type(ids::kGainEdit + 3, "OFF");
  EXPECT_EQ(model().Out(3).Gain(), 0);
  EXPECT_EQ(control<controls::BitmapSlider>(ids::kGainSlider + 3)->pos(), 0);
}

TEST_F(FormEditingTest, MutePhaseAndMasterSoundToggle) {
  click(ids::kMute + 5);
  EXPECT_EQ(model().Out(5).SoundOn(), 0);
  EXPECT_TRUE(control<controls::XPButton>(ids::kMute + 5)->isOn());
  click(ids::kPhase + 5);
  EXPECT_EQ(model().Out(5).Phase(), 1);
  const int sound = model().MasterSound();
  click(ids::kMasterSound);
  EXPECT_EQ(model().MasterSound(), sound ? 0 : 1);
}

TEST_F(FormEditingTest, LanguageSwitchKeepsEverySelectionAndValue) {
  setTypes({{0, 1}, {1, 7}});
  click(ids::kChannelButton + 1);
  choose(ids::kSource, 3);
  choose(ids::kNoiseGate, 5);
  choose(ids::kLowPassType, 2);
  click(ids::kUnitInch);
  type(ids::kHighPassEdit, "120");

  view()->ToggleLanguage();
  EXPECT_FALSE(platform::isChinese());
  EXPECT_EQ(form().CurrentChannel(), 1);
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kSource)->getCurSel(), 3);
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kSource)->currentText(), "Optical");
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kNoiseGate)->currentText(), "Grade5");
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kLowPassType)->currentText(), "Butter_W");
  EXPECT_EQ(form().DelayUnit(), kDelayInch);
  EXPECT_EQ(control<controls::NumEdit>(ids::kHighPassEdit)->getPos(), 120);
  EXPECT_EQ(model().Source(), 3);

  view()->ToggleLanguage();
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kSource)->currentText(), QString::fromUtf8("光纤"));
}

TEST_F(FormEditingTest, EnterAndEscapeCommitAndCloseNothing) {
  auto* edit = control<controls::NumEdit>(ids::kGainEdit + 6);
  edit->setFocus();
  ASSERT_TRUE(waitUntil([&] { return edit->hasFocus(); }));
  edit->selectAll();
  QTest::keyClicks(edit, "-10");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_TRUE(view()->hasFocus());
  EXPECT_EQ(model().Out(6).Gain(), 50);
  EXPECT_TRUE(frame()->isVisible());
}

TEST_F(FormEditingTest, TabFromTheLastRightDelayGoesToTheOutputPanelFrame) {
  setTypes({{0, 9}});  // front right woofer: delay edit 2585
  auto* edit = control<controls::NumEdit>(ids::kDelayTabToFrame);
  ASSERT_TRUE(edit->isVisible());
  edit->setFocus();
  ASSERT_TRUE(waitUntil([&] { return edit->hasFocus(); }));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(form().OutputFrame()->hasFocus());
}

TEST_F(FormEditingTest, MenuLanguageEntrySwitchesTheLanguage) {
  form().RunMenuCommand(kMenuLanguage);
  EXPECT_FALSE(platform::isChinese());
  EXPECT_EQ(control<controls::ComBoxBtn>(ids::kNoiseGate)->currentText(), "OFF");
  form().RunMenuCommand(kMenuLanguage);
  EXPECT_TRUE(platform::isChinese());
}

TEST_F(FormEditingTest, EditsWithoutADeviceMarkNothing) {
  QTest::keyClick(control<controls::BitmapSlider>(ids::kGainSlider + 1), Qt::Key_Down);
  type(ids::kLowPassEdit, "8000");
  drainEvents();
  EXPECT_EQ(model().Out(1).Gain(), 59);
  EXPECT_FALSE(model().Out(1).IsPending(CKTV_OutData::kPendChannel));
  EXPECT_FALSE(model().Out(0).LowPass().IsPending());
  // The master volume slider marks its system item all the same.
  QTest::keyClick(control<controls::BitmapSlider>(ids::kVolumeSlider), Qt::Key_Right);
  drainEvents();
  EXPECT_EQ(model().MasterVolume(), 61);
  EXPECT_TRUE(model().IsSystemPending(144));
}

TEST_F(FormEditingTest, ResetEqAsksFirst) {
  {
    LinkGuard hold(lock());
    model().Out(0).Band(10).SetGainCode(260);
  }
  platform::MessageBoxRecorder answers(platform::IDCANCEL);
  click(ids::kResetEq);
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], QString::fromUtf8("是否恢复所有EQ的初始值"));
  EXPECT_DOUBLE_EQ(model().Out(0).Band(10).Gain(), 6.0);
  answers.setAnswer(platform::IDOK);
  click(ids::kResetEq);
  EXPECT_DOUBLE_EQ(model().Out(0).Band(10).Gain(), 0.0);
  EXPECT_EQ(model().Out(0).Band(10).Frequency(), 200);
}

TEST_F(FormEditingTest, AllBypassRestoresEachBandsOwnState) {
  {
    LinkGuard hold(lock());
    model().Out(0).Band(3).Bypass(1);
    model().Out(0).Band(5).SetGainCode(260);  // one band that sounds
  }
  click(ids::kAllBypass);
  EXPECT_TRUE(control<controls::XPButton>(ids::kAllBypass)->isOn());
  for (int b = 0; b < 31; ++b) EXPECT_TRUE(model().Out(0).Band(b).IsBypassed()) << b;
  click(ids::kAllBypass);
  EXPECT_FALSE(control<controls::XPButton>(ids::kAllBypass)->isOn());
  EXPECT_TRUE(model().Out(0).Band(3).IsBypassed()) << "bypassed on its own before";
  EXPECT_FALSE(model().Out(0).Band(4).IsBypassed());
}

TEST_F(FormEditingTest, GraphEditsReachTheLinkGroupAndTheCrossoverEdits) {
  {
    LinkGuard hold(lock());
    model().Groups().SetGroup(3, 0);
    model().Out(0).HighPass().SetFrequency(150, true);
    model().Out(0).Band(12).SetGainCode(280);
    model().Out(0).Band(12).SetFrequency(400, true);
  }
  platform::sendMessage(view(), graph::kMsgGraphChanged, graph::kHighPassIndex, graph::kOutputChannelCode + 0);
  platform::sendMessage(view(), graph::kMsgGraphChanged, 12, graph::kOutputChannelCode + 0);
  EXPECT_EQ(control<controls::NumEdit>(ids::kHighPassEdit)->getPos(), 150);
  EXPECT_EQ(model().Out(3).HighPass().Frequency(), 150);
  EXPECT_DOUBLE_EQ(model().Out(3).Band(12).Gain(), 8.0);
  EXPECT_EQ(model().Out(3).Band(12).Frequency(), 400);
  EXPECT_EQ(model().Out(4).HighPass().Frequency(), 20);
}

}  // namespace
