// The output channel panel in the running application, connected to the
// built-in processor simulator: band edits with their link group, bypass,
// all-bypass, graphic mode, the panel's keys and its crossover rules.

#include <QTest>

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/MainForm.h"
#include "tuner/app/OutputDlg.h"
#include "tuner/app/ViewLink.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/platform/WindowMessage.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/sim/ProcessorSimulator.h"

using namespace app;
using controls::NumEdit;

namespace {

class OutputDlgTest : public AppFixture {
 protected:
  OutputDlg* panel = nullptr;

  void SetUp() override {
    AppFixture::SetUp();
    g_bConnected = 0;
    CommandLine cl;
    cl.simulator = true;
    ASSERT_TRUE(application.InitInstance(cl));
    ASSERT_TRUE(waitUntil([] { return g_bConnected.load() == 1; }, 30000));
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    panel = view()->OutputPanel();
    ASSERT_NE(panel, nullptr);
  }

  CKTV_Data& model() { return view()->Document().Model(); }
  template <typename T = QWidget>
  T* control(int id) const {
    return platform::findControl<T>(view(), id);
  }
  NumEdit* edit(int id) const { return control<NumEdit>(id); }

  // Types text into a numeric edit and commits it by moving the focus away.
  void type(int id, const QString& text) {
    NumEdit* e = edit(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    ASSERT_TRUE(waitUntil([&] { return e->hasFocus(); }));
    e->selectAll();
    QTest::keyClicks(e, text);
    view()->setFocus();
    ASSERT_TRUE(waitUntil([&] { return !e->hasFocus(); }));
    QCoreApplication::processEvents();
  }
  void click(int id) {
    auto* b = control<QAbstractButton>(id);
    ASSERT_NE(b, nullptr) << id;
    b->click();
    QCoreApplication::processEvents();
  }
  int bandGainCode(int channel, int band) {
    LinkGuard hold(view()->Command().Lock());
    return model().Out(channel).Band(band).GainCode();
  }
};

TEST_F(OutputDlgTest, ABypassedBandShowsZeroAndTheMiddleAndComesBackWithItsOwnGain) {
  type(outids::kGain + 2, "6.5");
  EXPECT_EQ(bandGainCode(0, 2), 265);
  auto* slider = control<controls::BitmapSlider>(outids::kSlider + 2);
  EXPECT_EQ(slider->pos(), 265);

  click(outids::kBypass + 2);
  EXPECT_EQ(edit(outids::kGain + 2)->text(), "0.0");
  EXPECT_EQ(slider->pos(), 200);
  EXPECT_TRUE(control<controls::XPButton>(outids::kBypass + 2)->isOn());
  // Focusing the slider of a bypassed band must not overwrite its gain with 0 dB.
  slider->setFocus();
  QCoreApplication::processEvents();
  click(outids::kBypass + 2);
  EXPECT_EQ(edit(outids::kGain + 2)->text(), "6.5");
  EXPECT_EQ(slider->pos(), 265);
  EXPECT_EQ(panel->HighlightedBand(), 2);
}

TEST_F(OutputDlgTest, ABandEditChangesTheSameBandOfEveryLinkedChannelOnly) {
  {
    LinkGuard hold(view()->Command().Lock());
    model().Groups().SetGroup(3, 0);
    model().Groups().SetGroup(7, 0);
  }
  type(outids::kGain + 4, "-3.0");
  type(outids::kFrequency + 4, "55");
  LinkGuard hold(view()->Command().Lock());
  for (int ch : {0, 3, 7}) {
    EXPECT_EQ(model().Out(ch).Band(4).GainCode(), 170) << ch;
    EXPECT_EQ(model().Out(ch).Band(4).Frequency(), 55) << ch;
  }
  EXPECT_EQ(model().Out(1).Band(4).GainCode(), 200);
  EXPECT_EQ(model().Out(0).Band(5).GainCode(), 200);
}

TEST_F(OutputDlgTest, ABandEditReachesTheSimulatorAsAnElementWriteOfThatBand) {
  ProcessorSimulator* sim = view()->Link()->Simulator();
  std::vector<int> elements;
  std::mutex m;
  sim->SetCommandObserver([&](const protocol::Command& c) {
    std::lock_guard<std::mutex> g(m);
    elements.push_back(c.element);
  });
  type(outids::kGain + 6, "4.0");  // device code 4.0 * 10 + 600
  ASSERT_TRUE(waitUntil([&] {
    const std::vector<uint8_t> band = sim->OutputElement(0, 6);
    return band.size() == 8 && band[2] + 256 * band[3] == 640;
  }));
  std::lock_guard<std::mutex> g(m);
  EXPECT_NE(std::find(elements.begin(), elements.end(), 6), elements.end());
}

TEST_F(OutputDlgTest, AllBypassStaysOnWhileEveryBandIsBypassedOneByOne) {
  auto* allBypass = control<controls::XPButton>(outids::kAllBypass);
  type(outids::kGain + 0, "3.0");
  EXPECT_FALSE(allBypass->isOn());
  click(outids::kAllBypass);
  EXPECT_TRUE(allBypass->isOn());
  EXPECT_EQ(edit(outids::kGain + 0)->text(), "0.0");
  click(outids::kAllBypass);
  EXPECT_FALSE(allBypass->isOn());
  EXPECT_EQ(edit(outids::kGain + 0)->text(), "3.0");

  // The only band with a gain bypassed by hand: every band is inactive.
  click(outids::kBypass + 0);
  EXPECT_TRUE(allBypass->isOn());
  click(outids::kAllBypass);
  EXPECT_TRUE(allBypass->isOn()) << "switching off is refused";
  EXPECT_EQ(bandGainCode(0, 0), 200);
  // The form's 2388 is the same toggle and shows the same state.
  auto* formButton = control<controls::XPButton>(outids::kFormAllBypass);
  EXPECT_TRUE(formButton->isOn());
  click(outids::kBypass + 0);
  EXPECT_FALSE(formButton->isOn());
  click(outids::kFormAllBypass);
  EXPECT_TRUE(allBypass->isOn());
  EXPECT_TRUE(formButton->isOn());
}

TEST_F(OutputDlgTest, ABandDraggedOnTheGraphComesToThePanelAndTheLinkGroup) {
  {
    LinkGuard hold(view()->Command().Lock());
    model().Groups().SetGroup(4, 0);
    CFilter& band = model().Out(0).Band(9);  // as the graph's drag leaves it
    band.SetFrequency(180, true);
    band.SetGainCode(150);
  }
  platform::sendMessage(view(), graph::kMsgGraphChanged, 9, graph::kOutputChannelCode + 0);
  EXPECT_EQ(edit(outids::kFrequency + 9)->text(), "180");
  EXPECT_EQ(edit(outids::kGain + 9)->text(), "-5.0");
  EXPECT_EQ(control<controls::BitmapSlider>(outids::kSlider + 9)->pos(), 150);
  EXPECT_EQ(panel->HighlightedBand(), 9);
  LinkGuard hold(view()->Command().Lock());
  EXPECT_EQ(model().Out(4).Band(9).Frequency(), 180);
  EXPECT_EQ(model().Out(4).Band(9).GainCode(), 150);
}

TEST_F(OutputDlgTest, GraphicModeLocksFrequencyAndWidthEdits) {
  platform::MessageBoxRecorder boxes(platform::IDCANCEL);
  panel->ShowChannelPage(true);
  click(outids::kMode);
  ASSERT_EQ(boxes.texts().size(), 1);
  EXPECT_FALSE(control<controls::XPButton>(outids::kMode)->isOn()) << "Cancel changes nothing";

  {
    LinkGuard hold(view()->Command().Lock());
    model().Groups().SetGroup(1, 0);
    model().Out(1).Band(2).SetGainCode(300);
  }
  boxes.setAnswer(platform::IDOK);
  click(outids::kMode);
  EXPECT_TRUE(control<controls::XPButton>(outids::kMode)->isOn());
  {
    LinkGuard hold(view()->Command().Lock());
    for (int ch : {0, 1}) EXPECT_EQ(model().Out(ch).EqMode(), 1) << ch;
    EXPECT_EQ(model().Out(1).Band(2).GainCode(), 200) << "the link group's equalisers start again";
    EXPECT_EQ(model().Out(2).EqMode(), 0);
  }
  panel->ShowChannelPage(false);
  QCoreApplication::processEvents();
  for (int id : {outids::kFrequency + 3, outids::kQ + 3}) {
    edit(id)->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(edit(id)->hasFocus()) << id;
  }
  // Enter along the gain row wraps past the locked rows.
  edit(outids::kGain + 30)->setFocus();
  QTest::keyClick(edit(outids::kGain + 30), Qt::Key_Return);
  EXPECT_TRUE(edit(outids::kGain + 0)->hasFocus());
}

TEST_F(OutputDlgTest, KeysWalkTheBandRowsWithWrapAround) {
  auto* last = control<controls::BitmapSlider>(outids::kSlider + 30);
  last->setFocus();
  ASSERT_TRUE(waitUntil([&] { return last->hasFocus(); }));
  QTest::keyClick(last, Qt::Key_Right);
  EXPECT_TRUE(control(outids::kSlider + 0)->hasFocus());
  QTest::keyClick(control(outids::kSlider + 0), Qt::Key_Left);
  EXPECT_TRUE(last->hasFocus());
  EXPECT_EQ(last->pos(), 200) << "the arrows move the focus, not the thumb";

  const std::pair<int, int> enters[] = {{outids::kFrequency + 30, outids::kQ + 0},
                                        {outids::kQ + 30, outids::kGain + 0},
                                        {outids::kGain + 30, outids::kFrequency + 0},
                                        {outids::kFrequency + 7, outids::kFrequency + 8}};
  for (const auto& [from, to] : enters) {
    edit(from)->setFocus();
    QTest::keyClick(edit(from), Qt::Key_Return);
    EXPECT_TRUE(edit(to)->hasFocus()) << from << " -> " << to;
  }
  // Tab leaves band 31's gain edit for CH1's gain edit on the main form.
  edit(outids::kGain + 30)->setFocus();
  QTest::keyClick(edit(outids::kGain + 30), Qt::Key_Tab);
  EXPECT_TRUE(edit(outids::kFormChannelGainEdit)->hasFocus());
  // The frame's focus goes into the panel.
  control(1368)->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(control(outids::kPage)->hasFocus());
  QTest::keyClick(control(outids::kPage), Qt::Key_Tab);
  EXPECT_TRUE(edit(outids::kFrequency + 0)->hasFocus());
}

TEST_F(OutputDlgTest, TheCrossoverOfCh6StaysAtMost100HzAndIsNotCopied) {
  {
    LinkGuard hold(view()->Command().Lock());
    for (int ch : {5, 8, 9}) model().Groups().SetGroup(ch, 5);
  }
  view()->Form()->SelectChannel(5);
  panel->ShowChannelPage(true);
  type(outids::kHighPassEdit, "150");
  EXPECT_EQ(edit(outids::kHighPassEdit)->text(), "100Hz");
  {
    LinkGuard hold(view()->Command().Lock());
    EXPECT_EQ(model().Out(5).HighPass().Frequency(), 100);
    EXPECT_EQ(model().Out(8).HighPass().Frequency(), 20) << "CH6 keeps its crossover to itself";
  }
  // Any other channel copies to its group, but never to CH10.
  view()->Form()->SelectChannel(8);
  type(outids::kHighPassEdit, "150");
  LinkGuard hold(view()->Command().Lock());
  EXPECT_EQ(model().Out(8).HighPass().Frequency(), 150);
  EXPECT_EQ(model().Out(5).HighPass().Frequency(), 150);
  EXPECT_EQ(model().Out(9).HighPass().Frequency(), 20);
}

TEST_F(OutputDlgTest, TheLimiterAndGainOfThePanelReachTheLinkGroup) {
  {
    LinkGuard hold(view()->Command().Lock());
    model().Groups().SetGroup(2, 0);
  }
  panel->ShowChannelPage(true);
  type(outids::kThreshold, "-6.0");
  type(outids::kChannelGain, "-12");
  LinkGuard hold(view()->Command().Lock());
  for (int ch : {0, 2}) {
    EXPECT_EQ(model().Out(ch).LimiterThreshold(), 240) << ch;
    EXPECT_EQ(model().Out(ch).Gain(), 48) << ch;
  }
  EXPECT_EQ(edit(outids::kChannelGain)->text(), "-12dB");
}

}  // namespace

namespace {

// Thumbs stand where the background's scale puts their gain. With
// OUTPUT_PANEL_PNG set, the two pages are also written there (the README's
// pictures: FILE-bands.png and FILE-channel.png).
TEST_F(OutputDlgTest, SlidersStandWhereTheScaleSays) {
  view()->ToggleLanguage();  // English
  const std::pair<int, QString> edits[] = {{0, "6.0"}, {3, "-4.5"}, {8, "12.0"}, {17, "-20.0"}, {24, "20.0"}};
  for (const auto& [band, text] : edits) type(outids::kGain + band, text);
  type(outids::kFrequency + 8, "110");
  type(outids::kQ + 8, "2.5");
  click(outids::kBypass + 24);
  for (int band : {0, 3, 8, 17, 24, 30}) {
    auto* slider = control<controls::BitmapSlider>(outids::kSlider + band);
    const QPoint centre = slider->mapTo(panel, slider->thumbCentre(slider->pos()));
    EXPECT_EQ(centre.y(), outlayout::GainY(slider->pos())) << band;
  }
  EXPECT_EQ(edit(outids::kGain + 24)->text(), "0.0");
  const QString file = qEnvironmentVariable("OUTPUT_PANEL_PNG");
  if (!file.isEmpty()) {
    EXPECT_TRUE(panel->grab().save(file + "-bands.png"));
    panel->ShowChannelPage(true);
    EXPECT_TRUE(panel->grab().save(file + "-channel.png"));
  }
}

}  // namespace
