#include "tuner/app/CDSP550App.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include "tuner/app/AppResources.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/CMainFrame.h"
#include "tuner/app/SkinArt.h"
#include "tuner/app/ViewLink.h"
#include "tuner/platform/GuiNotifier.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"
#include "tuner/sim/ProcessorSimulator.h"

namespace app {

CDSP550App::CDSP550App() = default;

CDSP550App::~CDSP550App() { ExitInstance(); }

bool CDSP550App::InitInstance(const CommandLine& commandLine) {
  if (commandLine.registration || !commandLine.error.isEmpty()) return false;
  // The program always starts in Chinese, whatever the system's locale.
  platform::setChinese(true);
  doc_ = std::make_unique<CDSP550Doc>();
  CreateAppResources();
  // Every other window's text in pixels too, so the screen's dpi changes nothing.
  QApplication::setFont(Resources().font12);
  graphMode_ = 3;
  graphChannel_ = 0;

  frame_ = std::make_unique<CMainFrame>();
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(art::ProgramIcon(size));
  frame_->setWindowIcon(icon);

  notifier_ = std::make_unique<platform::GuiNotifier>(frame_.get());
  view_ = new CDSP550View(*doc_, frame_.get());
  frame_->SetView(view_);
  frame_->SetCloseHandler([view = view_] { view->ShutdownLink(); });
  view_->SetUseSimulator(commandLine.simulator);
  view_->OnInitialUpdate();
  simulatorState_ = commandLine.simulatorState;
  LoadSimulatorState();

  if (commandLine.english) view_->ToggleLanguage();
  frame_->CenterOnScreen();
  frame_->show();
  return true;
}

ProcessorSimulator* CDSP550App::Simulator() const {
  return view_ && view_->Link() ? view_->Link()->Simulator() : nullptr;
}

// The simulator's memory from its state file (a missing file: factory memory).
void CDSP550App::LoadSimulatorState() {
  ProcessorSimulator* sim = Simulator();
  if (!sim || simulatorState_.isEmpty() || !QFileInfo::exists(simulatorState_)) return;
  if (!sim->Load(simulatorState_.toStdString())) platform::messageBox(view_, "文件错误!", "error for file!");
}

int CDSP550App::ExitInstance() {
  if (ProcessorSimulator* sim = Simulator(); sim && !simulatorState_.isEmpty()) {
    if (!sim->Save(simulatorState_.toStdString())) platform::messageBox(nullptr, "保存文件错误!", "save File Error!");
    simulatorState_.clear();
  }
  notifier_.reset();
  frame_.reset();
  view_ = nullptr;
  doc_.reset();
  return 0;
}

}  // namespace app
