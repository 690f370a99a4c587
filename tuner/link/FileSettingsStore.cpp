#include "tuner/link/FileSettingsStore.h"

#include <fstream>

FileSettingsStore::FileSettingsStore(std::string path) : path_(std::move(path)) {}

void FileSettingsStore::Load() {
  values_.clear();
  std::ifstream in(path_);
  std::string line;
  while (std::getline(in, line)) {
    const size_t a = line.find('\t');
    const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
    if (b == std::string::npos) continue;  // not a value line
    values_[{line.substr(0, a), line.substr(a + 1, b - a - 1)}] = line.substr(b + 1);
  }
}

void FileSettingsStore::Save() const {
  std::ofstream out(path_, std::ios::trunc);
  for (const auto& [k, v] : values_) out << k.first << '\t' << k.second << '\t' << v << '\n';
}

bool FileSettingsStore::ReadValue(const std::string& key, const std::string& name, std::string* value) {
  std::lock_guard<std::mutex> hold(mutex_);
  Load();  // another running instance may have changed it
  const auto it = values_.find({key, name});
  if (it == values_.end()) return false;
  if (value) *value = it->second;
  return true;
}

void FileSettingsStore::WriteValue(const std::string& key, const std::string& name, const std::string& value) {
  std::lock_guard<std::mutex> hold(mutex_);
  Load();
  values_[{key, name}] = value;
  Save();
}

void FileSettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  std::lock_guard<std::mutex> hold(mutex_);
  Load();
  if (values_.erase({key, name})) Save();
}
