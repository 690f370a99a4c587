#include <QLineEdit>
#include <QTest>

#include <cstring>

#include "tests/tuner/app/AppFixture.h"
#include "tuner/app/AboutSoftDlg.h"
#include "tuner/app/CMsgBox.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/app/InputSourceNameDlg.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"

using namespace app;

TEST(AboutSoftDlg, ShowsTheVersionsOrSpacesForADeviceNeverIdentified) {
  platform::setChinese(false);
  AboutSoftDlg about(nullptr, "DSD-770-31EQ-V3.0");
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.SoftwareVersionText(), "DSD-770-PC-V1.0.4");
  EXPECT_EQ(about.DeviceVersionText(), "DSD-770-31EQ-V3.0");

  platform::setChinese(true);
  AboutSoftDlg none(nullptr, "");
  EXPECT_EQ(none.windowTitle(), QString::fromUtf8("关于"));
  EXPECT_EQ(none.DeviceVersionText(), QString(18, ' '));
  AboutSoftDlg longer(nullptr, "DSD-770-31EQ-V3.0-BETA");
  EXPECT_EQ(longer.DeviceVersionText(), "DSD-770-31EQ-V3.0-");
}

TEST(InputSourceNameDlg, OkWritesTheNameWithinTheCallersBufferAndCancelKeepsIt) {
  platform::setChinese(false);
  char buffer[InputSourceNameDlg::kCallerBufferSize + 8];
  std::memset(buffer, '#', sizeof buffer);
  std::strcpy(buffer, "Rock");
  {
    InputSourceNameDlg dlg(nullptr, buffer);
    EXPECT_EQ(dlg.windowTitle(), "Group name");
    EXPECT_EQ(dlg.Edit()->text(), "Rock");
    dlg.Edit()->clear();
    QTest::keyClicks(dlg.Edit(), QString(150, 'a'));
    dlg.accept();
  }
  EXPECT_EQ(std::strlen(buffer), 99u);
  EXPECT_EQ(buffer[InputSourceNameDlg::kCallerBufferSize], '#') << "nothing written past the buffer";

  {
    // Three-byte characters: 33 fit in 99 bytes, the 34th does not.
    InputSourceNameDlg dlg(nullptr, buffer);
    dlg.Edit()->clear();
    for (int i = 0; i < 40; ++i) {
      QTest::sendKeyEvent(QTest::Click, dlg.Edit(), Qt::Key_unknown, QString(QChar(0x97F3)), Qt::NoModifier);
    }
    EXPECT_EQ(dlg.Edit()->text().size(), 33);
    dlg.accept();
  }
  EXPECT_EQ(QString::fromUtf8(buffer), QString(33, QChar(0x97F3)));

  {
    InputSourceNameDlg dlg(nullptr, buffer);
    QTest::keyClicks(dlg.Edit(), "changed");
    dlg.reject();
  }
  EXPECT_EQ(QString::fromUtf8(buffer), QString(33, QChar(0x97F3)));
}

TEST(SmallWindows, NotConnectedNoticeAndTransferDisplayFollowTheLanguage) {
  platform::MessageBoxRecorder boxes;
  QWidget owner;
  CMsgBox msgBox(&owner);
  DisplayDlg display(&owner);
  platform::setChinese(true);
  msgBox.ShowNotConnected();
  display.ShowTransfer();
  EXPECT_EQ(display.Caption(), QString::fromUtf8("数据传输中"));
  platform::setChinese(false);
  msgBox.ShowNotConnected();
  display.ShowTransfer();
  EXPECT_EQ(display.Caption(), "Data transmissionning");
  EXPECT_EQ(boxes.texts(), (QStringList{QString::fromUtf8("无法连接设备"), "unable to connect"}));
  EXPECT_EQ(boxes.shown()[1].buttons, platform::MessageButtons::Ok);
}
