#pragma once
// A response graph of the main form's size on a recording owner, bound to a
// fresh model and showing CH3.

#include <cmath>

#include "tests/tuner/controls/ControlsFixture.h"
#include "tests/tuner/model/ModelFixtures.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/model/CKTV_Data.h"

class GraphFixture : public ControlsFixture {
 protected:
  static constexpr int kChannel = 2;
  CKTV_Data model;
  LinkMutex lock;
  graph::CFStatic* g = nullptr;

  void SetUp() override {
    form.resize(900, 320);
    g = new graph::CFStatic(&form, 1000);
    g->setGeometry(10, 10, 830, 266);
    g->Bind(&model, &lock);
    g->SetChannel(kChannel);
    ControlsFixture::SetUp();
  }

  CKTV_OutData& channel() { return model.Out(kChannel); }
  CFilter& filter(int index) { return channel().Filters().Filter(index); }

  // Client point of a frequency and level (x rounded up to a whole pixel, so
  // the frequency under it is at or just above hz).
  QPoint at(double hz, double db) const {
    const graph::PlotMapping& m = g->Mapping();
    const int x = static_cast<int>(std::ceil(std::log10(hz / 20.0) * (m.Width() / 3) - 1e-9));
    return {x + graph::kPlotLeft, m.Y(db) + graph::kPlotTop};
  }

  void press(QPoint p) { mouse(g, QEvent::MouseButtonPress, p); }
  void moveTo(QPoint p) { mouse(g, QEvent::MouseMove, p); }
  void release(QPoint p) { mouse(g, QEvent::MouseButtonRelease, p); }
  void drag(QPoint from, QPoint to) {
    press(from);
    moveTo(to);
    release(to);
  }
  // Drags filter `index` by its marker to the point.
  void dragMarker(int index, QPoint to) { drag(g->MarkerOf(index).center(), to); }
};
