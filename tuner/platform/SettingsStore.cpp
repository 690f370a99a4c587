#include "tuner/platform/SettingsStore.h"

#include <QSettings>
#include <QUrl>

namespace platform {

namespace {

// A key exists as long as it holds this marker, even with no values, as a
// registry key does. Value names are percent-encoded (dots included), so no
// value can be mistaken for it.
const char* const kKeyMarker = ".key";

QString group(const QString& key) {
  QString g = key;
  g.replace('\\', '/');
  return g;
}

QString valueName(const QString& name) {
  return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArray(), "."));
}

QString entry(const QString& key, const QString& name) { return group(key) + '/' + valueName(name); }

QString marker(const QString& key) { return group(key) + '/' + kKeyMarker; }

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("caraudio"), QStringLiteral("tuner"))) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::keyExists(const QString& key) const { return settings_->contains(marker(key)); }

bool SettingsStore::createKey(const QString& key) {
  if (!keyExists(key)) settings_->setValue(marker(key), true);
  return settings_->status() == QSettings::NoError;
}

bool SettingsStore::deleteKey(const QString& key) {
  if (!keyExists(key)) return false;
  settings_->remove(group(key));
  return true;
}

bool SettingsStore::readString(const QString& key, const QString& name, QString* value, int maxChars) const {
  const QVariant v = settings_->value(entry(key, name));
  if (!keyExists(key) || !v.isValid()) return false;
  const QString s = v.toString();
  if (maxChars >= 0 && s.size() > maxChars) return false;
  *value = s;
  return true;
}

bool SettingsStore::writeString(const QString& key, const QString& name, const QString& value) {
  createKey(key);
  settings_->setValue(entry(key, name), value);
  return settings_->status() == QSettings::NoError;
}

bool SettingsStore::deleteValue(const QString& key, const QString& name) {
  if (!settings_->contains(entry(key, name))) return false;
  settings_->remove(entry(key, name));
  return true;
}

void SettingsStore::sync() { settings_->sync(); }

}  // namespace platform
