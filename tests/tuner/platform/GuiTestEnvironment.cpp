// Creates the QApplication the GUI tests run in, on the offscreen platform
// unless another is asked for, with the program's fixed 96-dpi set-up;
// linked into every GUI test executable.

#include <gtest/gtest.h>

#include <QApplication>

#include "tuner/platform/DisplaySetup.h"

namespace {

class GuiTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::fixLogicalDpi();
    static int argc = 1;
    static char name[] = "tuner-test";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

}  // namespace
