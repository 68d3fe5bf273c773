#include "desktop/accessibleroles.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QLineEdit>

#include "desktop/fieldaccessible.h"

namespace tarvelo {

namespace {

struct Role {
    QAccessible::Role role;
    std::function<QString()> name;
};

// Owned by the GUI thread, as are the widgets it names.
QHash<const QObject *, Role> &roles()
{
    static QHash<const QObject *, Role> table;
    return table;
}

class RoledAccessible : public QAccessibleWidget {
public:
    RoledAccessible(QWidget *widget, const Role &role) : QAccessibleWidget(widget, role.role), m_name(role.name) { }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (m_name)
            return m_name();
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (const auto *label = qobject_cast<const QLabel *>(widget()))
            return label->text();
        return QAccessibleWidget::text(t);
    }

    // A label with nothing to read (an empty caption) is left out of the
    // tree: a screen reader would offer it as an object without a name.
    int childCount() const override { return int(toldChildren().size()); }
    QAccessibleInterface *child(int index) const override { return toldChildren().value(index); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(toldChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

private:
    QList<QAccessibleInterface *> toldChildren() const
    {
        QList<QAccessibleInterface *> told;
        for (int index = 0; index < QAccessibleWidget::childCount(); ++index) {
            QAccessibleInterface *child = QAccessibleWidget::child(index);
            if (child && (child->role() != QAccessible::StaticText || !child->text(QAccessible::Name).isEmpty()))
                told.append(child);
        }
        return told;
    }

    std::function<QString()> m_name;
};

QAccessibleInterface *roledAccessible(const QString &, QObject *object)
{
    const auto found = roles().constFind(object);
    if (found != roles().constEnd())
        return new RoledAccessible(static_cast<QWidget *>(object), *found);
    if (auto *field = qobject_cast<QLineEdit *>(object))
        return new FieldAccessible(field);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(roledAccessible);
}

void setAccessibleRole(QWidget *widget, QAccessible::Role role, std::function<QString()> name)
{
    if (!roles().contains(widget))
        QObject::connect(widget, &QObject::destroyed, [widget] { roles().remove(widget); });
    roles().insert(widget, Role{role, std::move(name)});
    // Qt may have made the widget's interface already (some versions do as
    // soon as its title is set), and would keep it: made again, it is ours.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<RoledAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace tarvelo
