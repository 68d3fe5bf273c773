// The least a Qt Widgets window costs: the application and one empty QWidget,
// shown. What every Qt program pays before it draws anything of its own.

#include <QApplication>
#include <QWidget>

#ifdef REPORT_FIRST_PAINT
#include "firstpaint.h"
#endif

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(296, 365);
    // Something to paint, so that its first paint can be seen from outside.
    window.setAutoFillBackground(true);
    window.show();
#ifdef REPORT_FIRST_PAINT
    FirstPaintReporter reporter(&window);
#endif
    return QApplication::exec();
}
