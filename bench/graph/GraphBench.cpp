// The response graph: one repaint with the current channel only and with all
// ten curves switched on, and one drag step of a band (model edit, response
// recomputed, repaint requested). Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/<dir>/bench/graph/graph_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "tuner/filters/CFStatic.h"
#include "tuner/model/CKTV_Data.h"

namespace {

struct GraphRig {
  CKTV_Data model;
  LinkMutex lock;
  QWidget owner;
  graph::CFStatic* g = new graph::CFStatic(&owner, 1000);

  GraphRig() {
    owner.resize(900, 320);
    g->setGeometry(10, 10, 830, 266);
    g->Bind(&model, &lock);
    g->SetChannel(0);
    for (int ch = 0; ch < 10; ++ch) {
      for (int b = 0; b < 31; b += 5) model.Out(ch).Band(b).SetGainCode(200 + 10 * (ch % 7 + 1));
    }
    QResizeEvent resize(g->size(), QSize());
    QApplication::sendEvent(g, &resize);
  }
};

void BM_GraphRepaint(benchmark::State& state) {
  GraphRig rig;
  for (int ch = 0; ch < 10; ++ch) rig.g->SetCurveVisible(ch, ch < state.range(0));
  QImage target(rig.g->size(), QImage::Format_RGB32);
  for (auto _ : state) rig.g->render(&target);
}
BENCHMARK(BM_GraphRepaint)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_GraphBandDragStep(benchmark::State& state) {
  GraphRig rig;
  const QPoint start = rig.g->MarkerOf(17).center();
  QMouseEvent press(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(rig.g, &press);
  int dy = 0;
  for (auto _ : state) {
    dy = (dy + 7) % 200;
    QMouseEvent move(QEvent::MouseMove, QPoint(start.x(), 15 + dy), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rig.g, &move);
  }
}
BENCHMARK(BM_GraphBandDragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
