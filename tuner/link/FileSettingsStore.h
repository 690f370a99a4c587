#pragma once
// SettingsStore kept in a small text file, one "key<TAB>name<TAB>value" line
// per value, rewritten on every change. Safe to share between threads.

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "tuner/link/SettingsStore.h"

class FileSettingsStore : public SettingsStore {
 public:
  explicit FileSettingsStore(std::string path);
  bool ReadValue(const std::string& key, const std::string& name, std::string* value) override;
  void WriteValue(const std::string& key, const std::string& name, const std::string& value) override;
  void DeleteValue(const std::string& key, const std::string& name) override;

 private:
  void Load();
  void Save() const;

  std::string path_;
  std::mutex mutex_;
  std::map<std::pair<std::string, std::string>, std::string> values_;
};
