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

// As a quick typist: events are handled between keys, which come far sooner
// than a pause.
void type(QWidget *field, const QString &keys)
{
    for (const QChar key : keys) {
        QTest::keyClick(field, key.toLatin1());
        QCoreApplication::processEvents();
    }
}

void recordAnnouncements(QAccessibleEvent *event)
{
    if (!event->object())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement && event->object()->objectName() == QLatin1String("lKilo"))
        announcements << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#else
    // Before Qt 6.8 a reader speaks a notification as it shows.
    if (event->type() == QAccessible::ObjectShow && event->accessibleInterface()->role() == QAccessible::Notification)
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
    // Typed without a pause: only the last text is told, once the user stops.
    type(height, "170");
    type(weight, "70");
    QTRY_COMPARE(announcements, QStringList({statusText("24,22", " Peso normal")}));
    // The same text again (a blank, and Calcular, which never writes the
    // status line), then the height retyped: only the new result.
    QTest::keyClick(weight, Qt::Key_Space);
    QTest::keyClick(weight, Qt::Key_Return);
    height->setFocus();
    height->selectAll();
    type(height, "160");
    QTRY_COMPARE(announcements,
                 QStringList({statusText("24,22", " Peso normal"), statusText("27,34", " Obesidad tipo I")}));
    // Nothing moved the focus.
    QCOMPARE(QApplication::focusWidget(), weight);
}

QTEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
