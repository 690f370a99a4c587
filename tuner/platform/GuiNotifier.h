#pragma once
// Shows the core's texts as message boxes. The core may speak from the
// pump thread; such texts are handed to the user-interface thread and shown
// there, texts from the user-interface thread are shown at once.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "tuner/model/Notifier.h"

namespace platform {

class GuiNotifier : public QObject, public Notifier {
  Q_OBJECT
 public:
  // Installs itself as the core's notifier; uninstalls on destruction.
  explicit GuiNotifier(QWidget* parentWindow = nullptr);
  ~GuiNotifier() override;

  void ShowMessage(const std::string& text) override;

 private:
  QPointer<QWidget> parentWindow_;
};

}  // namespace platform
