#include "tuner/app/DisplayDlg.h"

#include <QLabel>
#include <QPainter>

#include "tuner/app/AppResources.h"
#include "tuner/app/SkinArt.h"
#include "tuner/controls/ProgressCtrl.h"
#include "tuner/platform/Language.h"

namespace app {

namespace {
constexpr int kProgressBarId = 1001;
}

DisplayDlg::DisplayDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint),
      caption_(new QLabel(this)),
      bar_(new controls::GradientProgressCtrl(this, kProgressBarId)) {
  setFixedSize(340, 84);
  caption_->setGeometry(0, 12, width(), 24);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setFont(Resources().font16);
  caption_->setStyleSheet(QStringLiteral("color: rgb(226, 230, 238);"));
  bar_->setGeometry(20, 46, width() - 40, 20);
  bar_->setFont(Resources().font12);
}

void DisplayDlg::SetRange(int maximum) {
  bar_->setRange(0, maximum);
  bar_->setPos(0);
}

void DisplayDlg::SetPos(int position) { bar_->setPos(position); }

int DisplayDlg::Pos() const { return bar_->pos(); }

QString DisplayDlg::Caption() const { return caption_->text(); }

void DisplayDlg::ShowTransfer() {
  const QString text = platform::text2("数据传输中", "Data transmissionning");
  caption_->setText(text);
  setWindowTitle(text);
  if (QWidget* owner = parentWidget()) {
    move(owner->window()->geometry().center() - rect().center());
  }
  show();
  raise();
}

void DisplayDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), art::kPanel);
  p.setPen(art::kAccent);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace app
