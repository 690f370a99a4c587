#include "tests/tuner/controls/ControlsFixture.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/DropBtn.h"

using namespace controls;

namespace {

class ComBoxBtnTest : public ControlsFixture {
 protected:
  ComBoxBtn box{&form, 2400};
  void SetUp() override {
    ControlsFixture::SetUp();
    box.setGeometry(10, 10, 100, 22);
    box.setEntries({"High level", "RCA", "Bluetooth", "Optical", "Coaxial", "Player"});
    box.setCurSel(1);
    box.show();
  }
  std::vector<int> chosen() {
    drainEvents();
    std::vector<int> out;
    for (const auto& m : form.only(kMsgDropChoice)) {
      EXPECT_EQ(m.wParam, 2400);
      out.push_back(int(m.lParam));
    }
    return out;
  }
};

}  // namespace

TEST_F(ComBoxBtnTest, TheWheelSelectsNeighboursAndStopsAtBothEnds) {
  wheel(&box, 3);  // away from the user: toward the first entry
  EXPECT_EQ(box.getCurSel(), 0);
  wheel(&box, -9);
  EXPECT_EQ(box.getCurSel(), 5);
  EXPECT_EQ(box.currentText(), "Player");
  EXPECT_EQ(chosen(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(ComBoxBtnTest, ChoosingFromTheListReportsTheEntry) {
  QTest::mouseClick(&box, Qt::LeftButton);
  DropBtn* list = box.dropList();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->geometry().topLeft(), box.mapToGlobal(QPoint(0, box.height())));
  const QPoint fourth(20, 1 + 3 * list->rowHeight() + 2);
  QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, fourth);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(chosen(), std::vector<int>{3});
  EXPECT_EQ(box.currentText(), "Optical");

  box.showDropList();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(chosen(), std::vector<int>{3}) << "closing without a choice reports nothing";
}
