#pragma once

#include <QTimer>

#include "ui/captionlabel.h"

class QAccessibleInterface;

namespace tarvelo {

// The status line: a caption label that screen readers see as a status bar
// named by its text. Once the user pauses, its newest text is announced,
// politely (after what the reader is saying), without moving the focus, and
// only if it is not the text announced last.
class StatusLine : public CaptionLabel {
    Q_OBJECT

public:
    StatusLine(const QRect &box, QWidget *parent);

    void setStatus(const QString &text);

private:
    void announce();

    QTimer m_pause;
    QString m_announced;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QWidget *m_notice;
#endif
};

// What screen readers are told of the program's own widgets: the status line
// as above, the main window as a window rather than a dialog. Installed once,
// before any window exists.
void installAccessibleRoles();

} // namespace tarvelo
