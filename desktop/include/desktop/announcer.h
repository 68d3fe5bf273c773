#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tarvelo {

// Tells screen readers a text politely (after what they are saying), without
// moving the focus, as coming from `source`. Qt 6.8 has an announcement for
// this; before it, a notification that becomes showing is spoken.
class Announcer : public QObject {
    Q_OBJECT

public:
    explicit Announcer(QWidget *source);

    void announce(const QString &text);

private:
    QWidget *m_source;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QWidget *m_notice;
#endif
};

} // namespace tarvelo
