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

private:
    void announce();

    QTimer m_pause;
    QString m_announced;
    Announcer m_announcer{this};
};

} // namespace tarvelo
