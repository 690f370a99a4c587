#pragma once
// Notices processors being plugged in and pulled out by enumerating the
// backend periodically. Only devices with the processor's USB identity are
// reported: frames are never written to a foreign HID device.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "tuner/link/HidBackend.h"

class DeviceWatcher {
 public:
  // Called on the watcher's thread: hand the change over to the thread that
  // owns the Connection.
  using Listener = std::function<void(bool arrived, const std::string& path)>;

  DeviceWatcher(HidBackend& backend, Listener listener, int intervalMs = 500);
  ~DeviceWatcher();

  // One comparison with the previous enumeration (also run by the thread).
  void Poll();

 private:
  void Run();

  HidBackend& backend_;
  Listener listener_;
  int intervalMs_;
  std::set<std::string> present_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};
