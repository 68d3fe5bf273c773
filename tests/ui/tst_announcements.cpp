// What a screen reader is told while the user types, through the real
// accessibility bridge (run on X with an accessibility bus).

#include "support/guitest.h"
#include "support/statustext.h"
#include "ui/frmmain.h"

#include <QAccessible>
#include <QLineEdit>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

QStringList announcements;

void recordAnnouncements(QAccessibleEvent *event)
{
    if (!event->object() || event->object()->objectName() != QLatin1String("lKilo"))
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        announcements << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#else
    // Before Qt 6.8 a reader hears the status bar's name change.
    if (event->type() == QAccessible::NameChanged)
        announcements << event->accessibleInterface()->text(QAccessible::Name);
#endif
}

} // namespace

class TestAnnouncements : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void shouldAnnounceEachNewStatusOnce();
};

void TestAnnouncements::shouldAnnounceEachNewStatusOnce()
{
    MessageRecorder messages;
    frmMain window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The bridge turns on once the accessibility bus has answered.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 5000);

    QAccessible::installUpdateHandler(recordAnnouncements);
    const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
    auto *height = window.findChild<QLineEdit *>("txtAltura");
    auto *weight = window.findChild<QLineEdit *>("txtKilo");
    QTest::keyClicks(height, "170");
    QTest::keyClicks(weight, "70");
    // The same text again, and Calcular, which never writes the status line.
    QTest::keyClick(weight, Qt::Key_Space);
    QTest::keyClick(weight, Qt::Key_Return);
    QCOMPARE(announcements, QStringList({kBelowBands, statusText("24,22", " Peso normal")}));
    // Nothing moved the focus.
    QCOMPARE(QApplication::focusWidget(), weight);
}

QTEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
