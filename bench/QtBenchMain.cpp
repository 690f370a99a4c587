// main() of the benchmarks that draw widgets: an offscreen application at the
// tuner's fixed 96 dpi around the benchmark runner.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "tuner/platform/DisplaySetup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  platform::fixLogicalDpi();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
