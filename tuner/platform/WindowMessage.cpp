#include "tuner/platform/WindowMessage.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace platform {

MessageEvent::MessageEvent(int msg, WPARAM wParam, LPARAM lParam)
    : QEvent(eventType()), msg_(msg), wParam_(wParam), lParam_(lParam) {}

QEvent::Type MessageEvent::eventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

MessageEvent* MessageEvent::from(QEvent* e) {
  return (e && e->type() == eventType()) ? static_cast<MessageEvent*>(e) : nullptr;
}

bool postMessage(QObject* to, int msg, WPARAM wParam, LPARAM lParam) {
  if (!to) return false;
  QCoreApplication::postEvent(to, new MessageEvent(msg, wParam, lParam));
  return true;
}

LRESULT sendMessage(QObject* to, int msg, WPARAM wParam, LPARAM lParam) {
  if (!to) return 0;
  MessageEvent event(msg, wParam, lParam);
  if (to->thread() == QThread::currentThread()) {
    QCoreApplication::sendEvent(to, &event);
  } else {
    QMetaObject::invokeMethod(
        to, [to, &event] { QCoreApplication::sendEvent(to, &event); }, Qt::BlockingQueuedConnection);
  }
  return event.result();
}

LRESULT sendCommand(QObject* owner, int controlId, int notifyCode) {
  return sendMessage(owner, WM_COMMAND, MakeWParam(controlId, notifyCode), 0);
}

}  // namespace platform
