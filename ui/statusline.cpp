#include "statusline.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tarvelo {

namespace {

// Between keys a typist pauses 150-300 ms; half a second without a key is
// the end of an entry, and still soon enough to answer it.
constexpr int kPauseMs = 500;

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Before Qt 6.8 there is no announcement; screen readers speak a notification
// as it becomes showing. Invisible: it paints nothing.
class StatusNotice : public QWidget {
public:
    explicit StatusNotice(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("lKiloAviso"));
        setGeometry(0, 0, 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    QString text;

protected:
    void paintEvent(QPaintEvent *) override { }
};

class StatusNoticeAccessible : public QAccessibleWidget {
public:
    explicit StatusNoticeAccessible(StatusNotice *notice) : QAccessibleWidget(notice, QAccessible::Notification) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const StatusNotice *>(widget())->text;
        return QAccessibleWidget::text(t);
    }
};
#endif

class StatusLineAccessible : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(StatusLine *line) : QAccessibleWidget(line, QAccessible::StatusBar) { }

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
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    if (auto *notice = dynamic_cast<StatusNotice *>(object))
        return new StatusNoticeAccessible(notice);
#endif
    // A top-level QWidget is a client area to Qt; to the user it is a window.
    if (className == QLatin1String("tarvelo::frmMain"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

StatusLine::StatusLine(const QRect &box, QWidget *parent) : CaptionLabel(QString(), Sizing::AutoSize, parent)
{
    setObjectName(QStringLiteral("lKilo"));
    place(box);
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &StatusLine::announce);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    m_notice = new StatusNotice(this);
#endif
}

void StatusLine::setStatus(const QString &text)
{
    setCaption(text);
    m_pause.start();
}

void StatusLine::announce()
{
    const QString text = caption();
    if (text == m_announced)
        return;
    m_announced = text;
    if (text.isEmpty())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#else
    static_cast<StatusNotice *>(m_notice)->text = text;
    m_notice->hide();
    m_notice->show();
#endif
}

void installAccessibleRoles()
{
    QAccessible::installFactory(programAccessible);
}

} // namespace tarvelo
