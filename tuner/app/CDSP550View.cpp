#include "tuner/app/CDSP550View.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/app/MainForm.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/app/OutputDlg.h"
#include "tuner/app/SkinArt.h"
#include "tuner/app/ViewLink.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/SettingsStore.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/WindowMessage.h"

namespace app {

const char* const kSettingsKey = "Software\\DSP-330-PRO.exe\\USB";

namespace {
CDSP550View* g_pView = nullptr;
constexpr int kNameLimit = 300;  // "Name": a firmware file name
constexpr int kPathLimit = 260;  // "Path": a folder
}  // namespace

CDSP550View* TheView() { return g_pView; }

CDSP550View::CDSP550View(CDSP550Doc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), command_(std::make_unique<CKTVCommand>(doc.Model())), msgBox_(this) {
  setFixedSize(layout::kFormWidth, layout::kFormHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the background covers everything; nothing is erased
  setFocusPolicy(Qt::StrongFocus);
}

CDSP550View::~CDSP550View() {
  ShutdownLink();
  command_->SetOwner(nullptr);
  if (g_pView == this) g_pView = nullptr;
}

void CDSP550View::OnInitialUpdate() {
  g_pView = this;
  command_->SetOwner(this);
  backgroundChinese_ = art::MainFormBackground(true);
  backgroundEnglish_ = art::MainFormBackground(false);
  workingFolder_ = QDir::currentPath();
  display_ = new DisplayDlg(this);
  link_ = std::make_unique<ViewLink>(*this, useSimulator_);
  messages_.on(kMsgStartupConnect, [this](platform::WPARAM, platform::LPARAM) {
    OnStartupConnect();
    return platform::LRESULT{0};
  });
  messages_.on(kMsgLinkProgress, [this](platform::WPARAM position, platform::LPARAM) {
    display_->SetPos(int(position));
    return platform::LRESULT{0};
  });
  form_ = new MainForm(*this);
  CreateOutputPanel();
  RelabelForLanguage();
  {
    LinkGuard lock(command_->Lock());
    doc_.Model().ApplyOutputs();
  }
  form_->RefreshAllControls();
  LoadSettings();
  // Posted, so that the form is drawn before the link starts.
  platform::postMessage(this, kMsgStartupConnect);
}

void CDSP550View::LoadSettings() {
  platform::SettingsStore store;
  const QString key = QString::fromLatin1(kSettingsKey);
  firmwarePath_ = workingFolder_;
  if (!store.keyExists(key)) {
    store.createKey(key);
    store.writeString(key, "Name", QString());
    store.writeString(key, "Path", workingFolder_);
    store.sync();
    return;
  }
  // Unreadable values keep their defaults: no name, the working folder.
  store.readString(key, "Name", &firmwareName_, kNameLimit);
  store.readString(key, "Path", &firmwarePath_, kPathLimit);
}

void CDSP550View::CreateOutputPanel() {
  outputDlg_ = new OutputDlg(doc_.Model(), *command_, this, form_->OutputFrame());
  OutputDlgForm hooks;
  hooks.toggleAllBypass = [this] { form_->ToggleAllBypass(); };
  hooks.resetLinkGroupEq = [this] { form_->ResetLinkGroupEq(); };
  outputDlg_->SetFormHooks(std::move(hooks));
  form_->SetOutputPanel(outputDlg_);
  // The panel's buttons and lists follow the form's rules for presses and
  // Enter; its edits and sliders keep the panel's own keys.
  for (QWidget* w : outputDlg_->findChildren<QWidget*>()) {
    if (!qobject_cast<controls::NumEdit*>(w) && !qobject_cast<controls::BitmapSlider*>(w)) w->installEventFilter(form_);
  }
}

void CDSP550View::ShutdownLink() {
  if (link_) link_->Shutdown();
}

void CDSP550View::OnStartupConnect() {
  // No device: the form stays unconnected, without a message.
  link_->ConnectFirst();
  startupConnectionDone_ = true;
  emit startupConnectionFinished();
}

void CDSP550View::ToggleLanguage() {
  platform::setChinese(!platform::isChinese());
  RelabelForLanguage();
}

void CDSP550View::AddRelabelHandler(std::function<void()> handler) { relabelHandlers_.push_back(std::move(handler)); }

void CDSP550View::RelabelForLanguage() {
  for (const auto& relabel : relabelHandlers_) relabel();
  update();
}

void CDSP550View::Post(int msg, intptr_t wParam, intptr_t lParam) { platform::postMessage(this, msg, wParam, lParam); }

void CDSP550View::Progress(int position) { platform::postMessage(this, kMsgLinkProgress, position); }

bool CDSP550View::event(QEvent* e) {
  if (platform::MessageEvent* m = platform::MessageEvent::from(e)) {
    messages_.dispatch(*m);
    return true;
  }
  return QWidget::event(e);
}

void CDSP550View::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QPixmap& background = platform::isChinese() ? backgroundChinese_ : backgroundEnglish_;
  p.drawPixmap(e->rect(), background, e->rect());
}

void CDSP550View::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  // A press on the form commits an open numeric edit, then drags the window.
  setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  dragPoint_ = e->pos();
}

void CDSP550View::mouseMoveEvent(QMouseEvent* e) {
  if (!dragging_) return QWidget::mouseMoveEvent(e);
  QWidget* frame = window();
  frame->move(e->globalPos() - mapTo(frame, dragPoint_));
}

void CDSP550View::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) dragging_ = false;
  QWidget::mouseReleaseEvent(e);
}

}  // namespace app
