#pragma once
// The name entry dialog used when presets are named. It edits the caller's
// name buffer (UTF-8, NUL-terminated): the entry is limited so that the text
// and its terminating zero always fit the buffer; OK writes it back, Cancel
// leaves the buffer as it was.

#include <QDialog>

#include <cstddef>

class QLineEdit;

namespace app {

class InputSourceNameDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr size_t kCallerBufferSize = 100;

  InputSourceNameDlg(QWidget* parent, char* nameBuffer, size_t bufferSize = kCallerBufferSize);

  QLineEdit* Edit() const { return edit_; }

 public slots:
  void accept() override;

 private:
  char* buffer_;
  size_t size_;
  QLineEdit* edit_;
};

}  // namespace app
