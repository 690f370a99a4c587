#include "tuner/app/ViewLink.h"

#include <QMetaObject>

#include "tuner/app/CDSP550View.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/link/DeviceWatcher.h"
#include "tuner/link/HidapiBackend.h"
#include "tuner/platform/CoreSettingsStore.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/sim/SimHidBackend.h"

namespace app {

namespace {

// Every notification the link posts to the view.
constexpr int kLinkMessages[] = {
    WM_LINK_LIVE_OUTPUTS, WM_LINK_SLOTS_READ,  WM_LINK_ITEM64,      WM_LINK_EFFECT_LIVE, WM_LINK_EFFECT_SAVED,
    WM_LINK_BATCH_DONE,   WM_LINK_UPDATE_DONE, WM_LINK_FAILURE,     WM_LINK_OLD_FIRMWARE, WM_LINK_IDENTITY,
    WM_LINK_NAME,         WM_LINK_STATUS_C,    WM_LINK_STATUS_A,    WM_LINK_STATUS_B,
};

}  // namespace

ViewLink::ViewLink(CDSP550View& view, bool simulator) : view_(view) {
  if (simulator) {
    simulator_ = std::make_shared<ProcessorSimulator>();
    backend_ = std::make_unique<SimHidBackend>(simulator_);
  } else {
    backend_ = std::make_unique<HidapiBackend>();
    claims_ = std::make_unique<platform::CoreSettingsStore>();
  }
  connection_ = std::make_unique<Connection>(view.Command(), *backend_, claims_.get());
  for (int msg : kLinkMessages) {
    view.Messages().on(msg, [this, msg](platform::WPARAM w, platform::LPARAM l) {
      Handle(msg, w, l);
      return platform::LRESULT{0};
    });
  }
  // The watcher's thread hands each change to this object's thread.
  watcher_ = std::make_unique<DeviceWatcher>(*backend_, [this](bool arrived, const std::string& path) {
    QMetaObject::invokeMethod(this, [this, arrived, path] { OnDeviceChange(arrived, path); }, Qt::QueuedConnection);
  });
}

ViewLink::~ViewLink() { Shutdown(); }

bool ViewLink::ConnectFirst() {
  if (shutDown_ || !connection_->ConnectFirst()) return false;
  emit view_.linkOpened();
  return true;
}

void ViewLink::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  watcher_.reset();
  connection_->Shutdown();
}

void ViewLink::Handle(int msg, intptr_t wParam, intptr_t lParam) {
  if (shutDown_) return;
  const LinkOutcome outcome = HandleLinkEvent(*connection_, LinkEvent{msg, wParam, lParam});
  DisplayDlg* display = view_.TransferDisplay();
  switch (outcome) {
    case LinkOutcome::kReadBackDone:
      display->hide();
      break;
    case LinkOutcome::kWrongDevice:
      display->hide();
      emit view_.linkClosed();
      break;
    case LinkOutcome::kLinkLost:
      display->hide();
      emit view_.linkClosed();
      view_.MsgBox().ShowNotConnected();
      break;
    case LinkOutcome::kOldFirmware:
      display->hide();
      emit view_.linkClosed();
      platform::messageBoxText(&view_, QString::fromUtf8(OldFirmwareText()));
      break;
    case LinkOutcome::kNone:
      if (msg == WM_LINK_BATCH_DONE) display->hide();
      // An accepted identification has queued the read-back batch.
      if (msg == WM_LINK_IDENTITY && connection_->IsBatchRunning()) {
        display->SetRange(connection_->ProgressRange());
        display->ShowTransfer();
      }
      break;
  }
  emit view_.linkEvent(msg, wParam, lParam);
}

void ViewLink::OnDeviceChange(bool arrived, const std::string& path) {
  if (shutDown_) return;
  if (arrived) {
    if (connection_->OnDeviceArrival(path)) emit view_.linkOpened();
  } else if (connection_->OnDeviceRemoval(path)) {
    view_.TransferDisplay()->hide();
    emit view_.linkClosed();
    view_.MsgBox().ShowNotConnected();
  }
}

}  // namespace app
