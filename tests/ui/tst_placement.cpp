// Where the windows appear under a real window manager (run on X with
// openbox): frames centred, inside the screen, and no move once mapped.

#include "support/guitest.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/windowplacement.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Records where the window is each time it moves after it was first painted.
class MoveRecorder : public QObject {
public:
    explicit MoveRecorder(QWidget *window) : m_window(window) { window->installEventFilter(this); }
    QList<QPoint> positions;
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            positions << m_window->geometry().topLeft();
        } else if (event->type() == QEvent::Move && painted) {
            positions << m_window->geometry().topLeft();
        }
        return false;
    }

private:
    QWidget *m_window;
};

bool frameKnown(const QWidget *window) { return window->frameGeometry().top() < window->geometry().top(); }

// What the window manager reads of a window's size and functions, through
// xprop: empty when the window offers to be resized, maximised or minimised.
QString offeredResizing(const QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_MOTIF_WM_HINTS"), QStringLiteral("WM_NORMAL_HINTS")});
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("xprop did not answer");
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    const QRegularExpressionMatch motif =
        QRegularExpression(QStringLiteral("_MOTIF_WM_HINTS\\S* = (0x[0-9a-f]+), (0x[0-9a-f]+)")).match(out);
    if (!motif.hasMatch())
        return QStringLiteral("no Motif hints: ") + out;
    // Functions: resize 0x02, minimise 0x08, maximise 0x10 (or all, 0x01).
    constexpr uint kFunctionsFlag = 0x1;
    const uint functions = motif.captured(2).toUInt(nullptr, 16);
    if (!(motif.captured(1).toUInt(nullptr, 16) & kFunctionsFlag) || (functions & (0x01 | 0x02 | 0x08 | 0x10)))
        return QStringLiteral("Motif functions offered: ") + motif.captured(2);
    const QRegularExpressionMatch minimum =
        QRegularExpression(QStringLiteral("minimum size: (\\d+ by \\d+)")).match(out);
    const QRegularExpressionMatch maximum =
        QRegularExpression(QStringLiteral("maximum size: (\\d+ by \\d+)")).match(out);
    if (!minimum.hasMatch() || minimum.captured(1) != maximum.captured(1))
        return QStringLiteral("size hints allow resizing: ") + out;
    return QString();
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void shouldCentreFrameWithinArea_data();
    void shouldCentreFrameWithinArea();
    void shouldShowMainWindowCentredWithoutMoving();
    void shouldCentreAboutBoxOverMainWindowEachTime();
    void shouldOfferNoResizingOfEitherWindow();
};

void TestPlacement::shouldCentreFrameWithinArea_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("centred") << QSize(298, 385) << QPoint(640, 400) << QRect(491, 208, 298, 385);
    QTest::newRow("over-owner-near-edge") << QSize(393, 265) << QPoint(100, 700) << QRect(0, 535, 393, 265);
    QTest::newRow("taller-than-area") << QSize(300, 900) << QPoint(640, 400) << QRect(490, 0, 300, 900);
    QTest::newRow("larger-than-area") << QSize(1400, 900) << QPoint(640, 400) << QRect(0, 0, 1400, 900);
}

void TestPlacement::shouldCentreFrameWithinArea()
{
    QFETCH(QSize, frame);
    QFETCH(QPoint, centre);
    QFETCH(QRect, expected);
    QCOMPARE(centredFrame(frame, centre, QRect(0, 0, 1280, 800)), expected);
}

void TestPlacement::shouldShowMainWindowCentredWithoutMoving()
{
    MessageRecorder messages;
    frmMain window;
    MoveRecorder moves(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(frameKnown(&window));
    QTest::qWait(200);

    const QRect available = window.screen()->availableGeometry();
    const QPoint offset = window.frameGeometry().center() - available.center();
    QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4,
             qPrintable(QStringLiteral("frame centre off by %1, %2").arg(offset.x()).arg(offset.y())));
    QVERIFY(available.contains(window.frameGeometry()));
    QVERIFY(!moves.positions.isEmpty());
    for (const QPoint &position : moves.positions)
        QCOMPARE(position, moves.positions.front());
}

void TestPlacement::shouldCentreAboutBoxOverMainWindowEachTime()
{
    MessageRecorder messages;
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(frameKnown(&window));

    for (int opening = 0; opening < 2; ++opening) {
        QPoint offset(1000, 1000);
        bool inside = false;
        QTimer::singleShot(0, this, [&] {
            frmAbout *box = window.aboutBox();
            const auto closeAnyway = qScopeGuard([box] { box->done(0); });
            QTRY_VERIFY(box->isVisible() && frameKnown(box));
            QTest::qWait(100);
            offset = box->frameGeometry().center() - window.frameGeometry().center();
            inside = box->screen()->availableGeometry().contains(box->frameGeometry());
        });
        window.mnuHelpAbout_Click();
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4,
                 qPrintable(QStringLiteral("opening %1 off by %2, %3").arg(opening).arg(offset.x()).arg(offset.y())));
        QVERIFY(inside);
    }
}

void TestPlacement::shouldOfferNoResizingOfEitherWindow()
{
    MessageRecorder messages;
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(offeredResizing(&window), QString());

    QString aboutBox = QStringLiteral("not shown");
    QTimer::singleShot(0, this, [&] {
        frmAbout *box = window.aboutBox();
        const auto closeAnyway = qScopeGuard([box] { box->done(0); });
        QTRY_VERIFY(box->isVisible());
        aboutBox = offeredResizing(box);
    });
    window.mnuHelpAbout_Click();
    QCOMPARE(aboutBox, QString());
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
