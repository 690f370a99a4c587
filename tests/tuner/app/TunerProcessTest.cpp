// The tuner program as a whole, started as a user would start it.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/tuner/platform/QtTestSupport.h"

namespace {

struct TunerRun {
  int exitCode = -1;
  bool finished = false;
  QString errors;
};

TunerRun runTuner(const QStringList& args, const QProcessEnvironment& env) {
  QProcess tuner;
  tuner.setProcessEnvironment(env);
  tuner.start(TUNER_EXE, args);
  TunerRun run;
  run.finished = tuner.waitForFinished(60000);
  if (!run.finished) tuner.kill();
  run.exitCode = tuner.exitCode();
  run.errors = QString::fromLocal8Bit(tuner.readAllStandardError());
  return run;
}

QProcessEnvironment environment(const QTemporaryDir& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", home.path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  return env;  // LSAN_OPTIONS (set by the test's registration) passes on to the program
}

}  // namespace

TEST(TunerProcess, RegistrationSwitchEndsAtOnceWithoutNeedingADisplay) {
  QTemporaryDir home;
  QProcessEnvironment env = environment(home);
  env.remove("QT_QPA_PLATFORM");  // no display at all: showing a window would abort
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  for (const char* sw : {"/RegServer", "-unregserver"}) {
    const TunerRun run = runTuner({sw}, env);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << sw << run.errors.toStdString();
  }
}

TEST(TunerProcess, ScreenshotsAreTheFixedFormInBothLanguagesEvenUnderDisplayScaling) {
  QTemporaryDir home;
  QProcessEnvironment env = environment(home);
  env.insert("QT_SCALE_FACTOR", "2");  // a desktop scaled to 200 % changes nothing
  const QString chinese = home.filePath("zh.png"), english = home.filePath("en.png");
  TunerRun run = runTuner({"--screenshot", chinese}, env);
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  run = runTuner({"--simulator", "--english", "--screenshot", english}, env);
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage zh(chinese), en(english);
  EXPECT_EQ(zh.size(), QSize(1280, 686));
  EXPECT_EQ(en.size(), QSize(1280, 686));
  EXPECT_NE(zh, en);
  EXPECT_TRUE(QFile::exists(home.filePath("caraudio/tuner.ini"))) << "settings created on first start";

  run = runTuner({"--screenshot", "/nonexistent-folder/x.png"}, env);
  EXPECT_EQ(run.exitCode, 1);
  run = runTuner({"--bogus"}, env);
  EXPECT_EQ(run.exitCode, 2);
}
