// The program's start-up exactly as app/main.cpp does it, reporting when the
// main window's first paint has finished (for the offscreen platform).

#include <QApplication>

#include "app/startup.h"
#include "desktop/accessibilitybridge.h"
#include "firstpaint.h"

int main(int argc, char *argv[])
{
    tarvelo::useQtAccessibilityBridgeOnly();
    QApplication application(argc, argv);
    tarvelo::Startup startup;
    FirstPaintReporter reporter(&startup.window());
    return QApplication::exec();
}
