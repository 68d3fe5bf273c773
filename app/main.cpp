// Start-up: the project record, Qt's own texts in Spanish, the main window.
// Nothing else runs at start; the program ends when the main window closes.

#include "runtime/messagebox.h"
#include "ui/frmmain.h"
#include "ui/programlook.h"
#include "ui/widgetmessagepresenter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // No display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELO_VERSION));

    tarvelo::applyProgramLook(application);
    tarvelo::WidgetMessagePresenter messageBoxes;
    tarvelo::ScopedMessagePresenter presenter(messageBoxes);

    tarvelo::frmMain window;
    window.show();
    return QApplication::exec();
}
