#pragma once

#include <QTranslator>

#include <optional>

#include "ui/frmmain.h"
#include "ui/widgetmessagepresenter.h"

namespace tarvelo {

// What every window and box of the program shares, given to the application
// before any window exists: the program's font and icon, and the roles that
// screen readers are told of its widgets. The tests, the window fuzzer and
// the benchmarks prepare their application with it too.
void prepareApplication();

// Everything start-up does between creating the application and running its
// event loop: the project record, the application prepared, Qt's Spanish
// texts, real message boxes, and the main window, shown. Nothing else runs at
// start. Lives on main's stack, inside the application's lifetime.
class Startup {
public:
    Startup();

    frmMain &window() { return *m_window; }

private:
    QTranslator m_qtTexts;
    WidgetMessagePresenter m_messageBoxes;
    ScopedMessagePresenter m_presenter{m_messageBoxes};
    std::optional<frmMain> m_window;
};

} // namespace tarvelo
