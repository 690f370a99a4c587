#include "tuner/platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "tuner/platform/Language.h"

namespace platform {

namespace {

MessageBoxHook& hook() {
  static MessageBoxHook h;
  return h;
}

// Every box of the program carries the application's title.
const char* const kTitle = "DSP-330-PRO";

int showDialog(QWidget* parent, const MessageBoxRequest& request) {
  QMessageBox box(QMessageBox::NoIcon, request.title, request.text, QMessageBox::NoButton, parent);
  struct Choice {
    QMessageBox::ButtonRole role;
    const char* zh;
    const char* en;
    int answer;
  };
  std::vector<Choice> choices;
  switch (request.buttons) {
    case MessageButtons::Ok:
      box.setIcon(QMessageBox::Information);
      choices = {{QMessageBox::AcceptRole, "确定", "OK", IDOK}};
      break;
    case MessageButtons::OkCancel:
      box.setIcon(QMessageBox::Question);
      choices = {{QMessageBox::AcceptRole, "确定", "OK", IDOK}, {QMessageBox::RejectRole, "取消", "Cancel", IDCANCEL}};
      break;
    case MessageButtons::YesNo:
      box.setIcon(QMessageBox::Question);
      choices = {{QMessageBox::YesRole, "是", "Yes", IDYES}, {QMessageBox::NoRole, "否", "No", IDNO}};
      break;
  }
  std::vector<QAbstractButton*> buttons;
  for (const Choice& c : choices) buttons.push_back(box.addButton(text2(c.zh, c.en), c.role));
  box.setEscapeButton(buttons.back());
  box.exec();
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return choices[i].answer;
  }
  return choices.back().answer;  // closed by the window manager: the safe answer
}

}  // namespace

void setMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

int messageBoxText(QWidget* parent, const QString& text, MessageButtons buttons) {
  const MessageBoxRequest request{QString::fromLatin1(kTitle), text, buttons};
  if (hook()) return hook()(request);
  return showDialog(parent, request);
}

int messageBox(QWidget* parent, const char* zh, const char* en, MessageButtons buttons) {
  return messageBoxText(parent, text2(zh, en), buttons);
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : answer_(answer) {
  setMessageBoxHook([this](const MessageBoxRequest& r) {
    shown_.push_back(r);
    return answer_;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { setMessageBoxHook({}); }

QStringList MessageBoxRecorder::texts() const {
  QStringList list;
  for (const auto& r : shown_) list << r.text;
  return list;
}

}  // namespace platform
