// Preset files and slot transfers: encoding and decoding an all-presets
// file, saving and loading it on disk, and the two longest slot batches
// against the processor simulator (back up all slots: 60 reads and the file;
// write everything: 97 commands), with the designed 10 ms pump pause.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "bench/link/SimulatorRig.h"
#include "tuner/presets/SlotOperations.h"

using namespace presets;

namespace {

std::string ScratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()))).string();
}

void BM_EncodeAllPresets(benchmark::State& state) {
  CKTV_Data model;
  for (auto _ : state) benchmark::DoNotOptimize(Encode(PresetFormat::kAll, model));
}
BENCHMARK(BM_EncodeAllPresets)->Unit(benchmark::kMicrosecond);

void BM_DecodeAllPresets(benchmark::State& state) {
  CKTV_Data model;
  const std::vector<uint8_t> file = Encode(PresetFormat::kAll, model);
  for (auto _ : state) Apply(PresetFormat::kAll, file, model);
}
BENCHMARK(BM_DecodeAllPresets)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoadAllPresetsFile(benchmark::State& state) {
  CKTV_Data model;
  const std::string path = ScratchFile("presets-bench-") + ".dspa";
  for (auto _ : state) {
    if (!WriteFile(path, PresetFormat::kAll, Encode(PresetFormat::kAll, model))) {
      state.SkipWithError("save failed");
      break;
    }
    const auto file = ReadFile(path, PresetFormat::kAll);
    if (!file) {
      state.SkipWithError("load failed");
      break;
    }
    Apply(PresetFormat::kAll, *file, model);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveAndLoadAllPresetsFile)->Unit(benchmark::kMillisecond);

// Runs one slot batch per iteration and reports its duration.
template <typename Batch>
void RunSlotBatches(benchmark::State& state, Batch batch) {
  Rig rig;
  SlotOperations ops(rig.engine, [&rig] { return rig.link.IsConnected(); });
  if (!rig.link.ConnectFirst() || !rig.RunUntilLive()) {
    state.SkipWithError("read-back failed");
    return;
  }
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!batch(rig, ops)) {
      state.SkipWithError("batch failed");
      break;
    }
    const double ms = Ms(Clock::now() - start);
    samples.push_back(ms);
    state.SetIterationTime(ms / 1000);
  }
  ReportPercentiles(state, samples);
}

void BM_BackUpAllSlotsToFile(benchmark::State& state) {
  const std::string path = ScratchFile("presets-bench-backup-") + ".dspa";
  RunSlotBatches(state, [&](Rig& rig, SlotOperations& ops) {
    return ops.BackUpAllSlots(path).queued && rig.RunUntil(WM_LINK_SLOTS_READ) && ops.OnSlotsRead().ok;
  });
  std::filesystem::remove(path);
}
BENCHMARK(BM_BackUpAllSlotsToFile)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_WriteEverything(benchmark::State& state) {
  RunSlotBatches(state, [](Rig& rig, SlotOperations& ops) {
    return ops.WriteEverything().queued && rig.RunUntil(WM_LINK_BATCH_DONE);
  });
}
BENCHMARK(BM_WriteEverything)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
