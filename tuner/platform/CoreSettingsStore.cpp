#include "tuner/platform/CoreSettingsStore.h"

namespace platform {

bool CoreSettingsStore::ReadValue(const std::string& key, const std::string& name, std::string* value) {
  std::lock_guard<std::mutex> hold(mutex_);
  QString v;
  if (!store_.readString(QString::fromStdString(key), QString::fromStdString(name), &v)) return false;
  *value = v.toStdString();
  return true;
}

void CoreSettingsStore::WriteValue(const std::string& key, const std::string& name, const std::string& value) {
  std::lock_guard<std::mutex> hold(mutex_);
  store_.writeString(QString::fromStdString(key), QString::fromStdString(name), QString::fromStdString(value));
  store_.sync();
}

void CoreSettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  std::lock_guard<std::mutex> hold(mutex_);
  store_.deleteValue(QString::fromStdString(key), QString::fromStdString(name));
  store_.sync();
}

}  // namespace platform
