#include <QElapsedTimer>

#include "tests/tuner/controls/ControlsFixture.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/NumEdit.h"

using namespace controls;

namespace {

QPixmap filled(QSize size, QColor colour) {
  QPixmap p(size);
  p.fill(colour);
  return p;
}

class BitmapSliderTest : public ControlsFixture {
 protected:
  // A gain slider: vertical, 0..60, a 20x10 thumb on a 20x200 channel.
  BitmapSlider* makeSlider(Qt::Orientation o = Qt::Vertical) {
    auto* s = new BitmapSlider(&form, 8652, o);
    const QSize channel = o == Qt::Vertical ? QSize(20, 200) : QSize(200, 20);
    const QSize thumb = o == Qt::Vertical ? QSize(20, 10) : QSize(10, 20);
    s->setChannelImages(filled(channel, Qt::darkGray));
    s->setThumbImages(filled(thumb, Qt::white), filled(thumb, Qt::yellow));
    s->setRange(0, 60);
    s->setPageSize(10);
    s->move(10, 10);
    s->show();
    return s;
  }
  std::vector<RecordingOwner::Message> reports(int msg) {
    drainEvents();
    return form.only(msg);
  }
};

}  // namespace

TEST_F(BitmapSliderTest, ATwoSecondDragGivesAtMostFortyMovingReportsAndOneMoved) {
  BitmapSlider* s = makeSlider();
  s->setPos(30);
  s->setFocus();
  drainEvents();
  form.messages.clear();

  const QPoint start = s->thumbCentre(30);
  mouse(s, QEvent::MouseButtonPress, start);
  QElapsedTimer t;
  t.start();
  int step = 0;
  while (t.elapsed() < 2000) {
    const int y = start.y() + (step++ % 80) - 40;  // up and down over the travel
    mouse(s, QEvent::MouseMove, QPoint(start.x(), y));
    QTest::qWait(5);
  }
  mouse(s, QEvent::MouseMove, QPoint(start.x(), start.y() - 40));
  mouse(s, QEvent::MouseButtonRelease, QPoint(start.x(), start.y() - 40));

  const auto moving = reports(kMsgSliderMoving);
  EXPECT_GE(moving.size(), 1u);
  EXPECT_LE(moving.size(), 40u);
  for (const auto& m : moving) EXPECT_EQ(m.wParam, 8652);
  const auto moved = reports(kMsgSliderMoved);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].lParam, s->pos());
  EXPECT_GT(s->pos(), 30) << "released above the start: the vertical maximum is at the top";
}

TEST_F(BitmapSliderTest, AClickOnTheChannelAwayFromTheThumbMovesOneStepTowardIt) {
  struct Case {
    Qt::Orientation orientation;
    QPoint click;  // relative to the thumb centre
    int expected;
  };
  for (const Case& c : {Case{Qt::Vertical, {0, -60}, 31}, Case{Qt::Vertical, {0, 60}, 29},
                        Case{Qt::Horizontal, {60, 0}, 31}, Case{Qt::Horizontal, {-60, 0}, 29}}) {
    form.messages.clear();
    BitmapSlider* s = makeSlider(c.orientation);
    s->setPos(30);
    const QPoint at = s->thumbCentre(30) + c.click;
    mouse(s, QEvent::MouseButtonPress, at);
    mouse(s, QEvent::MouseButtonRelease, at);
    EXPECT_EQ(s->pos(), c.expected);
    const auto moved = reports(kMsgSliderMoved);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].lParam, c.expected);
    delete s;
  }
}

TEST_F(BitmapSliderTest, GrabbingTheThumbOffCentreDoesNotMakeItJump) {
  BitmapSlider* s = makeSlider();
  s->setPos(30);
  const QPoint grab = s->thumbCentre(30) + QPoint(0, 4);
  mouse(s, QEvent::MouseButtonPress, grab);
  mouse(s, QEvent::MouseMove, grab + QPoint(0, 1));
  EXPECT_EQ(s->pos(), 30);
  mouse(s, QEvent::MouseMove, grab - QPoint(0, 190));
  EXPECT_EQ(s->pos(), 60);
  mouse(s, QEvent::MouseButtonRelease, grab);
}

TEST_F(BitmapSliderTest, WheelStepsOnePerNotchAndReportsEachStep) {
  BitmapSlider* s = makeSlider();
  s->setPos(58);
  wheel(s, -3);  // toward the user: up to the maximum, then held there
  EXPECT_EQ(s->pos(), 60);
  wheel(s, 1);
  EXPECT_EQ(s->pos(), 59);
  const auto moved = reports(kMsgSliderMoved);
  ASSERT_EQ(moved.size(), 4u);
  EXPECT_EQ(moved[0].lParam, 59);
  EXPECT_EQ(moved[2].lParam, 60);
  EXPECT_EQ(moved[3].lParam, 59);
}

TEST_F(BitmapSliderTest, KeysStepByDirectionOrientationAndPage) {
  struct Case {
    Qt::Orientation orientation;
    Qt::Key key;
    int expected;
  };
  const Case cases[] = {
      {Qt::Vertical, Qt::Key_Up, 31},      {Qt::Vertical, Qt::Key_Left, 31},   {Qt::Vertical, Qt::Key_Down, 29},
      {Qt::Vertical, Qt::Key_Right, 29},   {Qt::Horizontal, Qt::Key_Up, 29},   {Qt::Horizontal, Qt::Key_Right, 31},
      {Qt::Vertical, Qt::Key_PageUp, 20},  {Qt::Vertical, Qt::Key_PageDown, 40}, {Qt::Vertical, Qt::Key_Home, 0},
      {Qt::Vertical, Qt::Key_End, 60},
  };
  for (const Case& c : cases) {
    BitmapSlider* s = makeSlider(c.orientation);
    s->setPos(30);
    s->setFocus();
    form.messages.clear();
    QTest::keyClick(s, c.key);
    EXPECT_EQ(s->pos(), c.expected) << c.key;
    const auto moved = reports(kMsgSliderMoved);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].lParam, c.expected);
    delete s;
  }
}

TEST_F(BitmapSliderTest, Message1225GivesTheFocusWhichHighlightsTheBoundEdit) {
  BitmapSlider* s = makeSlider();
  NumEdit edit(&form, 8632);
  s->bindNumEdit(&edit);
  s->setPos(12);
  platform::sendMessage(s, kMsgSliderFocus);
  EXPECT_TRUE(s->hasFocus());
  EXPECT_TRUE(edit.isHighlighted());
  const auto moving = reports(kMsgSliderMoving);
  ASSERT_EQ(moving.size(), 1u);
  EXPECT_EQ(moving[0], (RecordingOwner::Message{kMsgSliderMoving, 8652, 12}));
  form.setFocus();
  EXPECT_FALSE(edit.isHighlighted());
}

TEST_F(BitmapSliderTest, ASliderWithoutImagesIgnoresTheMouse) {
  BitmapSlider s(&form, 8650);
  s.resize(20, 200);
  s.setRange(0, 60);
  s.setPos(30);
  s.show();
  mouse(&s, QEvent::MouseButtonPress, QPoint(10, 5));
  mouse(&s, QEvent::MouseButtonRelease, QPoint(10, 5));
  wheel(&s, -2);
  EXPECT_EQ(s.pos(), 30);
  EXPECT_TRUE(reports(kMsgSliderMoved).empty());
}
