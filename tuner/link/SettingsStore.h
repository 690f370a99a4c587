#pragma once
// Registry-like settings: string values under keys such as
// "Software\KDR517.exe\USB". The GUI backs it with QSettings; tunerctl and
// tests use FileSettingsStore.

#include <string>

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool ReadValue(const std::string& key, const std::string& name, std::string* value) = 0;
  virtual void WriteValue(const std::string& key, const std::string& name, const std::string& value) = 0;
  virtual void DeleteValue(const std::string& key, const std::string& name) = 0;
};
