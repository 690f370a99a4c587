#pragma once
// Shared helpers of the model tests.

#include <string>
#include <vector>

#include "tuner/model/Globals.h"
#include "tuner/model/Notifier.h"

// Sets g_bConnected for the lifetime of the object.
class ConnectedScope {
 public:
  explicit ConnectedScope(int connected) : saved_(g_bConnected.exchange(connected)) {}
  ~ConnectedScope() { g_bConnected = saved_; }

 private:
  int saved_;
};

// Records every text the core shows while installed.
class RecordingNotifier : public Notifier {
 public:
  RecordingNotifier() { SetNotifier(this); }
  ~RecordingNotifier() override { SetNotifier(nullptr); }
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};
