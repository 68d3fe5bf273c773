// Where the windows appear under a real window manager (run on X with the
// one TARVELO_WINDOW_MANAGER names): frames centred, inside the screen, and
// once painted moved only to be centred, once. Managers that tell the frame
// before mapping (openbox) seldom need that move; the others (fluxbox) need
// it for the first window of a run, and any may answer too late on a busy
// machine, so no test counts on its answer coming in time.

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <functional>
#include <optional>

#include "support/guitest.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// How long a window may take to settle on a busy machine: each look at it
// runs xprop and xwininfo. A safety net, not a speed check.
constexpr int kSettleMs = 20000;

// Records the places a window is seen in once it was first painted:
// `window`, or with none the first About box to be painted. Only places the
// X server reported count (spontaneous moves): Qt takes the place the
// program asks for as the window's before the manager has acted on it.
class MoveRecorder : public QObject {
public:
    explicit MoveRecorder(QWidget *window = nullptr) : m_window(window) { qApp->installEventFilter(this); }
    QList<QPoint> places;
    bool painted = false;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (!m_window && event->type() == QEvent::Paint)
            m_window = qobject_cast<frmAbout *>(object);
        if (!m_window || object != m_window)
            return false;
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            if (m_reported)
                add(*m_reported);
        } else if (event->type() == QEvent::Move && event->spontaneous()) {
            m_reported = m_window->geometry().topLeft();
            if (painted)
                add(*m_reported);
        }
        return false;
    }

private:
    void add(const QPoint &place)
    {
        // Framing the window, fluxbox shifts it by its one-pixel border, now
        // and then after the first paint: no jump to the user.
        if (std::none_of(places.cbegin(), places.cend(),
                         [&](const QPoint &seen) { return (seen - place).manhattanLength() <= 2; }))
            places << place;
    }

    QPointer<QWidget> m_window;
    std::optional<QPoint> m_reported;
};

// The test's own looks at the server go to it directly, not over the slow
// link the program may be on (virtual-session --link-delay).
void lookDirectly(QProcess &tool)
{
    const QString direct = qEnvironmentVariable("TARVELO_DIRECT_DISPLAY");
    if (direct.isEmpty())
        return;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), direct);
    tool.setProcessEnvironment(environment);
}

QString xprop(const QWidget *window, const QStringList &properties)
{
    QProcess xprop;
    lookDirectly(xprop);
    xprop.start(QStringLiteral("xprop"),
                QStringList{QStringLiteral("-id"), QString::number(window->winId())} + properties);
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("xprop did not answer");
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

QString xwininfo(WId id, const QString &option = QString())
{
    QProcess xwininfo;
    lookDirectly(xwininfo);
    QStringList arguments{QStringLiteral("-id"), QString::number(id)};
    if (!option.isEmpty())
        arguments << option;
    xwininfo.start(QStringLiteral("xwininfo"), arguments);
    if (!xwininfo.waitForFinished(5000))
        return QString();
    return QString::fromLatin1(xwininfo.readAllStandardOutput());
}

int infoField(const QString &info, const QString &name)
{
    return QRegularExpression(name + QStringLiteral(":\\s+(-?\\d+)")).match(info).captured(1).toInt();
}

// The frame as the window tree shows it, in device pixels: the ancestor just
// below the root, borders included. Empty while the window is not framed.
QRect treeFrame(const QWidget *window)
{
    WId top = WId(window->winId());
    for (int depth = 0; depth < 8; ++depth) {
        const QRegularExpressionMatch parent
            = QRegularExpression(QStringLiteral("Parent window id: (0x[0-9a-f]+)( \\(the root window\\))?"))
                  .match(xwininfo(top, QStringLiteral("-children")));
        if (!parent.hasMatch() || !parent.captured(2).isEmpty())
            break;
        top = parent.captured(1).toUInt(nullptr, 16);
    }
    if (top == WId(window->winId()))
        return QRect();
    const QString info = xwininfo(top);
    const int border = infoField(info, QStringLiteral("Border width"));
    return QRect(infoField(info, QStringLiteral("Absolute upper-left X")) - border,
                 infoField(info, QStringLiteral("Absolute upper-left Y")) - border,
                 infoField(info, QStringLiteral("Width")) + 2 * border,
                 infoField(info, QStringLiteral("Height")) + 2 * border);
}

// Where the server has the window's client area, in logical pixels (the
// screen's corner at 0, 0): Qt takes a place it asked for as the window's
// before the manager has acted on it.
QPoint serverPlace(const QWidget *window)
{
    const QString info = xwininfo(window->winId());
    const qreal ratio = window->devicePixelRatio();
    return QPoint(qRound(infoField(info, QStringLiteral("Absolute upper-left X")) / ratio),
                  qRound(infoField(info, QStringLiteral("Absolute upper-left Y")) / ratio));
}

// The frame as the window manager reports it, read from outside the program;
// where it reports none (twm), as the window tree shows it. Empty until
// framed.
QRect reportedFrame(const QWidget *window)
{
    if (!window->isVisible())
        return QRect();
    const qreal ratio = window->devicePixelRatio();
    const QRegularExpressionMatch extents = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"))
                                                .match(xprop(window, {QStringLiteral("_NET_FRAME_EXTENTS")}));
    if (!extents.hasMatch()) {
        const QRect frame = treeFrame(window);
        return QRect(qRound(frame.x() / ratio), qRound(frame.y() / ratio), qRound(frame.width() / ratio),
                     qRound(frame.height() / ratio));
    }
    const auto logical = [&](int index) {
        return qRound(extents.captured(index).toInt() / ratio);
    };
    return QRect(serverPlace(window), window->size())
        .marginsAdded(QMargins(logical(1), logical(3), logical(2), logical(4)));
}

QString offCentre(const QRect &frame, const QPoint &centre)
{
    if (frame.isEmpty())
        return QStringLiteral("no frame reported");
    const QPoint offset = frame.center() - centre;
    if (qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4)
        return QString();
    return QStringLiteral("frame centre off by %1, %2").arg(offset.x()).arg(offset.y());
}

// Whether the server shows the window: until then it sits where the program
// asked, which the manager may still overrule.
bool viewable(const QWidget *window)
{
    return xwininfo(window->winId()).contains(QLatin1String("Map State: IsViewable"));
}

// Waits until the window is shown with its frame centred on `centre()`, and
// says how it is off otherwise. A window may pass its place on the way (a
// manager's rule moved it once mapped, the program moved it back), which
// QTRY_COMPARE reports as a failure.
QString settledOffCentre(const QWidget *window, const std::function<QPoint()> &centre)
{
    QDeadlineTimer deadline(kSettleMs);
    QString off;
    while (!(off = viewable(window) ? offCentre(reportedFrame(window), centre()) : QStringLiteral("not shown")).isEmpty()
           && !deadline.hasExpired())
        QTest::qWait(50);
    return off;
}

// Empty when the window, once painted, was seen in one place, or in two
// where the move brought its frame nearer `centre`: where it ended,
// `window`'s place now, with the frame `frame`.
QString movedNeedlessly(const QList<QPoint> &places, const QWidget *window, const QRect &frame, const QPoint &centre)
{
    const QPoint now = serverPlace(window);
    const auto offBy = [&](const QPoint &place) {
        return (frame.translated(place - now).center() - centre).manhattanLength();
    };
    if (places.size() <= 1 || (places.size() == 2 && offBy(places.first()) + offBy(places.last()) > 2 * offBy(now)))
        return QString();
    return QStringLiteral("seen in %1 places once painted: %2, frame %3")
        .arg(places.size())
        .arg(QDebug::toString(places), QDebug::toString(frame));
}

// What the window manager reads of a window's size and functions, through
// xprop: empty when the window offers to be resized, maximised or minimised.
QString offeredResizing(const QWidget *window)
{
    const QString out = xprop(window, {QStringLiteral("_MOTIF_WM_HINTS"), QStringLiteral("WM_NORMAL_HINTS")});
    const QRegularExpressionMatch motif
        = QRegularExpression(QStringLiteral("_MOTIF_WM_HINTS\\S* = (0x[0-9a-f]+), (0x[0-9a-f]+)")).match(out);
    if (!motif.hasMatch())
        return QStringLiteral("no Motif hints: ") + out;
    // Functions: resize 0x02, minimise 0x08, maximise 0x10 (or all, 0x01).
    constexpr uint kFunctionsFlag = 0x1;
    const uint functions = motif.captured(2).toUInt(nullptr, 16);
    if (!(motif.captured(1).toUInt(nullptr, 16) & kFunctionsFlag) || (functions & (0x01 | 0x02 | 0x08 | 0x10)))
        return QStringLiteral("Motif functions offered: ") + motif.captured(2);
    const QRegularExpressionMatch minimum
        = QRegularExpression(QStringLiteral("minimum size: (\\d+ by \\d+)")).match(out);
    const QRegularExpressionMatch maximum
        = QRegularExpression(QStringLiteral("maximum size: (\\d+ by \\d+)")).match(out);
    if (!minimum.hasMatch() || minimum.captured(1) != maximum.captured(1))
        return QStringLiteral("size hints allow resizing: ") + out;
    return QString();
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void shouldShowMainWindowCentredWithoutMoving();
    void shouldCentreAboutBoxOverMainWindowEachTime_data();
    void shouldCentreAboutBoxOverMainWindowEachTime();
    void shouldOfferNoResizingOfEitherWindow();
};

void TestPlacement::shouldShowMainWindowCentredWithoutMoving()
{
    MessageRecorder messages;
    frmMain window;
    MoveRecorder moves(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect available = window.screen()->availableGeometry();
    QCOMPARE(settledOffCentre(&window, [&] { return available.center(); }), QString());

    const QRect frame = reportedFrame(&window);
    QVERIFY(available.contains(frame));
    QCOMPARE(movedNeedlessly(moves.places, &window, frame, available.center()), QString());
}

void TestPlacement::shouldCentreAboutBoxOverMainWindowEachTime_data()
{
    QTest::addColumn<QPoint>("mainWindowMovedBy");
    QTest::newRow("main-window-where-placed") << QPoint();
    QTest::newRow("main-window-moved") << QPoint(100, 0);
}

void TestPlacement::shouldCentreAboutBoxOverMainWindowEachTime()
{
    QFETCH(QPoint, mainWindowMovedBy);
    MessageRecorder messages;
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(!reportedFrame(&window).isEmpty(), kSettleMs);
    if (!mainWindowMovedBy.isNull() && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        && qEnvironmentVariable("TARVELO_WINDOW_MANAGER") == QLatin1String("fluxbox"))
        QSKIP("Debian 13's fluxbox (1.3.7): after the program moves the main window, the About box opens 100 px "
              "off and xprop stalls; not understood yet");
    if (!mainWindowMovedBy.isNull()) {
        // Where it lands is the manager's business; the box follows it.
        const QPoint placed = reportedFrame(&window).topLeft();
        window.move(window.pos() + mainWindowMovedBy);
        QTRY_VERIFY_WITH_TIMEOUT((reportedFrame(&window).topLeft() - placed).manhattanLength() > 50, kSettleMs);
    }

    for (int opening = 0; opening < 2; ++opening) {
        QString placement = QStringLiteral("not shown");
        QString moves = QStringLiteral("not shown");
        MoveRecorder recorder;
        const auto wait = whenModal<frmAbout>(this, [&](frmAbout *box) {
            QTRY_VERIFY_WITH_TIMEOUT(recorder.painted, kSettleMs);
            QCOMPARE(settledOffCentre(box, [&] { return reportedFrame(&window).center(); }), QString());
            const QRect frame = reportedFrame(box);
            placement
                = box->screen()->availableGeometry().contains(frame) ? QString() : QStringLiteral("outside the screen");
            moves = movedNeedlessly(recorder.places, box, frame, reportedFrame(&window).center());
        });
        window.mnuHelpAbout_Click();
        QVERIFY2(placement.isEmpty(), qPrintable(QStringLiteral("opening %1: %2").arg(opening).arg(placement)));
        QVERIFY2(moves.isEmpty(), qPrintable(QStringLiteral("opening %1 %2").arg(opening).arg(moves)));
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
    const auto wait = whenModal<frmAbout>(this, [&](frmAbout *box) { aboutBox = offeredResizing(box); });
    window.mnuHelpAbout_Click();
    QCOMPARE(aboutBox, QString());
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
