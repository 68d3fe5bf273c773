// Tarvelo: start-up and nothing more; the program ends when the main window
// closes.

#include <QApplication>

#include "startup.h"

int main(int argc, char *argv[])
{
    // Qt's GTK platform theme loads GTK, whose own accessibility bridge would
    // register the program a second time, as an entry that screen readers
    // wait on in vain. Qt's bridge is the program's; GTK reads this at load.
    qputenv("NO_AT_BRIDGE", "1");
    QApplication application(argc, argv);
    tarvelo::Startup startup;
    return QApplication::exec();
}
