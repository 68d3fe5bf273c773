#pragma once

#include "runtime/messagebox.h"

namespace tarvelo {

// Real message boxes: modal over the active window, one "Aceptar" button
// (through Qt's Spanish texts), no icon, the prompt as plain text.
class WidgetMessagePresenter : public MessagePresenter {
public:
    void present(const QString &prompt, const QString &title) override;
};

} // namespace tarvelo
