#pragma once
// Registry-style settings of the current user: keys written as paths with
// backslashes ("Software\\DSP-330-PRO.exe\\USB") holding named string values.
// Backed by QSettings in its INI format (the user's configuration folder, or
// the registry's place on Windows). Value names may hold any character,
// device paths included.

#include <QString>

#include <memory>

class QSettings;

namespace platform {

class SettingsStore {
 public:
  // The user's store of this program.
  SettingsStore();
  // A store in the given INI file (tests, or a portable install).
  explicit SettingsStore(const QString& iniFile);
  ~SettingsStore();

  bool keyExists(const QString& key) const;
  // Creates the key if it is absent; values already there stay.
  bool createKey(const QString& key);
  bool deleteKey(const QString& key);

  // False when the key or value is absent; a value longer than maxChars
  // counts as unreadable (the caller keeps its default).
  bool readString(const QString& key, const QString& name, QString* value, int maxChars = -1) const;
  bool writeString(const QString& key, const QString& name, const QString& value);
  bool deleteValue(const QString& key, const QString& name);

  // Writes pending changes to disk.
  void sync();

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace platform
