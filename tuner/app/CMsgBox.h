#pragma once
// The view's message box object: shows the not-connected notice, "无法连接设备"
// / "unable to connect", with an OK button only.

class QWidget;

namespace app {

class CMsgBox {
 public:
  explicit CMsgBox(QWidget* parent) : parent_(parent) {}
  void ShowNotConnected() const;

 private:
  QWidget* parent_;
};

}  // namespace app
