#pragma once
// Starts the application as main() does, with the user's settings redirected
// to a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "tests/tuner/platform/QtTestSupport.h"
#include "tuner/app/CDSP550App.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/CMainFrame.h"
#include "tuner/platform/SettingsStore.h"

class AppFixture : public ::testing::Test {
 protected:
  QTemporaryDir settingsDir;
  app::CDSP550App application;

  void SetUp() override {
    ASSERT_TRUE(settingsDir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
  }
  void start(const app::CommandLine& cl = {}) {
    ASSERT_TRUE(application.InitInstance(cl));
    ASSERT_TRUE(waitUntil([&] { return application.View()->StartupConnectionDone(); }));
  }
  app::CDSP550View* view() const { return application.View(); }
  app::CMainFrame* frame() const { return application.MainFrame(); }
};
