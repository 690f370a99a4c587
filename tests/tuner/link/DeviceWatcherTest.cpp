#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "tuner/link/DeviceWatcher.h"
#include "tuner/sim/SimHidBackend.h"

TEST(DeviceWatcher, ReportsArrivalAndRemovalOfTheProcessor) {
  auto sim = std::make_shared<ProcessorSimulator>();
  SimHidBackend backend(sim);
  std::mutex mutex;
  std::vector<std::pair<bool, std::string>> changes;
  DeviceWatcher watcher(backend, [&](bool arrived, const std::string& path) {
    std::lock_guard<std::mutex> hold(mutex);
    changes.emplace_back(arrived, path);
  }, 60000);  // the test polls by hand
  watcher.Poll();
  sim->Unplug();
  watcher.Poll();
  watcher.Poll();
  sim->Replug();
  watcher.Poll();
  std::lock_guard<std::mutex> hold(mutex);
  EXPECT_EQ(changes, (std::vector<std::pair<bool, std::string>>{{false, SimHidBackend::kPath}, {true, SimHidBackend::kPath}}));
}
