#pragma once
// The command line of the tuner.
//   /RegServer, -UnregServer (any case): end at once without a window (there
//     are no component objects to register on this platform);
//   --simulator: connect to the built-in processor simulator instead of USB;
//   --simulator=STATEFILE: the same, its memory loaded from STATEFILE when it
//     exists and saved back to it at exit (offline tuning, as tunerctl);
//   --screenshot FILE: render the main window after start-up to a PNG, exit;
//   --english: switch to English after start-up, as the menu's language
//     toggle does (the program itself always starts in Chinese).

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
  bool registration = false;
  bool simulator = false;
  QString simulatorState;
  bool english = false;
  QString screenshot;
  QString error;  // set when the line cannot be understood
};

// args without the program name.
CommandLine ParseCommandLine(const QStringList& args);

}  // namespace app
