#pragma once
// The ordered commands of the link; the head is the one in flight. Owns them.

#include <deque>
#include <memory>

#include "tuner/link/CSendData.h"

class CSendDataQueue {
 public:
  void Add(std::unique_ptr<CSendData> command) { commands_.push_back(std::move(command)); }
  CSendData* Head() const { return commands_.empty() ? nullptr : commands_.front().get(); }
  CSendData* At(int i) const { return commands_[i].get(); }
  int Count() const { return static_cast<int>(commands_.size()); }
  void PopHead() {
    if (!commands_.empty()) commands_.pop_front();
  }
  void Clear() { commands_.clear(); }

 private:
  std::deque<std::unique_ptr<CSendData>> commands_;
};
