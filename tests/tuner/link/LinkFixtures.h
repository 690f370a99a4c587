#pragma once
// Shared helpers of the frame engine tests: a model with its engine, an owner
// that records what is posted, and replies framed as the device sends them.

#include <mutex>
#include <string>
#include <vector>

#include "tuner/link/CKTVCommand.h"
#include "tuner/link/DeviceFrames.h"
#include "tuner/model/CKTV_Data.h"

struct Posted {
  int msg;
  intptr_t wParam, lParam;
  bool operator==(const Posted& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};

inline std::ostream& operator<<(std::ostream& os, const Posted& p) {
  return os << "{" << p.msg << ", " << p.wParam << ", " << p.lParam << "}";
}

class RecordingOwner : public LinkOwner {
 public:
  void Post(int msg, intptr_t wParam, intptr_t lParam) override {
    std::lock_guard<std::mutex> hold(mutex_);
    posts_.push_back({msg, wParam, lParam});
  }
  void Progress(int position) override {
    std::lock_guard<std::mutex> hold(mutex_);
    progress_.push_back(position);
  }
  std::vector<Posted> Posts() {
    std::lock_guard<std::mutex> hold(mutex_);
    return posts_;
  }
  std::vector<int> ProgressSeen() {
    std::lock_guard<std::mutex> hold(mutex_);
    return progress_;
  }

 private:
  std::mutex mutex_;
  std::vector<Posted> posts_;
  std::vector<int> progress_;
};

class EngineTest {
 protected:
  EngineTest() { engine.SetOwner(&owner); }

  // Feeds a whole byte stream as reports; returns the results in order.
  std::vector<int> FeedStream(const std::vector<uint8_t>& stream) {
    std::vector<int> results;
    for (const auto& report : protocol::SplitIntoReports(stream)) results.push_back(engine.FeedReport(report.data()));
    return results;
  }
  int FeedReply(const protocol::ReplyHeader& h, const std::vector<uint8_t>& payload = {}) {
    return FeedStream(protocol::BuildReply(h, payload.data(), payload.size())).back();
  }
  // Enqueues a command as fully sent, the way the transport leaves it.
  CSendData* AddSent(std::unique_ptr<CSendData> c) {
    c->position = c->length;
    return engine.Add(std::move(c));
  }

  CKTV_Data model;
  CKTVCommand engine{model};
  RecordingOwner owner;
};
