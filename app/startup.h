#pragma once

#include "runtime/messagebox.h"
#include "ui/frmmain.h"
#include "ui/widgetmessagepresenter.h"

class QApplication;

namespace tarvelo {

// Everything start-up does between creating the application and running its
// event loop: the project record, the program's look and Qt's Spanish texts,
// real message boxes, and the main window, shown. Nothing else runs at start.
class Startup {
public:
    explicit Startup(QApplication &application);

    frmMain &window() { return m_window; }

private:
    WidgetMessagePresenter m_messageBoxes;
    ScopedMessagePresenter m_presenter;
    frmMain m_window;
};

// Sets the project record and the look; called before any window exists.
void prepareApplication(QApplication &application);

} // namespace tarvelo
