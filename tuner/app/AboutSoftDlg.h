#pragma once
// The About dialog: the software version and the identification the device
// gave on connection (spaces when none was received).

#include <QDialog>

#include <string>

namespace app {

class AboutSoftDlg : public QDialog {
  Q_OBJECT
 public:
  static const char* const kSoftwareVersion;  // "DSD-770-PC-V1.0.4"
  static constexpr int kDeviceTextLength = 18;

  AboutSoftDlg(QWidget* parent, const std::string& deviceIdentification);

  QString SoftwareVersionText() const;
  QString DeviceVersionText() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap background_;
  QString deviceText_;
};

}  // namespace app
