#pragma once

#include <QTranslator>

#include <optional>

#include "ui/frmmain.h"
#include "ui/widgetmessagepresenter.h"

class QApplication;

namespace tarvelo {

// Everything start-up does between creating the application and running its
// event loop: the project record, the program's look and Qt's Spanish texts,
// real message boxes, and the main window, shown. Nothing else runs at start.
// Lives on main's stack, inside the application's lifetime.
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
