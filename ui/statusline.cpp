#include "ui/statusline.h"

#include "desktop/accessibleroles.h"

namespace tarvelo {

namespace {

// Between keys a typist pauses 150-300 ms; half a second without a key is
// the end of an entry, and still soon enough to answer it.
constexpr int kPauseMs = 500;

} // namespace

StatusLine::StatusLine(const QRect &box, QWidget *parent) : CaptionLabel(QString(), Sizing::AutoSize, parent)
{
    setObjectName(QStringLiteral("lKilo"));
    setAccessibleRole(this, QAccessible::StatusBar);
    place(box);
    m_pause.setObjectName(QStringLiteral("pause"));
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &StatusLine::announce);
}

void StatusLine::setStatus(const QString &text)
{
    setCaption(text);
    m_pause.start();
}

void StatusLine::setStatusQuietly(const QString &text)
{
    setCaption(text);
    m_pause.stop();
    m_announced.clear();
}

void StatusLine::announce()
{
    const QString text = caption();
    if (text == m_announced)
        return;
    m_announced = text;
    if (text.isEmpty())
        return;
    m_announcer.announce(text);
    emit told(text);
}

} // namespace tarvelo
