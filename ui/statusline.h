#pragma once

#include "ui/captionlabel.h"

class QAccessibleInterface;

namespace tarvelo {

// The status line: a caption label that screen readers see as a status bar
// named by its text. Each new text is announced once, politely (after what
// the reader is saying), without moving the focus.
class StatusLine : public CaptionLabel {
    Q_OBJECT

public:
    StatusLine(const QRect &box, QWidget *parent);

    void setStatus(const QString &text);

private:
    QString m_announced;
};

// What screen readers are told of the program's own widgets: the status line
// as above, the main window as a window rather than a dialog. Installed once,
// before any window exists.
void installAccessibleRoles();

} // namespace tarvelo
