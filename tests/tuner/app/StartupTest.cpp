#include <QFontInfo>

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/AppResources.h"
#include "tuner/app/CommandLine.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/model/Notifier.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"

using namespace app;

namespace {
const QString kKey = QString::fromLatin1(kSettingsKey);
using StartupTest = AppFixture;
}  // namespace

TEST(CommandLine, RegistrationSwitchesInAnyCaseAfterDashOrSlash) {
  struct Case {
    QStringList args;
    bool registration;
    bool error;
  };
  const Case cases[] = {
      {{"/RegServer"}, true, false},   {{"-regserver"}, true, false},  {{"/UNREGSERVER"}, true, false},
      {{"-UnregServer"}, true, false}, {{"RegServer"}, false, true},   {{"--RegServer"}, false, true},
      {{"/RegServerX"}, false, true},  {{"--simulator"}, false, false},
  };
  for (const Case& c : cases) {
    const CommandLine cl = ParseCommandLine(c.args);
    EXPECT_EQ(cl.registration, c.registration) << c.args.join(' ').toStdString();
    EXPECT_EQ(!cl.error.isEmpty(), c.error) << c.args.join(' ').toStdString();
  }
  const CommandLine cl = ParseCommandLine({"--simulator", "--screenshot", "out.png", "--english"});
  EXPECT_TRUE(cl.simulator);
  EXPECT_TRUE(cl.english);
  EXPECT_EQ(cl.screenshot, "out.png");
  EXPECT_FALSE(ParseCommandLine({"--screenshot"}).error.isEmpty());
}

TEST_F(StartupTest, RegistrationEndsStartUpWithoutAWindow) {
  CommandLine cl;
  cl.registration = true;
  EXPECT_FALSE(application.InitInstance(cl));
  EXPECT_EQ(application.MainFrame(), nullptr);
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(StartupTest, StartsInChineseWithTheDefaultParameterSetAndResources) {
  platform::setChinese(false);
  {
    platform::MessageBoxRecorder boxes;
    start();
    EXPECT_TRUE(boxes.shown().empty()) << "no device at start: no message";
  }
  EXPECT_TRUE(platform::isChinese());
  EXPECT_EQ(TheView(), view());
  EXPECT_EQ(application.GraphMode(), 3);
  EXPECT_EQ(application.GraphChannel(), 0);
  EXPECT_EQ(frame()->windowTitle(), "DSP-330-PRO");

  const AppResources& r = Resources();
  EXPECT_EQ(r.formBrush, QColor(227, 228, 238));
  const int heights[] = {14, 12, 16, 18};
  const QFont* fonts[] = {&r.font14, &r.font12, &r.font16, &r.font18};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(fonts[i]->family(), "Arial");
    EXPECT_EQ(fonts[i]->pixelSize(), heights[i]);
    EXPECT_EQ(fonts[i]->weight(), QFont::Normal);
  }

  platform::MessageBoxRecorder boxes;
  ShowMessage("字符长度错误!", "char Len error!");
  EXPECT_EQ(boxes.texts(), QStringList{QString::fromUtf8("字符长度错误!")}) << "the core's texts are shown";
}

TEST_F(StartupTest, ADeletedSettingsKeyIsRecreatedWithAnEmptyNameAndTheStartFolder) {
  {
    platform::SettingsStore store;
    store.writeString(kKey, "Name", "old.dsp");
    store.deleteKey(kKey);
  }
  start();
  platform::SettingsStore store;
  QString name = "x", path;
  ASSERT_TRUE(store.keyExists(kKey));
  EXPECT_TRUE(store.readString(kKey, "Name", &name));
  EXPECT_TRUE(store.readString(kKey, "Path", &path));
  EXPECT_EQ(name, "");
  EXPECT_EQ(path, QDir::currentPath());
  EXPECT_EQ(view()->WorkingFolder(), QDir::currentPath());
}

TEST_F(StartupTest, AnExistingSettingsKeyIsReadBack) {
  {
    platform::SettingsStore store;
    store.writeString(kKey, "Name", "/home/user/fw/DSP770.dsp");
    store.writeString(kKey, "Path", "/home/user/DataFile/*.bin");
    store.writeString(kKey, "Path", QString(261, 'p'));  // too long for its buffer: unreadable
  }
  start();
  EXPECT_EQ(view()->FirmwareName(), "/home/user/fw/DSP770.dsp");
  EXPECT_EQ(view()->FirmwarePath(), QDir::currentPath()) << "an unreadable Path keeps the working folder";
}
