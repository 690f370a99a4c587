// What the graph draws: curves in their channel colours where the channel
// sums say, markers, and the caption texts of every filter kind.

#include <QImage>

#include "tests/tuner/graph/GraphFixture.h"

namespace {

class GraphDrawingTest : public GraphFixture {
 protected:
  QImage shot() { return g->grab().toImage(); }

  // True when a pixel near the colour lies within 2 px of (x, y).
  static bool colourNear(const QImage& img, QPointF p, const QColor& c) {
    for (int dx = -2; dx <= 2; ++dx) {
      for (int dy = -2; dy <= 2; ++dy) {
        const QColor px = img.pixelColor(static_cast<int>(p.x()) + dx, static_cast<int>(p.y()) + dy);
        if (std::abs(px.red() - c.red()) + std::abs(px.green() - c.green()) + std::abs(px.blue() - c.blue()) < 60)
          return true;
      }
    }
    return false;
  }
  // True when the colour appears anywhere in the plot column at x.
  static bool colourInColumn(const QImage& img, int x, const QColor& c, const graph::PlotMapping& m) {
    for (int y = graph::kPlotTop; y < graph::kPlotTop + m.Height(); y += 4) {
      if (colourNear(img, QPointF(x, y), c)) return true;
    }
    return false;
  }
  // Where channel ch's summed curve passes grid point i.
  QPointF curvePoint(int ch, int i) {
    filters::Response sum{};
    model.Out(ch).Filters().Sum(sum);
    const graph::PlotMapping& m = g->Mapping();
    return {m.XF(filters::kGridHz[i]) + graph::kPlotLeft, m.YF(sum[i]) + graph::kPlotTop};
  }
};

TEST_F(GraphDrawingTest, CurrentAndVisibleChannelsAreDrawnInTheirColours) {
  channel().Band(17).SetGainCode(320);  // +12 dB at 1 kHz
  channel().Band(17).SetBandwidthIndex(195);
  model.Out(4).Band(5).SetGainCode(100);  // CH5: -10 dB at 62 Hz
  model.Out(4).Band(5).SetBandwidthIndex(195);
  model.Out(6).Band(7).SetGainCode(350);  // CH7: +15 dB at 100 Hz, curve switched off
  model.Out(6).Band(7).SetBandwidthIndex(195);
  g->SetCurveVisible(4, true);

  const int i1500 = filters::NearestGridIndex(1500), i40 = filters::NearestGridIndex(40);
  const QImage img = shot();
  EXPECT_TRUE(colourNear(img, curvePoint(kChannel, i1500), graph::CurveColour(kChannel)));
  EXPECT_TRUE(colourNear(img, curvePoint(4, i40), graph::CurveColour(4)));
  EXPECT_FALSE(colourInColumn(img, static_cast<int>(curvePoint(6, filters::NearestGridIndex(100)).x()),
                              graph::CurveColour(6), g->Mapping()));

  // The current channel is drawn again on top even when its switch is off.
  g->SetCurveVisible(kChannel, false);
  EXPECT_TRUE(colourNear(shot(), curvePoint(kChannel, i1500), graph::CurveColour(kChannel)));
}

TEST_F(GraphDrawingTest, MarkersSitAtTheirFrequencyAndLevel) {
  const graph::PlotMapping& m = g->Mapping();
  channel().Band(17).SetFrequency(1000, false);
  channel().Band(17).SetGainCode(300);  // +10 dB
  EXPECT_EQ(g->MarkerOf(17), QRect(m.X(1000) - 8 + graph::kPlotLeft, m.Y(10) - 8 + graph::kPlotTop, 16, 16));
  // The high-pass sits at -12 dB, the low-pass at -15 dB, both inside the plot.
  EXPECT_EQ(g->MarkerOf(graph::kHighPassIndex).top(), m.Y(-12) - 8 + graph::kPlotTop);
  EXPECT_EQ(g->MarkerOf(graph::kLowPassIndex).top(), m.Y(-15) - 8 + graph::kPlotTop);
  EXPECT_LE(g->MarkerOf(graph::kLowPassIndex).right(), graph::kPlotLeft + m.Width());
  // A band at the top edge is kept inside the plot.
  channel().Band(3).SetGainCode(400);
  EXPECT_EQ(g->MarkerOf(3).top(), graph::kPlotTop);
}

TEST(GraphCaption, TextOfEveryFilterKind) {
  auto band = [](int type, int hz, int gainCode, int bandwidthIndex, int slope) {
    CFilter f(type, hz, 5, true);
    f.SetGainCode(gainCode);
    f.SetBandwidthIndex(bandwidthIndex);
    f.SetSlope(slope, false);
    return f;
  };
  struct Case {
    CFilter filter;
    const char* text;
  } cases[] = {
      {band(filters::kPeaking, 1000, 230, 95, 0), "G:3.0-F:1000-Q:1.414"},
      {band(filters::kPeaking, 1000, 200, 95, 0), "G:0.0-F:1000-Q:1.414"},  // switched off
      {band(filters::kPeaking, 250, 150, 2, 0), "G:-5.0-F:250-Q:16.03"},    // Q above 10: two decimals
      {band(filters::kLowShelf, 100, 230, 27, 0), "Lo 100-6dB/Oct G3.0"},
      {band(filters::kHighShelf, 8000, 180, 27, 1), "Hi F:8000-12dB/Oct G:-2.0"},
      {CFilter(filters::kHighPass, 80, 32, false), "F:80"},
  };
  for (const Case& c : cases) EXPECT_EQ(graph::CaptionText(c.filter), QString(c.text));
}

}  // namespace
