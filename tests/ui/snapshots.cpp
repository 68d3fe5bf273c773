// Saves pictures of both windows as a person sees them, for README and for
// looking at the layout: the main window after typing 170 and 70, and the
// About box over it. Run under a virtual X server (scripts/screenshots).

#include "support/messagerecorder.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/programlook.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace tarvelo;

namespace {

void save(QWidget *window, const QString &path)
{
    QApplication::processEvents();
    const QRect frame = window->frameGeometry();
    window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        qWarning("usage: tarvelo_snapshots OUTPUT_FOLDER");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    applyProgramLook();
    testing::MessageRecorder boxes;

    frmMain window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;
    QTest::keyClicks(window.findChild<QLineEdit *>("txtAltura"), "170");
    QTest::keyClicks(window.findChild<QLineEdit *>("txtKilo"), "101");
    QTest::qWait(300);
    save(&window, folder + "/main-window.png");

    QTimer::singleShot(500, &window, [&] {
        save(window.aboutBox(), folder + "/about-box.png");
        window.aboutBox()->accept();
    });
    window.mnuHelpAbout_Click();
    return 0;
}
