#pragma once
// Window messages between the windows of the tuner: a message number and two
// integer parameters, carried as a custom QEvent so that the control ids,
// message numbers and wParam/lParam contracts of the program stay as they are.

#include <QEvent>

#include <cstdint>

class QObject;

namespace platform {

using WPARAM = std::intptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Message numbers the framework itself defines and the program relies on.
constexpr int WM_COMMAND = 0x0111;  // wParam = MAKEWPARAM(control id, notify code)
constexpr int BN_CLICKED = 0;       // notify code of a clicked button (and of a committed numeric edit)

constexpr WPARAM MakeWParam(int low, int high) {
  return static_cast<WPARAM>((static_cast<unsigned>(low) & 0xFFFFu) |
                             ((static_cast<unsigned>(high) & 0xFFFFu) << 16));
}
constexpr int LoWord(WPARAM w) { return static_cast<int>(static_cast<std::uintptr_t>(w) & 0xFFFFu); }
constexpr int HiWord(WPARAM w) { return static_cast<int>((static_cast<std::uintptr_t>(w) >> 16) & 0xFFFFu); }

class MessageEvent : public QEvent {
 public:
  MessageEvent(int msg, WPARAM wParam, LPARAM lParam);

  static QEvent::Type eventType();
  // The message carried by e, or nullptr when e is another kind of event.
  static MessageEvent* from(QEvent* e);

  int msg() const { return msg_; }
  WPARAM wParam() const { return wParam_; }
  LPARAM lParam() const { return lParam_; }

  // What a handler answers to a sent message (0 unless set).
  LRESULT result() const { return result_; }
  void setResult(LRESULT r) { result_ = r; }

 private:
  int msg_;
  WPARAM wParam_;
  LPARAM lParam_;
  LRESULT result_ = 0;
};

// Queues the message for `to` and returns at once; safe from any thread.
// Returns false when there is no target.
bool postMessage(QObject* to, int msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Delivers the message to `to` and waits for its handler, returning the
// handler's result. From another thread the call blocks until the target's
// thread has run the handler, so the caller must not hold anything that
// thread may wait for.
LRESULT sendMessage(QObject* to, int msg, WPARAM wParam = 0, LPARAM lParam = 0);

// The usual notification of a control to its owner: WM_COMMAND with the
// control id and a notify code, sent (not posted) as a click would be.
LRESULT sendCommand(QObject* owner, int controlId, int notifyCode = BN_CLICKED);

}  // namespace platform
