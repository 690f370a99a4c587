#include "tuner/app/InputSourceNameDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <cstring>

#include "tuner/app/AppResources.h"
#include "tuner/platform/Language.h"

namespace app {

namespace {

// Refuses any text whose UTF-8 form would not fit the caller's buffer.
class ByteLimit : public QValidator {
 public:
  ByteLimit(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
  State validate(QString& input, int&) const override {
    return input.toUtf8().size() <= maxBytes_ ? Acceptable : Invalid;
  }

 private:
  int maxBytes_;
};

// The longest prefix of text (in whole characters) that fits maxBytes.
QString fitting(const QString& text, int maxBytes) {
  QString fitted = text;
  while (fitted.toUtf8().size() > maxBytes) {
    // Never half a surrogate pair.
    fitted.chop(fitted.size() >= 2 && QChar(fitted.back()).isLowSurrogate() ? 2 : 1);
  }
  return fitted;
}

}  // namespace

InputSourceNameDlg::InputSourceNameDlg(QWidget* parent, char* nameBuffer, size_t bufferSize)
    : QDialog(parent), buffer_(nameBuffer), size_(bufferSize), edit_(new QLineEdit(this)) {
  setWindowTitle(platform::text2("音效组名", "Group name"));
  const int maxBytes = size_ > 0 ? int(size_ - 1) : 0;
  const QString initial = buffer_ ? QString::fromUtf8(buffer_, int(strnlen(buffer_, size_))) : QString();
  edit_->setText(fitting(initial, maxBytes));
  edit_->setValidator(new ByteLimit(maxBytes, edit_));
  edit_->setFont(Resources().font14);

  auto* label = new QLabel(platform::text2("音效组名:", "Source Name:"), this);
  label->setFont(Resources().font14);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(platform::text2("确定", "OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(platform::text2("取消", "Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  setFixedWidth(300);
  edit_->setFocus();
}

void InputSourceNameDlg::accept() {
  if (buffer_ && size_ > 0) {
    const QByteArray text = fitting(edit_->text(), int(size_ - 1)).toUtf8();
    std::memcpy(buffer_, text.constData(), size_t(text.size()));
    buffer_[text.size()] = '\0';
  }
  QDialog::accept();
}

}  // namespace app
