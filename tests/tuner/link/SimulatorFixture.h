#pragma once
// A Connection to the processor simulator, with the owner's side run by the
// test thread the way the main view runs it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "tuner/link/Connection.h"
#include "tuner/link/HeadlessView.h"
#include "tuner/link/LinkEventQueue.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"
#include "tuner/sim/SimHidBackend.h"

class MemorySettings : public SettingsStore {
 public:
  bool ReadValue(const std::string& key, const std::string& name, std::string* value) override {
    std::lock_guard<std::mutex> hold(mutex_);
    auto it = values_.find(key + "\\" + name);
    if (it == values_.end()) return false;
    if (value) *value = it->second;
    return true;
  }
  void WriteValue(const std::string& key, const std::string& name, const std::string& value) override {
    std::lock_guard<std::mutex> hold(mutex_);
    values_[key + "\\" + name] = value;
  }
  void DeleteValue(const std::string& key, const std::string& name) override {
    std::lock_guard<std::mutex> hold(mutex_);
    values_.erase(key + "\\" + name);
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::string> values_;
};

class SimulatorLink : public ::testing::Test {
 protected:
  SimulatorLink() { engine.SetOwner(&events); }
  ~SimulatorLink() override {
    link.Shutdown();
    g_bConnected = 0;
  }

  // Handles notifications like the view until one with msg has been handled
  // (true) or the time is over (false). Every message seen is kept in seen.
  bool RunUntil(int msg, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      auto e = events.WaitNext(std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()));
      if (!e) break;
      seen.push_back(e->msg);
      outcomes.push_back(HandleLinkEvent(link, *e));
      if (e->msg == msg) return true;
    }
    return false;
  }

  bool ConnectAndReadBack() { return link.ConnectFirst() && RunUntil(WM_LINK_LIVE_OUTPUTS); }

  // Waits until cond() holds, checking every few milliseconds.
  static bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!cond()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  static LinkTimings FastTimings() {
    LinkTimings t;
    t.disconnectPauseMs = 0;
    return t;
  }

  std::shared_ptr<ProcessorSimulator> sim = std::make_shared<ProcessorSimulator>();
  SimHidBackend backend{sim};
  MemorySettings claims;
  CKTV_Data model;
  CKTVCommand engine{model};
  LinkEventQueue events;
  Connection link{engine, backend, &claims, FastTimings()};
  std::vector<int> seen;
  std::vector<LinkOutcome> outcomes;
};
