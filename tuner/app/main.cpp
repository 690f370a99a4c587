// The tuner: the desktop program that tunes the processor over USB.

#include <QApplication>

#include <cstdio>

#include "tuner/app/CDSP550App.h"
#include "tuner/app/CommandLine.h"
#include "tuner/app/Screenshot.h"
#include "tuner/platform/DisplaySetup.h"

int main(int argc, char** argv) {
  // The registration switches end the program before anything is shown
  // (or a display is even needed).
  QStringList rawArgs;
  for (int i = 1; i < argc; ++i) rawArgs << QString::fromLocal8Bit(argv[i]);
  if (app::ParseCommandLine(rawArgs).registration) return 0;

  platform::fixLogicalDpi();
  QApplication qapp(argc, argv);
  const app::CommandLine commandLine = app::ParseCommandLine(QApplication::arguments().mid(1));
  if (!commandLine.error.isEmpty()) {
    std::fprintf(stderr, "tuner: %s\nusage: tuner [--simulator[=STATEFILE]] [--english] [--screenshot FILE]\n",
                 qPrintable(commandLine.error));
    return 2;
  }
  app::CDSP550App application;
  if (!application.InitInstance(commandLine)) return 1;
  if (!commandLine.screenshot.isEmpty()) {
    app::ScheduleScreenshot(application, commandLine.screenshot, commandLine.simulator);
  }
  const int code = qapp.exec();
  application.ExitInstance();
  return code;
}
