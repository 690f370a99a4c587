#pragma once
// A LinkOwner that queues the notifications for a thread that waits for
// them: the command-line tool, tests and benchmarks.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "tuner/link/LinkMessages.h"

struct LinkEvent {
  int msg = 0;
  intptr_t wParam = 0;
  intptr_t lParam = 0;
};

class LinkEventQueue : public LinkOwner {
 public:
  void Post(int msg, intptr_t wParam, intptr_t lParam) override {
    std::lock_guard<std::mutex> hold(mutex_);
    events_.push_back({msg, wParam, lParam});
    arrived_.notify_all();
  }
  void Progress(int position) override {
    std::lock_guard<std::mutex> hold(mutex_);
    progress_.push_back(position);
  }

  // The next notification, or nothing when none arrives in time.
  std::optional<LinkEvent> WaitNext(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> hold(mutex_);
    if (!arrived_.wait_for(hold, timeout, [this] { return !events_.empty(); })) return std::nullopt;
    LinkEvent e = events_.front();
    events_.pop_front();
    return e;
  }

  // Every progress position reported, in order; cleared by taking it.
  std::vector<int> TakeProgress() {
    std::lock_guard<std::mutex> hold(mutex_);
    std::vector<int> seen;
    seen.swap(progress_);
    return seen;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<LinkEvent> events_;
  std::vector<int> progress_;
};
