#include "tuner/platform/ControlId.h"

#include <QVariant>

namespace platform {

namespace {
const char* const kProperty = "controlId";
const char* const kOwnerProperty = "controlOwner";
}

void setControlOwner(QWidget* w, QObject* owner) { w->setProperty(kOwnerProperty, QVariant::fromValue(owner)); }

QObject* controlOwner(const QWidget* w) {
  if (!w) return nullptr;
  if (QObject* o = w->property(kOwnerProperty).value<QObject*>()) return o;
  return w->parentWidget();
}

void setControlId(QWidget* w, int id) { w->setProperty(kProperty, id); }

int controlId(const QWidget* w) {
  const QVariant v = w ? w->property(kProperty) : QVariant();
  return v.isValid() ? v.toInt() : -1;
}

QWidget* findControl(const QWidget* root, int id) {
  if (!root) return nullptr;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (controlId(w) == id) return w;
  }
  return nullptr;
}

}  // namespace platform
