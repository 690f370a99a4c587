#include "tuner/platform/MessageMap.h"

#include <utility>

namespace platform {

namespace {
constexpr int kAnyId = -1;
}

MessageMap& MessageMap::on(int msg, Handler handler) {
  entries_.push_back({msg, kAnyId, kAnyId, 0, std::move(handler)});
  return *this;
}

MessageMap& MessageMap::onCommand(int first, int last, std::function<void(int)> handler, int notifyCode) {
  entries_.push_back({WM_COMMAND, first, last, notifyCode, [h = std::move(handler)](WPARAM w, LPARAM) {
                        h(LoWord(w));
                        return LRESULT{0};
                      }});
  return *this;
}

MessageMap& MessageMap::onCommand(int id, std::function<void()> handler, int notifyCode) {
  return onCommand(id, id, [h = std::move(handler)](int) { h(); }, notifyCode);
}

MessageMap& MessageMap::onControl(int msg, int first, int last, ControlHandler handler) {
  entries_.push_back({msg, first, last, 0, [h = std::move(handler)](WPARAM w, LPARAM l) {
                        h(static_cast<int>(w), l);
                        return LRESULT{0};
                      }});
  return *this;
}

bool MessageMap::dispatch(MessageEvent& e) const {
  for (const Entry& entry : entries_) {
    if (entry.msg != e.msg()) continue;
    if (entry.first != kAnyId) {
      const bool command = entry.msg == WM_COMMAND;
      const int id = command ? LoWord(e.wParam()) : static_cast<int>(e.wParam());
      if (id < entry.first || id > entry.last) continue;
      if (command && HiWord(e.wParam()) != entry.notifyCode) continue;
    }
    e.setResult(entry.handler(e.wParam(), e.lParam()));
    return true;
  }
  return false;
}

}  // namespace platform
