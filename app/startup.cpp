#include "startup.h"

#include <QApplication>

#include "tarvelo_version.h"
#include "ui/programlook.h"

namespace tarvelo {

Startup::Startup()
{
    // No display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELO_VERSION_STRING));
    // Ties the window to its launcher and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarvelo"));
    applyProgramLook();
    installSpanishQtTexts(m_qtTexts);
    m_window.emplace();
    m_window->show();
}

} // namespace tarvelo
