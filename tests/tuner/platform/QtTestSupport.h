#pragma once
// Helpers shared by the GUI tests: readable Qt values in failure messages and
// waiting for a condition while the event loop runs.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{';
  for (const QString& s : l) *os << '"' << s.toStdString() << "\" ";
  *os << '}';
}

// Runs the event loop until done() holds or the generous timeout passes.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

#include <QWidget>

#include <vector>

#include "tuner/platform/WindowMessage.h"

// A form that records every window message its controls send or post to it.
class RecordingOwner : public QWidget {
 public:
  struct Message {
    int msg;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
    bool operator==(const Message& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
  };
  std::vector<Message> messages;

  explicit RecordingOwner(QWidget* parent = nullptr) : QWidget(parent) {
    resize(400, 400);
    setFocusPolicy(Qt::StrongFocus);
  }
  // Messages with this number, in order.
  std::vector<Message> only(int msg) const {
    std::vector<Message> out;
    for (const auto& m : messages)
      if (m.msg == msg) out.push_back(m);
    return out;
  }
  // Control ids of the WM_COMMAND notifications, in order.
  std::vector<int> commands() const {
    std::vector<int> ids;
    for (const auto& m : only(platform::WM_COMMAND)) ids.push_back(platform::LoWord(m.wParam));
    return ids;
  }

 protected:
  bool event(QEvent* e) override {
    if (platform::MessageEvent* m = platform::MessageEvent::from(e)) {
      messages.push_back({m->msg(), m->wParam(), m->lParam()});
      return true;
    }
    return QWidget::event(e);
  }
};

inline void PrintTo(const RecordingOwner::Message& m, std::ostream* os) {
  *os << "{msg " << m.msg << ", " << m.wParam << ", " << m.lParam << '}';
}

// Lets posted events arrive.
inline void drainEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}
