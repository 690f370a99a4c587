#pragma once
// Message boxes of the tuner. The text is given in both languages and the one
// of the language flag at the moment of showing is used. Tests (and any
// headless run) install a hook that answers instead of a dialog.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo };

// Answers, with the numbers the callers compare against.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MessageBoxRequest {
  QString title;
  QString text;  // as shown, in the language of the moment
  MessageButtons buttons = MessageButtons::Ok;
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Replaces the dialog by hook (an empty hook restores the dialog).
void setMessageBoxHook(MessageBoxHook hook);

// Shows a modal box over parent and returns the button pressed.
int messageBox(QWidget* parent, const char* zh, const char* en,
               MessageButtons buttons = MessageButtons::Ok);
// The same for a text already in the language of the moment.
int messageBoxText(QWidget* parent, const QString& text, MessageButtons buttons = MessageButtons::Ok);

// Test helper: answers every box with `answer` while it lives and keeps what
// was shown, in order.
class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(int answer = IDOK);
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  void setAnswer(int answer) { answer_ = answer; }
  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  QStringList texts() const;

 private:
  int answer_;
  std::vector<MessageBoxRequest> shown_;
};

}  // namespace platform
