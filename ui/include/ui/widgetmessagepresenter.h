#pragma once

#include "runtime/messagebox.h"

namespace tarvelo {

// Real message boxes: modal over their owner, one "Aceptar" button (through
// Qt's Spanish texts), no icon, the prompt as plain text, and wide enough for
// a window manager to show the title.
class WidgetMessagePresenter : public MessagePresenter {
public:
    void present(QObject *owner, const QString &prompt, const QString &title) override;
};

// The least width of a message box, in logical pixels.
inline constexpr int kMessageBoxMinimumWidth = 200;

} // namespace tarvelo
