// The program's start-up exactly as app/main.cpp does it, reporting when the
// main window's first paint has finished (for the offscreen platform).

#include <QApplication>

#include "firstpaint.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tarvelo::Startup startup;
    FirstPaintReporter reporter(&startup.window());
    return QApplication::exec();
}
