#pragma once
// The main view's side of the device link: the HID backend (USB, or the
// built-in processor simulator), the connection, the device watcher, and the
// handlers of the link's posted notifications. The model and link reactions
// are the core's (HandleLinkEvent); this class adds what the screen shows:
// the transfer progress window and the failure messages. The form hears of
// every handled notification through CDSP550View::linkEvent.

#include <QObject>

#include <memory>
#include <string>

#include "tuner/link/Connection.h"
#include "tuner/link/HeadlessView.h"

class DeviceWatcher;
class HidBackend;
class ProcessorSimulator;

namespace platform {
class CoreSettingsStore;
}

namespace app {

class CDSP550View;

class ViewLink : public QObject {
  Q_OBJECT
 public:
  ViewLink(CDSP550View& view, bool simulator);
  ~ViewLink() override;

  Connection& Link() { return *connection_; }
  // The built-in processor when running with --simulator, else nullptr.
  ProcessorSimulator* Simulator() const { return simulator_.get(); }

  // Start-up and the connect button: open the first matching device and
  // start the connect sequence. False when no device was found.
  bool ConnectFirst();
  // Closing the program: stop the threads and release the device's claim.
  void Shutdown();

 private:
  void Handle(int msg, intptr_t wParam, intptr_t lParam);
  void OnDeviceChange(bool arrived, const std::string& path);

  CDSP550View& view_;
  std::shared_ptr<ProcessorSimulator> simulator_;
  std::unique_ptr<HidBackend> backend_;
  std::unique_ptr<platform::CoreSettingsStore> claims_;
  std::unique_ptr<Connection> connection_;
  std::unique_ptr<DeviceWatcher> watcher_;
  bool shutDown_ = false;
};

}  // namespace app
