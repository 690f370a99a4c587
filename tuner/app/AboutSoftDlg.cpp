#include "tuner/app/AboutSoftDlg.h"

#include <QPainter>
#include <QPushButton>

#include "tuner/app/AppResources.h"
#include "tuner/app/SkinArt.h"
#include "tuner/controls/FontStatic.h"
#include "tuner/platform/Language.h"

namespace app {

const char* const AboutSoftDlg::kSoftwareVersion = "DSD-770-PC-V1.0.4";

namespace {

enum ControlIds { kSoftwareLabel = 1001, kSoftwareValue, kDeviceLabel, kDeviceValue };

controls::FontStatic* addText(QWidget* parent, int id, const QString& text, QRect where, QColor colour) {
  auto* s = new controls::FontStatic(parent, id, text);
  s->setFont(QStringLiteral("Arial"), 16);
  s->setColour(colour);
  s->setGeometry(where);
  return s;
}

}  // namespace

AboutSoftDlg::AboutSoftDlg(QWidget* parent, const std::string& deviceIdentification) : QDialog(parent) {
  setWindowTitle(platform::text2("关于", "About"));
  setFixedSize(380, 190);
  background_ = art::AboutBackground(size());
  // At most 18 characters of the identification; spaces when there is none.
  deviceText_ = QString::fromLatin1(deviceIdentification.c_str()).left(kDeviceTextLength);
  if (deviceText_.trimmed().isEmpty()) deviceText_ = QString(kDeviceTextLength, ' ');

  addText(this, kSoftwareLabel, "Software Version:", QRect(24, 70, 150, 22), Qt::white);
  addText(this, kSoftwareValue, kSoftwareVersion, QRect(180, 70, 190, 22), art::kAccent);
  addText(this, kDeviceLabel, "Device Version:", QRect(24, 100, 150, 22), Qt::white);
  addText(this, kDeviceValue, deviceText_, QRect(180, 100, 190, 22), art::kAccent);

  auto* ok = new QPushButton(platform::text2("确定", "OK"), this);
  ok->setGeometry(width() - 104, height() - 40, 84, 26);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutSoftDlg::SoftwareVersionText() const { return QString::fromLatin1(kSoftwareVersion); }

QString AboutSoftDlg::DeviceVersionText() const { return deviceText_; }

void AboutSoftDlg::paintEvent(QPaintEvent*) { QPainter(this).drawPixmap(0, 0, background_); }

}  // namespace app
