#include "tests/tuner/controls/ControlsFixture.h"
#include "tuner/controls/BitButton.h"
#include "tuner/controls/BtnPng.h"
#include "tuner/controls/XPButton.h"
#include "tuner/controls/xSkinButton.h"
#include "tuner/platform/MessageMap.h"

using namespace controls;

namespace {

QPixmap image(QColor colour) {
  QPixmap p(30, 16);
  p.fill(colour);
  return p;
}

// What the control itself draws, without any background.
QColor shownColour(QWidget* w) {
  QImage image(w->size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image.pixelColor(5, 5);
}

using ButtonsTest = ControlsFixture;

}  // namespace

TEST_F(ButtonsTest, ARowOfButtonsReportsClicksByControlIdToOneHandler) {
  std::vector<XPButton*> mutes;
  for (int i = 0; i < 10; ++i) {
    auto* b = new XPButton(&form, 6050 + i);
    b->setSkin({image(Qt::gray), image(Qt::lightGray), image(Qt::darkGray), image(Qt::red), {}, {}, {}});
    b->move(0, i * 20);
    mutes.push_back(b);
  }
  QTest::mouseClick(mutes[3], Qt::LeftButton);
  QTest::mouseClick(mutes[7], Qt::LeftButton);
  EXPECT_EQ(form.commands(), (std::vector<int>{6053, 6057}));
  EXPECT_EQ(mutes[0]->size(), QSize(30, 16)) << "sized to its image";
}

TEST_F(ButtonsTest, XPButtonShowsTheImagesOfItsState) {
  XPButton b(&form, 1944);
  b.setSkin({image(Qt::gray), image(Qt::green), image(Qt::darkGray), image(Qt::red), image(Qt::magenta),
             image(Qt::darkRed), {}});
  b.show();
  EXPECT_EQ(shownColour(&b), QColor(Qt::gray));
  b.setOn(true);
  EXPECT_EQ(shownColour(&b), QColor(Qt::red));
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(&b, &enter);
  EXPECT_EQ(shownColour(&b), QColor(Qt::magenta));
  b.setDown(true);
  EXPECT_EQ(shownColour(&b), QColor(Qt::darkRed));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&b, &leave);
  b.setDown(false);
  b.setOn(false);
  EXPECT_EQ(shownColour(&b), QColor(Qt::gray));
}

TEST_F(ButtonsTest, XSkinButtonStylesCheckToggleAndRadioStayChecked) {
  const SkinLooks looks{image(Qt::gray), image(Qt::red), image(Qt::green), image(Qt::black), {}};
  xSkinButton check(&form, 2285, xSkinButton::Check);
  xSkinButton radio(&form, 2286, xSkinButton::Radio);
  xSkinButton push(&form, 2287, xSkinButton::Push);
  for (auto* b : {&check, &radio, &push}) b->setSkin(looks);
  for (int i = 0; i < 2; ++i) {
    for (auto* b : {&check, &radio, &push}) QTest::mouseClick(b, Qt::LeftButton);
  }
  EXPECT_FALSE(check.isChecked());
  EXPECT_TRUE(radio.isChecked());
  EXPECT_FALSE(push.isChecked());
  EXPECT_EQ(shownColour(&radio), QColor(Qt::red)) << "checked shows the down look";
  radio.setEnabled(false);
  EXPECT_EQ(shownColour(&radio), QColor(Qt::black));
  EXPECT_EQ(form.commands().size(), 6u);
}

TEST_F(ButtonsTest, BitButtonAnswersTheRightButtonAsAClick) {
  BitButton b(&form, 2065);
  b.setImages(image(Qt::gray), image(Qt::green));
  QTest::mouseClick(&b, Qt::RightButton);
  QTest::mouseClick(&b, Qt::LeftButton);
  // A right press released outside the button is no click.
  QTest::mousePress(&b, Qt::RightButton);
  QTest::mouseRelease(&b, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  EXPECT_EQ(form.commands(), (std::vector<int>{2065, 2065}));
}

TEST_F(ButtonsTest, BtnPngKeepsTheTransparencyOfItsImage) {
  QPixmap clear(20, 20);
  clear.fill(Qt::transparent);
  BtnPng b(&form, 2700);
  b.setImages(clear, image(Qt::green));
  b.show();
  EXPECT_EQ(shownColour(&b).alpha(), 0);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(form.commands(), std::vector<int>{2700});
}
