#pragma once
// The application object: builds the program in its designed order (language,
// default parameter set, fonts and brush, main frame, document and view, the
// view's first initialisation) and tears it down at exit.

#include <memory>

#include <QString>

#include "tuner/app/CommandLine.h"

class ProcessorSimulator;

namespace app {

class CDSP550Doc;
class CDSP550View;
class CMainFrame;
}  // namespace app
namespace platform {
class GuiNotifier;
}
namespace app {

class CDSP550App {
 public:
  CDSP550App();
  ~CDSP550App();

  // Start-up after QApplication exists (the resolution is fixed before that,
  // see platform::fixLogicalDpi). False: the program ends without a window.
  bool InitInstance(const CommandLine& commandLine);
  int ExitInstance();

  CMainFrame* MainFrame() const { return frame_.get(); }
  CDSP550View* View() const { return view_; }
  CDSP550Doc* Document() const { return doc_.get(); }

  // The graph's current curve at start: mode 3 (the current channel), channel 0.
  int GraphMode() const { return graphMode_; }
  int GraphChannel() const { return graphChannel_; }

 private:
  ProcessorSimulator* Simulator() const;
  void LoadSimulatorState();

  std::unique_ptr<CDSP550Doc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<platform::GuiNotifier> notifier_;  // the core's texts as message boxes
  CDSP550View* view_ = nullptr;  // owned by the frame
  int graphMode_ = 0, graphChannel_ = 0;
  QString simulatorState_;  // --simulator=STATEFILE
};

}  // namespace app
