// Editing the model by dragging markers and width handles on the graph, and
// the throttled notification of the owner.

#include "tests/tuner/graph/GraphFixture.h"

namespace {

constexpr int kBand1000 = 17;  // band 18, factory 1001 Hz

class GraphEditingTest : public GraphFixture {};

TEST_F(GraphEditingTest, BandDraggedToTopBottomAndMiddle) {
  const graph::PlotMapping& m = g->Mapping();
  const int x = g->MarkerOf(kBand1000).center().x();
  struct Case {
    int y;
    double gain;
    bool off;
  } cases[] = {
      {graph::kPlotTop - 30, 20.0, false},                   // above the plot
      {graph::kPlotTop + m.Height() + 30, -20.0, false},     // below it
      {graph::kPlotTop + m.Height() / 2, 0.0, true},         // the middle switches the band off
  };
  for (const Case& c : cases) {
    channel().Band(kBand1000).SetGainCode(150);  // start from -5 dB
    dragMarker(kBand1000, {x, c.y});
    EXPECT_DOUBLE_EQ(channel().Band(kBand1000).Gain(), c.gain) << "y " << c.y;
    EXPECT_EQ(channel().Band(kBand1000).IsOff(), c.off) << "y " << c.y;
  }
}

TEST_F(GraphEditingTest, PeqBandMovesFreelyGeqBandOnlyVertically) {
  dragMarker(kBand1000, at(4000, 6));
  EXPECT_NEAR(channel().Band(kBand1000).Frequency(), 4000, 40);
  EXPECT_DOUBLE_EQ(channel().Band(kBand1000).Gain(), 6.0);

  channel().SetEqMode(1);
  const int before = channel().Band(kBand1000).Frequency();
  dragMarker(kBand1000, at(300, -8));
  EXPECT_EQ(channel().Band(kBand1000).Frequency(), before);
  EXPECT_DOUBLE_EQ(channel().Band(kBand1000).Gain(), -8.0);
}

TEST_F(GraphEditingTest, ShelvesStayOnTheirSideOf2000Hz) {
  struct Case {
    int band;
    int type;
    double targetHz;
    int expectHz;
  } cases[] = {
      {10, filters::kLowShelf, 5000, 2000},
      {25, filters::kHighShelf, 500, 2000},
  };
  for (const Case& c : cases) {
    channel().Band(c.band).SetType(c.type, false);
    dragMarker(c.band, at(c.targetHz, 4));
    EXPECT_EQ(channel().Band(c.band).Frequency(), c.expectHz) << "band " << c.band;
  }
}

TEST_F(GraphEditingTest, WidthHandleSetsBandwidthWithinThreeOctaves) {
  CFilter& band = channel().Band(kBand1000);
  band.SetFrequency(1000, false);
  band.SetGainCode(260);
  // Select the band, then drag its right handle to 4000 Hz: two octaves.
  const QPoint marker = g->MarkerOf(kBand1000).center();
  press(marker);
  release(marker);
  drag(g->HandlesOf(kBand1000).second.center(), at(4000, 6));
  EXPECT_EQ(band.BandwidthIndex(), 195);
  EXPECT_TRUE(g->Caption().endsWith("Q:0.667")) << g->Caption().toStdString();

  drag(g->HandlesOf(kBand1000).second.center(), at(16000, 6));
  EXPECT_EQ(band.BandwidthIndex(), 295);

  // The left handle dragged past the band narrows it to the floor, which
  // the band holds as 0.09 octave (index 4).
  drag(g->HandlesOf(kBand1000).first.center(), at(1000, 6));
  EXPECT_EQ(band.BandwidthIndex(), 4);
}

TEST_F(GraphEditingTest, GeqBandShowsNoWidthHandles) {
  channel().SetEqMode(1);
  CFilter& band = channel().Band(kBand1000);
  band.SetGainCode(260);
  const int before = band.BandwidthIndex();
  const QPoint marker = g->MarkerOf(kBand1000).center();
  press(marker);
  release(marker);
  drag(g->HandlesOf(kBand1000).second.center(), at(8000, 6));
  EXPECT_EQ(band.BandwidthIndex(), before);
}

TEST_F(GraphEditingTest, CrossoverMarkersFollowTheirClassLimits) {
  struct Case {
    int speakerClass;
    int index;  // 31 high-pass, 32 low-pass
    int startHz;
    int otherHz;
    double targetHz;  // 0: the plot's left edge
    int expectHz;
  } cases[] = {
      {7, graph::kHighPassIndex, 200, 20000, 0, 20},         // the left edge turns it off
      {0, graph::kHighPassIndex, 200, 3000, 10000, 3000},    // never above the low-pass
      {5, graph::kHighPassIndex, 200, 20000, 1000, 200},     // does not move
      {6, graph::kHighPassIndex, 200, 20000, 5000, 1000},
      {6, graph::kLowPassIndex, 8000, 20, 1000, 5000},
      {8, graph::kLowPassIndex, 8000, 3000, 500, 3000},      // never below the high-pass
  };
  for (const Case& c : cases) {
    const bool highPass = c.index == graph::kHighPassIndex;
    CFilter& moved = highPass ? channel().HighPass() : channel().LowPass();
    CFilter& other = highPass ? channel().LowPass() : channel().HighPass();
    moved.SetSpeakerClass(c.speakerClass);
    moved.SetFrequency(c.startHz, false);
    other.SetFrequency(c.otherHz, false);
    const QPoint target =
        c.targetHz > 0 ? at(c.targetHz, 0) : QPoint(graph::kPlotLeft - 20, g->MarkerOf(c.index).center().y());
    dragMarker(c.index, {target.x(), g->MarkerOf(c.index).center().y()});
    EXPECT_EQ(moved.Frequency(), c.expectHz) << "class " << c.speakerClass << " filter " << c.index;
  }
}

TEST_F(GraphEditingTest, DragMarksOnlyWhileConnected) {
  {
    ConnectedScope offline(0);
    dragMarker(kBand1000, at(1000, 5));
    EXPECT_FALSE(channel().Band(kBand1000).IsPending());
  }
  ConnectedScope online(1);
  dragMarker(kBand1000, at(1000, 8));
  EXPECT_TRUE(channel().Band(kBand1000).IsPending());
}

TEST_F(GraphEditingTest, ReleaseWithin50msStillNotifiesOnce) {
  dragMarker(kBand1000, at(2000, 5));  // press, move and release at once
  ASSERT_TRUE(waitUntil([&] { return !form.only(graph::kMsgGraphChanged).empty(); }));
  QTest::qWait(200);  // several further ticks bring nothing more
  const auto sent = form.only(graph::kMsgGraphChanged);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].wParam, kBand1000);
  EXPECT_EQ(sent[0].lParam, graph::kOutputChannelCode + kChannel);
  EXPECT_FALSE(g->IsDragging());
}

TEST_F(GraphEditingTest, PressOutsideEveryMarkerStartsNoDrag) {
  const QPoint empty(graph::kPlotLeft + 200, graph::kPlotTop + 5);
  press(empty);
  moveTo(empty + QPoint(10, 10));
  release(empty);
  EXPECT_FALSE(g->IsDragging());
  drainEvents();
  QTest::qWait(120);
  EXPECT_TRUE(form.only(graph::kMsgGraphChanged).empty());
}

}  // namespace
