#pragma once

#include <QAccessible>
#include <QString>

#include <functional>

class QWidget;

namespace tarvelo {

// Lets setAccessibleRole() take effect, and gives every line edit an
// interface that answers each question of a screen reader (FieldAccessible):
// once, before any widget is made.
void installAccessibleRoles();

// What screen readers are told `widget` is, in place of what Qt tells of its
// class; named by `name` when one is given, else by the widget's accessible
// name, else by a label's text. Call in the widget's constructor, before a
// screen reader can have seen it.
void setAccessibleRole(QWidget *widget, QAccessible::Role role, std::function<QString()> name = {});

} // namespace tarvelo
