#pragma once

#include <QTimer>

#include "desktop/announcer.h"
#include "ui/captionlabel.h"

namespace tarvelo {

// The status line: a caption label that screen readers see as a status bar
// named by its text. Once the user pauses, its newest text is announced, only
// if it is not the text announced last.
class StatusLine : public CaptionLabel {
    Q_OBJECT

public:
    StatusLine(const QRect &box, QWidget *parent);

    void setStatus(const QString &text);
    // Shows `text` without announcing it, as what follows a refusal box: the
    // box has told what went wrong, and the text names no result. The next
    // result is announced, even the one announced before the refusal.
    void setStatusQuietly(const QString &text);

signals:
    // A text has been told to screen readers.
    void told(const QString &text);

private:
    void announce();

    QTimer m_pause{this};
    QString m_announced;
    Announcer m_announcer{this};
};

} // namespace tarvelo
