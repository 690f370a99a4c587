// The link against the processor simulator with the designed 10 ms pump
// pause: time from BeginConnect to the live settings being stored, and from
// a model edit to the simulator storing the value. Each benchmark reports
// the median and the 95th percentile of its samples as counters (ms).

#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "bench/link/SimulatorRig.h"
#include "tuner/model/Bytes.h"

namespace {

void BM_ConnectToLiveOutputs(benchmark::State& state) {
  Rig rig;
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!rig.link.ConnectFirst() || !rig.RunUntilLive()) {
      state.SkipWithError("read-back failed");
      break;
    }
    const double ms = Ms(Clock::now() - start);
    samples.push_back(ms);
    state.SetIterationTime(ms / 1000);
    rig.link.Disconnect();
  }
  ReportPercentiles(state, samples);
}
BENCHMARK(BM_ConnectToLiveOutputs)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_EditToDevice(benchmark::State& state) {
  Rig rig;
  if (!rig.link.ConnectFirst() || !rig.RunUntilLive()) {
    state.SkipWithError("read-back failed");
    return;
  }
  std::mutex mutex;
  std::condition_variable stored;
  int storedCode = -1;
  Clock::time_point storedAt;
  rig.sim->SetCommandObserver([&](const protocol::Command& c) {
    if (c.operation != protocol::kWrite || c.type != protocol::kOutput || c.item != 2 || c.element != 6) return;
    std::lock_guard<std::mutex> hold(mutex);
    storedCode = bytes::GetI16(c.payload.data() + 2);
    storedAt = Clock::now();
    stored.notify_all();
  });
  std::vector<double> samples;
  int gain = 200;
  for (auto _ : state) {
    gain = gain == 300 ? 100 : gain + 1;
    const auto start = Clock::now();
    {
      LinkGuard hold(rig.engine.Lock());
      rig.model.Out(2).Band(6).SetGainCode(gain);
    }
    std::unique_lock<std::mutex> hold(mutex);
    if (!stored.wait_for(hold, std::chrono::seconds(5), [&] { return storedCode == gain + 400; })) {
      state.SkipWithError("edit never reached the simulator");
      break;
    }
    const double ms = Ms(storedAt - start);
    samples.push_back(ms);
    state.SetIterationTime(ms / 1000);
  }
  ReportPercentiles(state, samples);
}
BENCHMARK(BM_EditToDevice)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
