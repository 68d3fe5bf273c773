#include "app/startup.h"

#include <QApplication>

#include "desktop/accessibleroles.h"
#include "desktop/programfont.h"
#include "desktop/spanishqttexts.h"
#include "tarvelo_version.h"
#include "ui/programimages.h"

namespace tarvelo {

void prepareApplication()
{
    installAccessibleRoles();
    addCarriedFaces();
    QApplication::setFont(programFont());
    QApplication::setWindowIcon(programWindowIcon());
}

Startup::Startup()
{
    // No display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELO_VERSION_STRING));
    // Ties the window to its launcher and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarvelo"));
    prepareApplication();
    installSpanishQtTexts(m_qtTexts);
    m_window.emplace();
    m_window->show();
}

} // namespace tarvelo
