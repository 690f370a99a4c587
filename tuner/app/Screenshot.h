#pragma once
// `tuner --screenshot FILE`: once start-up is complete (and, with a
// simulator, once the start-up connection has read the device back), the
// main window is rendered to a PNG file and the program ends.

#include <QString>

class QWidget;

namespace app {

class CDSP550App;

// The visible part of the main window (the form inside the cut-away band).
bool SaveWindowPng(QWidget* mainFrame, const QString& file);

// Arranges the screenshot and the exit; exit code 0 when the file was written.
void ScheduleScreenshot(CDSP550App& app, const QString& file, bool waitForConnection);

}  // namespace app
