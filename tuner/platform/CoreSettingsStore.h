#pragma once
// The core's settings interface (the USB claims) over the GUI's registry-style
// store, so the tuner keeps its claims where it keeps its other settings.

#include <mutex>

#include "tuner/link/SettingsStore.h"
#include "tuner/platform/SettingsStore.h"

namespace platform {

class CoreSettingsStore : public ::SettingsStore {
 public:
  bool ReadValue(const std::string& key, const std::string& name, std::string* value) override;
  void WriteValue(const std::string& key, const std::string& name, const std::string& value) override;
  void DeleteValue(const std::string& key, const std::string& name) override;

 private:
  std::mutex mutex_;  // the link may ask from its own thread
  platform::SettingsStore store_;
};

}  // namespace platform
