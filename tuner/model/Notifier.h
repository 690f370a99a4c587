#pragma once
// Texts the core must show to the user. The front end installs a notifier
// (a message box in the GUI, stderr in the command-line tool, a recorder in
// tests). The core may call it from the pump thread, so a GUI notifier must
// hand the text over to its own thread instead of showing it there.

#include <string>

class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// Installs the notifier (nullptr: texts go to stderr). Not owned.
void SetNotifier(Notifier* notifier);

// Shows the text of the current language through the installed notifier.
void ShowMessage(const char* zh, const char* en);
