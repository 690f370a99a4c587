#include "tuner/app/CommandLine.h"

namespace app {

namespace {

// "RegServer" or "UnregServer" as a switch: one "-" or "/" and the word.
bool isRegistrationSwitch(const QString& arg) {
  if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) return false;
  const QString word = arg.mid(1);
  return word.compare("RegServer", Qt::CaseInsensitive) == 0 ||
         word.compare("UnregServer", Qt::CaseInsensitive) == 0;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& args) {
  CommandLine cl;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (isRegistrationSwitch(arg)) {
      cl.registration = true;
    } else if (arg == "--simulator") {
      cl.simulator = true;
    } else if (arg.startsWith("--simulator=")) {
      cl.simulator = true;
      cl.simulatorState = arg.mid(int(qstrlen("--simulator=")));
    } else if (arg == "--english") {
      cl.english = true;
    } else if (arg == "--screenshot") {
      if (i + 1 >= args.size()) {
        cl.error = "--screenshot needs a file name";
        break;
      }
      cl.screenshot = args[++i];
    } else if (arg.startsWith("--screenshot=")) {
      cl.screenshot = arg.mid(int(qstrlen("--screenshot=")));
    } else {
      cl.error = "unknown argument: " + arg;
    }
  }
  return cl;
}

}  // namespace app
