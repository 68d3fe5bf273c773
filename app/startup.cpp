#include "startup.h"

#include "tarvelo_version.h"
#include "ui/programlook.h"

#include <QApplication>

namespace tarvelo {

void prepareApplication(QApplication &application)
{
    // No display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELO_VERSION_STRING));
    applyProgramLook(application);
}

Startup::Startup(QApplication &application)
    : m_presenter((prepareApplication(application), m_messageBoxes))
{
    m_window.show();
}

} // namespace tarvelo
