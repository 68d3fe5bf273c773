// Tarvelo: start-up and nothing more; the program ends when the main window
// closes.

#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tarvelo::Startup startup;
    return QApplication::exec();
}
