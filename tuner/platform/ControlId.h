#pragma once
// Control ids on Qt widgets: every control keeps the id its form gives it, so
// owners route its notifications by id and tests find it by id.

#include <QWidget>

namespace platform {

void setControlId(QWidget* w, int id);
// The id, or -1 for a widget without one.
int controlId(const QWidget* w);

// The window a control notifies: the one set, else its parent widget.
void setControlOwner(QWidget* w, QObject* owner);
QObject* controlOwner(const QWidget* w);

// The descendant of root with this id (the first found), or nullptr.
QWidget* findControl(const QWidget* root, int id);

template <typename T>
T* findControl(const QWidget* root, int id) {
  return qobject_cast<T*>(findControl(root, id));
}

}  // namespace platform
