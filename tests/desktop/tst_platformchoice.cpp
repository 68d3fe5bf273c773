// Which platform the program asks Qt for, from what a desktop offers.

#include <QTest>

#include "desktop/platformchoice.h"

using namespace tarvelo;

class TestPlatformChoice : public QObject {
    Q_OBJECT

private slots:
    void shouldRunOnX11OnlyWhereWaylandLeavesTheFrameToQt_data();
    void shouldRunOnX11OnlyWhereWaylandLeavesTheFrameToQt();
};

void TestPlatformChoice::shouldRunOnX11OnlyWhereWaylandLeavesTheFrameToQt_data()
{
    const QByteArrayList mutter{"wl_compositor", "xdg_wm_base", "wl_seat"};
    const QByteArrayList sway{"wl_compositor", "xdg_wm_base", "zxdg_decoration_manager_v1"};
    const QByteArrayList kwin{"wl_compositor", "xdg_wm_base", "org_kde_kwin_server_decoration_manager"};
    QTest::addColumn<QByteArray>("userPlatform");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("x11Display");
    QTest::addColumn<QByteArrayList>("globals");
    QTest::addColumn<bool>("x11");
    // clang-format off
    QTest::newRow("frameless-compositor-with-xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << mutter << true;
    QTest::newRow("frameless-compositor-without-xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray() << mutter << false;
    QTest::newRow("compositor-draws-frames") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << sway << false;
    QTest::newRow("compositor-draws-frames-kde-protocol") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << kwin << false;
    QTest::newRow("user-chose-wayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << mutter << false;
    QTest::newRow("x11-session") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArrayList() << false;
    QTest::newRow("compositor-did-not-answer") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArrayList() << false;
    // clang-format on
}

void TestPlatformChoice::shouldRunOnX11OnlyWhereWaylandLeavesTheFrameToQt()
{
    QFETCH(QByteArray, userPlatform);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, x11Display);
    QFETCH(QByteArrayList, globals);
    QFETCH(bool, x11);
    QCOMPARE(shouldRunOnX11(userPlatform, waylandDisplay, x11Display, globals), x11);
}

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
