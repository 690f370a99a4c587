#pragma once
// Text drawn over the owner's picture with no background of its own.

#include <QLabel>

namespace controls {

class CTransparentStatic : public QLabel {
  Q_OBJECT
 public:
  CTransparentStatic(QWidget* parent, int controlId, const QString& text = {});

  void setColour(const QColor& colour);
};

}  // namespace controls
