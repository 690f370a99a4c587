#pragma once
// Four manual-reset events the pump waits on; the lowest-numbered one that is
// set wins.

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>

class PumpEvents {
 public:
  enum Event : int { kStop = 0, kSuspend, kUpdateMode, kDataMode, kCount, kTimeout = -1 };

  void Set(Event e) {
    std::lock_guard<std::mutex> hold(mutex_);
    set_[e] = true;
    changed_.notify_all();
  }
  void Reset(Event e) {
    std::lock_guard<std::mutex> hold(mutex_);
    set_[e] = false;
    changed_.notify_all();
  }
  void ResetAll() {
    std::lock_guard<std::mutex> hold(mutex_);
    set_.fill(false);
  }
  bool IsSet(Event e) {
    std::lock_guard<std::mutex> hold(mutex_);
    return set_[e];
  }

  // The lowest set event, or kTimeout when none was set within the time.
  int WaitAny(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> hold(mutex_);
    changed_.wait_for(hold, timeout, [this] { return Lowest() != kTimeout; });
    return Lowest();
  }

  // Waits until e is set or the time is over; returns whether it is set.
  bool WaitFor(Event e, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> hold(mutex_);
    return changed_.wait_for(hold, timeout, [&] { return set_[e]; });
  }

  // Waits while the suspend event is set and stop is not.
  void WaitWhileSuspended() {
    std::unique_lock<std::mutex> hold(mutex_);
    changed_.wait(hold, [this] { return !set_[kSuspend] || set_[kStop]; });
  }

 private:
  int Lowest() const {
    for (int i = 0; i < kCount; ++i) {
      if (set_[i]) return i;
    }
    return kTimeout;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<bool, kCount> set_{};
};
