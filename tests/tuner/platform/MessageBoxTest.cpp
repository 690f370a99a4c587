#include <gtest/gtest.h>

#include <thread>

#include "tuner/platform/GuiNotifier.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"
#include "tests/tuner/platform/QtTestSupport.h"

using namespace platform;

TEST(MessageBox, PicksTheLanguageWhenShownAndReturnsTheHooksAnswer) {
  MessageBoxRecorder boxes(IDCANCEL);
  setChinese(true);
  EXPECT_EQ(messageBox(nullptr, "是否恢复所有EQ的初始值", "Whether the reset all EQ?", MessageButtons::OkCancel),
            IDCANCEL);
  setChinese(false);
  boxes.setAnswer(IDOK);
  EXPECT_EQ(messageBox(nullptr, "无法连接设备", "unable to connect"), IDOK);

  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.texts(), (QStringList{QString::fromUtf8("是否恢复所有EQ的初始值"), "unable to connect"}));
  EXPECT_EQ(boxes.shown()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(boxes.shown()[1].title, "DSP-330-PRO");
  setChinese(true);
}

TEST(MessageBox, CoreTextsFromThePumpThreadAreShownOnTheUserInterfaceThread) {
  MessageBoxRecorder boxes;
  GuiNotifier notifier;
  setChinese(true);
  std::thread pump([] { ShowMessage("数据回传错误!", "Please Update the Firmware!"); });
  pump.join();
  EXPECT_TRUE(boxes.shown().empty());
  waitUntil([&] { return !boxes.shown().empty(); });
  EXPECT_EQ(boxes.texts(), QStringList{QString::fromUtf8("数据回传错误!")});

  ShowMessage("字符长度错误!", "char Len error!");  // on this thread: shown at once
  EXPECT_EQ(boxes.shown().size(), 2u);
}
