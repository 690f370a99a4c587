#include "tuner/platform/GuiNotifier.h"

#include <QThread>

#include "tuner/platform/MessageBox.h"

namespace platform {

GuiNotifier::GuiNotifier(QWidget* parentWindow) : parentWindow_(parentWindow) { SetNotifier(this); }

GuiNotifier::~GuiNotifier() { SetNotifier(nullptr); }

void GuiNotifier::ShowMessage(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (QThread::currentThread() == thread()) {
    messageBoxText(parentWindow_, shown);
    return;
  }
  QMetaObject::invokeMethod(this, [this, shown] { messageBoxText(parentWindow_, shown); }, Qt::QueuedConnection);
}

}  // namespace platform
