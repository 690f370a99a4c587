#pragma once
// A link to the processor simulator run the way the main view runs it, and
// the percentile counters the link benchmarks report.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "tuner/link/Connection.h"
#include "tuner/link/HeadlessView.h"
#include "tuner/link/LinkEventQueue.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/sim/SimHidBackend.h"

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline void ReportPercentiles(benchmark::State& state, std::vector<double> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  state.counters["median_ms"] = samples[samples.size() / 2];
  state.counters["p95_ms"] = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
  state.counters["samples"] = static_cast<double>(samples.size());
}

struct Rig {
  Rig() : backend(sim), link(engine, backend, nullptr, Timings()) { engine.SetOwner(&events); }
  ~Rig() { link.Shutdown(); }
  static LinkTimings Timings() {
    LinkTimings t;
    t.disconnectPauseMs = 0;  // not part of what is measured
    return t;
  }
  // Handles notifications until the live settings were applied.
  bool RunUntilLive() {
    for (;;) {
      auto e = events.WaitNext(std::chrono::seconds(10));
      if (!e) return false;
      const LinkOutcome outcome = HandleLinkEvent(link, *e);
      if (outcome == LinkOutcome::kReadBackDone) return true;
      if (outcome != LinkOutcome::kNone) return false;
    }
  }

  // Handles notifications until one with msg was handled.
  bool RunUntil(int msg) {
    for (;;) {
      auto e = events.WaitNext(std::chrono::seconds(10));
      if (!e) return false;
      const LinkOutcome outcome = HandleLinkEvent(link, *e);
      if (e->msg == msg) return true;
      if (outcome != LinkOutcome::kNone && outcome != LinkOutcome::kReadBackDone) return false;
    }
  }

  std::shared_ptr<ProcessorSimulator> sim = std::make_shared<ProcessorSimulator>();
  SimHidBackend backend;
  CKTV_Data model;
  CKTVCommand engine{model};
  LinkEventQueue events;
  Connection link;
};
