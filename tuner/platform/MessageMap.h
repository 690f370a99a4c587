#pragma once
// Routes window messages to handlers: by message number, or for control
// notifications by control id (a single id or a row of ids), so one handler
// serves a whole row of controls whose ids are a base plus an index.

#include "tuner/platform/WindowMessage.h"

#include <functional>
#include <vector>

namespace platform {

class MessageMap {
 public:
  using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
  using ControlHandler = std::function<void(int controlId, LPARAM value)>;

  // Any message with this number.
  MessageMap& on(int msg, Handler handler);
  // WM_COMMAND with the given notify code from a control with id first..last.
  MessageMap& onCommand(int first, int last, std::function<void(int controlId)> handler,
                        int notifyCode = BN_CLICKED);
  MessageMap& onCommand(int id, std::function<void()> handler, int notifyCode = BN_CLICKED);
  // Messages whose wParam is the sending control's id (slider reports,
  // drop-down choices): msg from a control with id first..last.
  MessageMap& onControl(int msg, int first, int last, ControlHandler handler);

  // Runs the first matching handler and stores its result in the event.
  // Returns false when nothing matched.
  bool dispatch(MessageEvent& e) const;

 private:
  struct Entry {
    int msg;
    int first;
    int last;
    int notifyCode;  // WM_COMMAND only
    Handler handler;
  };
  std::vector<Entry> entries_;
};

}  // namespace platform
