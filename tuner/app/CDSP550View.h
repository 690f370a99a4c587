#pragma once
// The main view: the one form of the tuner on its 1280 x 686 background
// (one picture per language), dragged by its background since the window has
// no caption. It owns the frame engine, receives the link's notifications as
// posted window messages and routes every message through its message map,
// where the form's handlers are registered by control id.

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>

#include "tuner/app/CMsgBox.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/link/LinkMessages.h"
#include "tuner/platform/MessageMap.h"

namespace app {

class CDSP550Doc;
class DisplayDlg;
class OutputDlg;
class MainForm;
class ViewLink;

// Messages of the view to itself (above the framework's and the link's numbers).
constexpr int kMsgStartupConnect = 0x8001;  // posted at the end of the first initialisation
constexpr int kMsgLinkProgress = 0x8002;    // the pump moved the transfer progress (wParam = position)

// Registry key of the tuner's own settings and its two values.
extern const char* const kSettingsKey;  // "Software\\DSP-330-PRO.exe\\USB"

class CDSP550View : public QWidget, public LinkOwner {
  Q_OBJECT
 public:
  CDSP550View(CDSP550Doc& doc, QWidget* parent);
  ~CDSP550View() override;

  // The first initialisation, once, after the view exists.
  void OnInitialUpdate();

  CDSP550Doc& Document() { return doc_; }
  CKTVCommand& Command() { return *command_; }
  platform::MessageMap& Messages() { return messages_; }
  DisplayDlg* TransferDisplay() const { return display_; }
  // The output channel panel in frame control 1368.
  OutputDlg* OutputPanel() const { return outputDlg_; }
  const CMsgBox& MsgBox() const { return msgBox_; }

  // Inverts the language flag and relabels the form.
  void ToggleLanguage();
  // Applies the language flag to the form: the background here, every
  // control through the relabel handlers.
  void RelabelForLanguage();
  void AddRelabelHandler(std::function<void()> handler);

  // The built-in processor simulator instead of USB (--simulator); to be
  // chosen before the first initialisation.
  void SetUseSimulator(bool simulator) { useSimulator_ = simulator; }
  // The device link (exists from the first initialisation on).
  ViewLink* Link() const { return link_.get(); }
  // The form's controls and their handlers (from the first initialisation on).
  MainForm* Form() const { return form_; }
  // Stops the link's threads and releases the device (closing the program).
  void ShutdownLink();
  bool StartupConnectionDone() const { return startupConnectionDone_; }

  // Settings read or created at start.
  const QString& WorkingFolder() const { return workingFolder_; }
  const QString& FirmwareName() const { return firmwareName_; }
  const QString& FirmwarePath() const { return firmwarePath_; }

  // LinkOwner: both come from the pump thread and only post.
  void Post(int msg, intptr_t wParam, intptr_t lParam) override;
  void Progress(int position) override;

 signals:
  void startupConnectionFinished();
  // The link: a device was opened (the connect sequence runs), the link was
  // closed by a failure, a removal or a wrong device, and every notification
  // after the link's own handling (the form refreshes its controls here).
  void linkOpened();
  void linkClosed();
  void linkEvent(int msg, qintptr wParam, qintptr lParam);

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void LoadSettings();
  void OnStartupConnect();
  void CreateOutputPanel();

  CDSP550Doc& doc_;
  std::unique_ptr<CKTVCommand> command_;
  platform::MessageMap messages_;
  QPixmap backgroundChinese_, backgroundEnglish_;
  DisplayDlg* display_ = nullptr;
  OutputDlg* outputDlg_ = nullptr;
  CMsgBox msgBox_;
  std::vector<std::function<void()>> relabelHandlers_;
  bool useSimulator_ = false;
  std::unique_ptr<ViewLink> link_;  // after command_: destroyed before it
  MainForm* form_ = nullptr;        // a child object of the view
  bool startupConnectionDone_ = false;
  QString workingFolder_, firmwareName_, firmwarePath_;
  bool dragging_ = false;
  QPoint dragPoint_;  // the press point, in view coordinates
};

// The one main view (for dialogs), or nullptr before it exists.
CDSP550View* TheView();

}  // namespace app
