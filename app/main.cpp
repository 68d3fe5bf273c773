// Tarvelo: start-up and nothing more; the program ends when the main window
// closes.

#include <QApplication>

#include "app/startup.h"
#include "desktop/accessibilitybridge.h"
#include "desktop/platformchoice.h"

int main(int argc, char *argv[])
{
    tarvelo::useQtAccessibilityBridgeOnly();
    tarvelo::choosePlatform();
    QApplication application(argc, argv);
    tarvelo::Startup startup;
    return QApplication::exec();
}
