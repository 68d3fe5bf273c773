#include "statusline.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tarvelo {

namespace {

class StatusLineAccessible : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(StatusLine *line) : QAccessibleWidget(line, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const StatusLine *>(widget())->caption();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *programAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("tarvelo::StatusLine"))
        return new StatusLineAccessible(static_cast<StatusLine *>(object));
    // A QDialog underneath, for its keyboard; a window to the user.
    if (className == QLatin1String("tarvelo::frmMain"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

StatusLine::StatusLine(const QRect &box, QWidget *parent)
    : CaptionLabel(QString(), Sizing::AutoSize, parent)
{
    setObjectName(QStringLiteral("lKilo"));
    place(box);
}

void StatusLine::setStatus(const QString &text)
{
    // QLabel raises the name change itself, which is all a Qt 6.4 reader gets.
    setCaption(text);
    if (text == m_announced)
        return;
    m_announced = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#endif
}

void installAccessibleRoles()
{
    QAccessible::installFactory(programAccessible);
}

} // namespace tarvelo
