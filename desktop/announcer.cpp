#include "desktop/announcer.h"

#include <QAccessible>
#include <QWidget>

#include "desktop/accessibleroles.h"

namespace tarvelo {

namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Invisible: it paints nothing and lets the mouse through.
class Notice : public QWidget {
public:
    explicit Notice(QWidget *parent) : QWidget(parent)
    {
        setGeometry(0, 0, 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    QString text;

protected:
    void paintEvent(QPaintEvent *) override { }
};
#endif

} // namespace

Announcer::Announcer(QWidget *source) : QObject(source), m_source(source)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    auto *notice = new Notice(source);
    setAccessibleRole(notice, QAccessible::Notification, [notice] { return notice->text; });
    m_notice = notice;
#endif
}

void Announcer::announce(const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(m_source, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#else
    static_cast<Notice *>(m_notice)->text = text;
    m_notice->hide();
    m_notice->show();
#endif
}

} // namespace tarvelo
