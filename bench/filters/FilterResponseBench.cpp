// Cost of recomputing responses: one per mouse move while a band is dragged,
// a whole channel or all channels when a preset or a read-back is applied.
#include <benchmark/benchmark.h>

#include <vector>

#include "tuner/filters/FilterResponse.h"

namespace filters {
namespace {

constexpr int kBandsPerChannel = 31;
constexpr int kChannels = 10;
constexpr int kChannelBandHz[kBandsPerChannel] = {
    20,   25,   32,   40,   50,   63,   80,   100,  125,  160,   200,   250,   315,   400,   500,  630,
    800,  1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

// A busy channel: every band active (peaking, with a shelf at each end) and
// both crossovers at 48 dB/octave, the most sections there are.
std::vector<FilterDesign> BusyChannel(int channel) {
  std::vector<FilterDesign> filters;
  for (int b = 0; b < kBandsPerChannel; ++b) {
    FilterDesign d;
    d.type = b == 0 ? kLowShelf : b == kBandsPerChannel - 1 ? kHighShelf : kPeaking;
    d.frequency = kChannelBandHz[b];
    d.gain = ((b + channel) % 9) - 4.5;
    d.bandwidth = 0.3 + 0.05 * (b % 5);
    d.slope = b % 2;
    filters.push_back(d);
  }
  FilterDesign hp;
  hp.type = kHighPass;
  hp.crossoverType = channel % 3;
  hp.slope = 7;
  hp.frequency = 60 + 10 * channel;
  FilterDesign lp = hp;
  lp.type = kLowPass;
  lp.frequency = 8000 - 100 * channel;
  filters.push_back(hp);
  filters.push_back(lp);
  return filters;
}

void BM_PeakingBand(benchmark::State& state) {
  FilterDesign d;
  d.type = kPeaking;
  d.gain = 6;
  Response r;
  int step = 0;
  for (auto _ : state) {
    d.frequency = 200 + (step++ % 1000);  // as while dragging
    ComputeResponse(d, r);
    benchmark::DoNotOptimize(r.data());
  }
}
BENCHMARK(BM_PeakingBand);

void BM_Crossover48(benchmark::State& state) {
  FilterDesign d;
  d.type = state.range(0) ? kLowPass : kHighPass;
  d.crossoverType = static_cast<int>(state.range(1));
  d.slope = 7;
  Response r;
  int step = 0;
  for (auto _ : state) {
    d.frequency = 100 + (step++ % 1000);
    ComputeResponse(d, r);
    benchmark::DoNotOptimize(r.data());
  }
}
BENCHMARK(BM_Crossover48)->ArgNames({"lowpass", "xover"})->ArgsProduct({{0, 1}, {0, 1, 2}});

// Recomputes every filter of the given number of channels and sums each
// channel point by point, as applying a whole preset does.
void BM_Channels(benchmark::State& state) {
  const int channels = static_cast<int>(state.range(0));
  std::vector<std::vector<FilterDesign>> designs;
  for (int c = 0; c < channels; ++c) designs.push_back(BusyChannel(c));
  std::vector<Response> responses(channels * designs[0].size());
  std::vector<Response> sums(channels);
  for (auto _ : state) {
    size_t k = 0;
    for (int c = 0; c < channels; ++c) {
      sums[c].fill(0.0);
      for (const FilterDesign& d : designs[c]) {
        Response& r = responses[k++];
        ComputeResponse(d, r);
        for (int i = 0; i < kGridPoints; ++i) sums[c][i] += r[i];
      }
    }
    benchmark::DoNotOptimize(sums.data());
  }
  state.counters["filters"] = static_cast<double>(responses.size());
}
BENCHMARK(BM_Channels)->ArgName("channels")->Arg(1)->Arg(kChannels)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace filters
