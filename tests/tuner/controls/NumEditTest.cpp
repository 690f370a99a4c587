#include "tests/tuner/controls/ControlsFixture.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"

using namespace controls;

namespace {

struct EditSetup {
  int type;
  int minimum, maximum;
  double scale, offset;
};

const EditSetup kCrossover{display::kCrossoverHz, 20, 20000, 1.0, 0.0};
const EditSetup kChannelGain{display::kGainDb, 0, 60, 1.0, 60.0};
const EditSetup kThreshold{display::kThresholdDbu, 0, 360, 0.1, 30.0};
const EditSetup kDelayCm{display::kDelayCm, 0, 960, 1.0, 0.0};
const EditSetup kBandQ{display::kBandQ, 0, 295, 1.0, 0.0};
const EditSetup kBandGain{display::kBandGain, 0, 400, 0.1, 20.0};
const EditSetup kBandFrequency{display::kFrequency, 20, 20000, 1.0, 0.0};

class NumEditTest : public ControlsFixture {
 protected:
  NumEdit edit{&form, 8630};
  NumSpin spin{&form, 8610};

  void SetUp() override {
    ControlsFixture::SetUp();
    edit.setGeometry(10, 10, 80, 20);
    edit.show();
    spin.setBuddy(&edit);
  }
  void configure(const EditSetup& s, int pos) {
    edit.setScaleOffset(s.scale, s.offset);
    edit.setDisplayType(s.type);
    spin.setRange(s.minimum, s.maximum);
    spin.setPos(pos);
  }
  // Types into the edit as a user would and leaves it.
  void typeAndLeave(const QString& text) {
    QTest::mouseClick(&edit, Qt::LeftButton);
    edit.selectAll();
    QTest::keyClicks(&edit, text);
    form.setFocus();
  }
};

}  // namespace

TEST_F(NumEditTest, TypedValuesAreParsedClampedAndShownInTheirFormat) {
  struct Case {
    const char* name;
    EditSetup setup;
    QString typed;
    int pos;
    QString shown;
  };
  const Case cases[] = {
      {"crossover above range", kCrossover, "100000", 20000, "20000Hz"},
      {"gain off", kChannelGain, "OFF", 0, "-60dB"},
      {"gain in dB", kChannelGain, "-12", 48, "-12dB"},
      {"threshold off, clamped to the top", kThreshold, "OFF", 360, "6.0dBu"},
      {"band gain", kBandGain, "3.5", 235, "3.5"},
      {"delay in cm", kDelayCm, "692", 959, "691"},
      {"Q 20 stops at index 4", kBandQ, "20", 4, "16.052"},
  };
  for (const Case& c : cases) {
    configure(c.setup, c.setup.minimum + 1);
    form.messages.clear();
    typeAndLeave(c.typed);
    EXPECT_EQ(edit.getPos(), c.pos) << c.name;
    EXPECT_EQ(edit.text(), c.shown) << c.name;
    EXPECT_FALSE(edit.isHighlighted()) << c.name;
    // The click, then the commit.
    EXPECT_EQ(form.commands(), (std::vector<int>{8630, 8630})) << c.name;
  }
}

TEST_F(NumEditTest, DelayCodesShowInTheChosenUnit) {
  configure(kDelayCm, 48);
  EXPECT_EQ(edit.text(), "35");
  edit.setPos(960);
  EXPECT_EQ(edit.text(), "692");
  edit.setDisplayType(display::kDelayMs);
  EXPECT_EQ(edit.text(), "20.000");
}

TEST_F(NumEditTest, ArrowKeysStepFrequenciesAlongTheGridAndReportEachStep) {
  struct Walk {
    int from;
    Qt::Key key;
    std::vector<int> expected;
  };
  const Walk walks[] = {
      {20, Qt::Key_Up, {21, 22, 23, 24, 25, 27, 28, 29, 31}},
      {1000, Qt::Key_Up, {1030, 1060, 1090, 1123}},
      {20000, Qt::Key_Down, {19585, 19027, 18486}},
      {20, Qt::Key_Down, {20, 20}},
      {20000, Qt::Key_Up, {20000}},
  };
  for (const Walk& w : walks) {
    configure(kBandFrequency, w.from);
    edit.setFocus();
    form.messages.clear();
    std::vector<int> seen;
    for (size_t i = 0; i < w.expected.size(); ++i) {
      QTest::keyClick(&edit, w.key);
      seen.push_back(spin.pos());
    }
    EXPECT_EQ(seen, w.expected) << "from " << w.from;
    EXPECT_EQ(form.commands(), std::vector<int>(w.expected.size(), 8610));
    EXPECT_EQ(edit.text(), QString::number(w.expected.back()));
  }
  configure(kChannelGain, 30);
  edit.setFocus();
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(spin.pos(), 31) << "other types step by one";
}

TEST_F(NumEditTest, ChineseCharactersAreIgnoredWhileTyping) {
  configure(kChannelGain, 60);
  QTest::mouseClick(&edit, Qt::LeftButton);
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_Minus);
  QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString::fromUtf8("关"), Qt::NoModifier);
  QTest::keyClick(&edit, Qt::Key_5);
  EXPECT_EQ(edit.text(), "-5");
  form.setFocus();
  EXPECT_EQ(edit.getPos(), 55);
}

TEST_F(NumEditTest, ClickingWithoutTypingReappliesTheValueOnce) {
  configure(kChannelGain, 40);
  form.messages.clear();
  QTest::mouseClick(&edit, Qt::LeftButton);
  EXPECT_TRUE(edit.hasFocus());
  EXPECT_TRUE(edit.isHighlighted());
  form.setFocus();
  EXPECT_EQ(form.commands(), std::vector<int>{8630});
  EXPECT_EQ(edit.getPos(), 40);
  EXPECT_EQ(edit.text(), "-20dB");
}

TEST_F(NumEditTest, EnterCommitsByMovingTheFocusToTheForm) {
  configure(kChannelGain, 40);
  QTest::mouseClick(&edit, Qt::LeftButton);
  edit.selectAll();
  QTest::keyClicks(&edit, "-3");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_TRUE(form.hasFocus());
  EXPECT_EQ(edit.getPos(), 57);
  EXPECT_EQ(edit.text(), "-3dB");
}

TEST_F(NumEditTest, OutOfRangePositions) {
  platform::MessageBoxRecorder boxes;
  platform::setChinese(false);
  configure(kChannelGain, 40);
  spin.setPos(61);
  platform::setChinese(true);
  spin.setPos(-1);
  EXPECT_EQ(boxes.texts(), (QStringList{"8630:Data err", QString::fromUtf8("8630:数据错误")}));
  edit.setPos(99);  // the edit ignores it silently
  EXPECT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(spin.pos(), 40);
}

TEST_F(NumEditTest, ReadingAModifiedTextParsesItExceptForCrossoverFrequencies) {
  configure(kChannelGain, 40);
  edit.setText("-7");
  edit.setModified(true);
  EXPECT_EQ(spin.pos(), 53);
  configure(kCrossover, 80);
  edit.setText("500");
  edit.setModified(true);
  EXPECT_EQ(spin.pos(), 80) << "kept until committed";
}
