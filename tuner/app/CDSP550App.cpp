#include "tuner/app/CDSP550App.h"

#include <QApplication>
#include <QIcon>

#include "tuner/app/AppResources.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/CMainFrame.h"
#include "tuner/app/SkinArt.h"
#include "tuner/platform/GuiNotifier.h"
#include "tuner/platform/Language.h"

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

  if (commandLine.english) view_->ToggleLanguage();
  frame_->CenterOnScreen();
  frame_->show();
  return true;
}

int CDSP550App::ExitInstance() {
  notifier_.reset();
  frame_.reset();
  view_ = nullptr;
  doc_.reset();
  return 0;
}

}  // namespace app
