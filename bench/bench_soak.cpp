// The seeded soak run in a plain release build: resident memory after the
// first 1 000 actions and after all 20 000.

#include <cstdio>

#include "app/startup.h"
#include "benchsupport.h"
#include "support/soak.h"

using namespace tarvelo;
using namespace tarvelo::bench;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    prepareApplication();
    testing::AnsweringPresenter boxes;
    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    testing::SoakDriver driver(window, 20261208);
    QElapsedTimer timer;
    timer.start();
    driver.runActions(1000);
    const long afterFirst = residentKiB();
    driver.runActions(19000);
    const long afterAll = residentKiB();
    std::printf("soak: 20000 actions in %.1f s, %d boxes answered, %d About openings, %lld About box objects\n",
                elapsedMs(timer) / 1000.0, boxes.answered, driver.aboutOpenings,
                static_cast<long long>(window.findChildren<frmAbout *>().size()));
    std::printf("soak: resident memory after 1000 actions %.2f MiB, after 20000 %.2f MiB, growth %.2f MiB\n",
                afterFirst / 1024.0, afterAll / 1024.0, (afterAll - afterFirst) / 1024.0);
    return 0;
}
