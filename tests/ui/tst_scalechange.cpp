// A window moved to a screen of another scale: its labels fit their text as
// drawn there, and the formula takes its finer rendition. Runs on two
// offscreen screens, 1× and 1.5×.

#include <QLabel>
#include <QScreen>

#include "support/guitest.h"
#include "ui/captionlabel.h"
#include "ui/frmmain.h"

using namespace tarvelo;
using namespace tarvelo::testing;

class TestScaleChange : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void shouldRefitToTheNewScreen();
};

void TestScaleChange::shouldRefitToTheNewScreen()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    QSKIP("Before Qt 6.6 a window is not told of its screen's new scale");
#endif
    QScreen *plain = nullptr;
    QScreen *fine = nullptr;
    for (QScreen *screen : QGuiApplication::screens())
        (screen->devicePixelRatio() > 1.0 ? fine : plain) = screen;
    QVERIFY2(plain && fine, "needs a 1x screen and a 1.5x one");

    MessageRecorder messages;
    frmMain window;
    window.move(plain->geometry().topLeft() + QPoint(100, 100));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(fine->geometry().topLeft() + QPoint(100, 100));
    QTRY_COMPARE_WITH_TIMEOUT(window.devicePixelRatioF(), 1.5, 2000);
    // Fitted at 1× and not again, four labels lose ink at 1.5×.
    for (QLabel *label : window.findChildren<CaptionLabel *>())
        QVERIFY2(drawsTextWhole(label), qPrintable(label->objectName()));
    QCOMPARE(child<QLabel>(&window, "Picture1")->pixmap().devicePixelRatio(), 2.0);
}

QTEST_MAIN(TestScaleChange)
#include "tst_scalechange.moc"
