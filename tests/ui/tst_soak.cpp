// 20 000 seeded user actions on the main window. Under the sanitizers
// (make test-asan) any crash, memory error or leak fails it.

#include <QLabel>

#include "support/guitest.h"
#include "support/soak.h"

using namespace tarvelo;
using namespace tarvelo::testing;

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void shouldSurviveTwentyThousandActions();
};

void TestSoak::shouldSurviveTwentyThousandActions()
{
    AnsweringPresenter boxes;
    ExitRecorder exits;
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    SoakDriver driver(window, 20261208);
    driver.runActions(20000);

    QVERIFY(window.isVisible());
    QVERIFY(exits.codes.isEmpty());
    QVERIFY(boxes.answered > 0);
    QVERIFY(driver.aboutOpenings > 100);
    QCOMPARE(driver.unclosedAboutBoxes, 0);
    // One About box for the whole run.
    QCOMPARE(window.findChildren<frmAbout *>().size(), 1);
    QVERIFY(window.findChild<QLineEdit *>("txtAltura")->text().size() <= 3);
    QVERIFY(!window.findChild<QLabel *>("lKilo")->text().isEmpty());
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
