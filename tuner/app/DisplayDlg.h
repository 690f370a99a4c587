#pragma once
// The transfer progress window: "数据传输中" / "Data transmissionning" over a
// progress bar. Modeless and hidden until a batch runs (the read-back after
// connecting, preset transfers); the link moves its position.

#include <QDialog>

namespace controls {
class GradientProgressCtrl;
}
class QLabel;

namespace app {

class DisplayDlg : public QDialog {
  Q_OBJECT
 public:
  explicit DisplayDlg(QWidget* parent);

  void SetRange(int maximum);
  void SetPos(int position);
  int Pos() const;
  // Shows the window with its texts in the language of the moment.
  void ShowTransfer();
  QString Caption() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QLabel* caption_;
  controls::GradientProgressCtrl* bar_;
};

}  // namespace app
