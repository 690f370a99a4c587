#include "tuner/link/DeviceWatcher.h"

#include <vector>

DeviceWatcher::DeviceWatcher(HidBackend& backend, Listener listener, int intervalMs)
    : backend_(backend), listener_(std::move(listener)), intervalMs_(intervalMs) {
  for (const HidDeviceInfo& d : backend_.Enumerate()) {
    if (usb_id::Matches(d)) present_.insert(d.path);
  }
  thread_ = std::thread(&DeviceWatcher::Run, this);
}

DeviceWatcher::~DeviceWatcher() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void DeviceWatcher::Poll() {
  std::set<std::string> now;
  for (const HidDeviceInfo& d : backend_.Enumerate()) {
    if (usb_id::Matches(d)) now.insert(d.path);
  }
  std::vector<std::pair<bool, std::string>> changes;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    for (const std::string& p : present_) {
      if (!now.count(p)) changes.emplace_back(false, p);
    }
    for (const std::string& p : now) {
      if (!present_.count(p)) changes.emplace_back(true, p);
    }
    present_ = std::move(now);
  }
  for (const auto& [arrived, path] : changes) listener_(arrived, path);
}

void DeviceWatcher::Run() {
  std::unique_lock<std::mutex> hold(mutex_);
  while (!wake_.wait_for(hold, std::chrono::milliseconds(intervalMs_), [this] { return stopping_; })) {
    hold.unlock();
    Poll();
    hold.lock();
  }
}
