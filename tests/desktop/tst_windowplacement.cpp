// Where a window's frame goes on the available area: no window needed.

#include <QRect>
#include <QTest>

#include "desktop/windowplacement.h"

using namespace tarvelo;

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void shouldCentreFrameWithinArea_data();
    void shouldCentreFrameWithinArea();
};

void TestWindowPlacement::shouldCentreFrameWithinArea_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("centred") << QSize(298, 385) << QPoint(640, 400) << QRect(491, 208, 298, 385);
    QTest::newRow("over-owner-near-edge") << QSize(393, 265) << QPoint(100, 700) << QRect(0, 535, 393, 265);
    QTest::newRow("taller-than-area") << QSize(300, 900) << QPoint(640, 400) << QRect(490, 0, 300, 900);
    QTest::newRow("larger-than-area") << QSize(1400, 900) << QPoint(640, 400) << QRect(0, 0, 1400, 900);
}

void TestWindowPlacement::shouldCentreFrameWithinArea()
{
    QFETCH(QSize, frame);
    QFETCH(QPoint, centre);
    QFETCH(QRect, expected);
    QCOMPARE(centredFrame(frame, centre, QRect(0, 0, 1280, 800)), expected);
}

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
