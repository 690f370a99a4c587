// Drawing costs of the tuner's form: building a background picture (once per
// language at start-up), repainting the whole form, and a numeric edit's
// text update (every slider step redraws one). Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/<dir>/bench/tunerui/tunerui_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/OutputDlg.h"
#include "tuner/app/SkinArt.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"

namespace {

void BM_MainFormBackground(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(app::art::MainFormBackground(true));
}
BENCHMARK(BM_MainFormBackground)->Unit(benchmark::kMillisecond);

void BM_FullFormRepaint(benchmark::State& state) {
  app::CDSP550Doc doc;
  app::CDSP550View view(doc, nullptr);
  view.OnInitialUpdate();
  QImage target(view.size(), QImage::Format_RGB32);
  for (auto _ : state) view.render(&target);
  view.ShutdownLink();
}
BENCHMARK(BM_FullFormRepaint)->Unit(benchmark::kMillisecond);

void BM_GainEditStep(benchmark::State& state) {
  QWidget form;
  controls::NumEdit edit(&form, 8630);
  controls::NumSpin spin(&form, 8610);
  spin.setBuddy(&edit);
  edit.setScaleOffset(1.0, 60.0);
  edit.setDisplayType(display::kGainDb);
  spin.setRange(0, 60);
  edit.resize(46, 22);
  QImage target(edit.size(), QImage::Format_ARGB32);
  int pos = 0;
  for (auto _ : state) {
    spin.setPos(pos = (pos + 1) % 61);
    edit.render(&target);
  }
}
BENCHMARK(BM_GainEditStep)->Unit(benchmark::kMicrosecond);

// The output channel panel: a refresh (every channel change: 31 bands, the
// crossover, gain and limiter shown again) and one repaint of its band page.
void BM_OutputPanelRefresh(benchmark::State& state) {
  app::CDSP550Doc doc;
  app::CDSP550View view(doc, nullptr);
  view.OnInitialUpdate();
  for (auto _ : state) view.OutputPanel()->Refresh();
  view.ShutdownLink();
}
BENCHMARK(BM_OutputPanelRefresh)->Unit(benchmark::kMicrosecond);

void BM_OutputPanelRepaint(benchmark::State& state) {
  app::CDSP550Doc doc;
  app::CDSP550View view(doc, nullptr);
  view.OnInitialUpdate();
  app::OutputDlg* panel = view.OutputPanel();
  QImage target(panel->size(), QImage::Format_RGB32);
  for (auto _ : state) panel->render(&target);
  view.ShutdownLink();
}
BENCHMARK(BM_OutputPanelRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
