#include "tuner/app/Screenshot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "tuner/app/CDSP550App.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/CMainFrame.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/model/Globals.h"

namespace app {

namespace {
constexpr int kConnectionWaitMs = 20000;
constexpr int kPollMs = 50;

void shootAndQuit(CDSP550App& app, const QString& file) {
  const bool ok = SaveWindowPng(app.MainFrame(), file);
  if (!ok) std::fprintf(stderr, "tuner: cannot write %s\n", qPrintable(file));
  QCoreApplication::exit(ok ? 0 : 1);
}

// Polls until the read-back has completed (or a generous time has passed;
// the picture then shows the unconnected form).
void waitForConnectionThenShoot(CDSP550App& app, const QString& file, QElapsedTimer started) {
  if (g_bConnected || started.elapsed() > kConnectionWaitMs) {
    shootAndQuit(app, file);
    return;
  }
  QTimer::singleShot(kPollMs, [&app, file, started] { waitForConnectionThenShoot(app, file, started); });
}
}  // namespace

bool SaveWindowPng(QWidget* mainFrame, const QString& file) {
  if (!mainFrame) return false;
  const int band = (layout::kFrameWidth - layout::kFormWidth) / 2;
  return mainFrame->grab(QRect(band, band, layout::kFormWidth, layout::kFormHeight)).save(file, "PNG");
}

void ScheduleScreenshot(CDSP550App& app, const QString& file, bool waitForConnection) {
  auto afterStartup = [&app, file, waitForConnection] {
    // Queued: the form finishes what the start-up connection changed first.
    QTimer::singleShot(0, [&app, file, waitForConnection] {
      if (!waitForConnection) return shootAndQuit(app, file);
      QElapsedTimer started;
      started.start();
      waitForConnectionThenShoot(app, file, started);
    });
  };
  if (app.View()->StartupConnectionDone()) afterStartup();
  else QObject::connect(app.View(), &CDSP550View::startupConnectionFinished, afterStartup);
}

}  // namespace app
