#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tuner/platform/SettingsStore.h"

using platform::SettingsStore;

namespace {
const QString kUsbKey = QStringLiteral("Software\\DSP-330-PRO.exe\\USB");
}

TEST(SettingsStore, KeysAndValuesPersistAcrossStores) {
  QTemporaryDir dir;
  const QString file = dir.filePath("settings.ini");
  const QString devicePath = QStringLiteral("/dev/hidraw3\\1-2:1.0.x");
  {
    SettingsStore store(file);
    EXPECT_FALSE(store.keyExists(kUsbKey));
    EXPECT_TRUE(store.createKey(kUsbKey));
    EXPECT_TRUE(store.keyExists(kUsbKey));
    QString v = "kept";
    EXPECT_FALSE(store.readString(kUsbKey, "Name", &v));
    EXPECT_EQ(v, "kept");
    store.writeString(kUsbKey, "Name", "");
    store.writeString(kUsbKey, "Path", "/home/user/tuner");
    store.writeString("Software\\KDR517.exe\\USB", devicePath, "1");
  }
  SettingsStore store(file);
  QString name = "x", path, claim;
  EXPECT_TRUE(store.readString(kUsbKey, "Name", &name));
  EXPECT_EQ(name, "");
  EXPECT_TRUE(store.readString(kUsbKey, "Path", &path, 260));
  EXPECT_EQ(path, "/home/user/tuner");
  EXPECT_FALSE(store.readString(kUsbKey, "Path", &path, 5)) << "longer than the caller's buffer";
  EXPECT_TRUE(store.readString("Software\\KDR517.exe\\USB", devicePath, &claim));
  EXPECT_EQ(claim, "1");
  EXPECT_FALSE(store.keyExists("Software\\KDR517.exe")) << "a parent path is no key of its own";

  EXPECT_TRUE(store.deleteValue("Software\\KDR517.exe\\USB", devicePath));
  EXPECT_TRUE(store.keyExists("Software\\KDR517.exe\\USB")) << "an emptied key stays";
  EXPECT_TRUE(store.deleteKey(kUsbKey));
  EXPECT_FALSE(store.keyExists(kUsbKey));
  EXPECT_FALSE(store.readString(kUsbKey, "Path", &path));
}
