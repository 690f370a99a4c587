#pragma once
// A hyperlink text with a hand cursor; a click opens it with the desktop's
// handler for its scheme.

#include <QLabel>
#include <QUrl>

namespace controls {

class HyLink : public QLabel {
  Q_OBJECT
 public:
  HyLink(QWidget* parent, int controlId, const QString& text = {}, const QUrl& url = {});

  void setUrl(const QUrl& url) { url_ = url; }
  QUrl url() const { return url_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  void setUnderlined(bool on);
  QUrl url_;
};

}  // namespace controls
