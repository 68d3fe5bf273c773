// What a screen reader is told while the user types, as it crosses the
// accessibility bus: the test is an AT-SPI client on the bus the program's
// bridge uses (run on X with an accessibility bus of the test's own).

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLineEdit>

#include <map>

#include "support/guitest.h"
#include "support/statustext.h"
#include "ui/frmmain.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QString kEvents = QStringLiteral("org.a11y.atspi.Event.Object");

// Hears what a screen reader would: Qt 6.8's announcements, and before it,
// objects of role notification as they become showing (with their name).
class AtSpiListener : public QObject {
    Q_OBJECT

public:
    ~AtSpiListener() override
    {
        if (m_bus)
            QDBusConnection::disconnectFromBus(m_bus->name());
    }

    // Joins the accessibility bus and asks the registry for object events,
    // which the bridge sends only once someone listens. Empty, or what failed.
    QString listen()
    {
        // Plain messages: QDBusInterface keeps what it learns of an interface
        // past the end of the program.
        const QDBusMessage address = QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                           QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
        if (address.type() != QDBusMessage::ReplyMessage)
            return QStringLiteral("no accessibility bus: ") + address.errorMessage();
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address.arguments().value(0).toString(), QStringLiteral("screen-reader")));
        if (!m_bus->isConnected())
            return QStringLiteral("cannot join the accessibility bus");
        m_bus->connect(QString(), QString(), kEvents, QStringLiteral("Announcement"), this,
                       SLOT(announced(QDBusMessage)));
        m_bus->connect(QString(), QString(), kEvents, QStringLiteral("StateChanged"), this,
                       SLOT(stateChanged(QDBusMessage)));
        QDBusMessage registration = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
        registration << QStringLiteral("object:");
        const QDBusMessage registered = m_bus->call(registration);
        if (registered.type() != QDBusMessage::ReplyMessage)
            return QStringLiteral("the registry refused: ") + registered.errorMessage();
        return QString();
    }

    // Questions still unanswered (they must not outlive the test).
    int asking() const { return m_asking; }

    // What was told, in order; a notification whose role and name are still
    // being asked shows as "?".
    QStringList heard() const
    {
        QStringList told;
        for (const auto &[order, text] : m_told)
            told << text;
        return told;
    }

private slots:
    void announced(const QDBusMessage &event)
    {
        m_told[m_next++] = event.arguments().value(3).value<QDBusVariant>().variant().toString();
    }

    void stateChanged(const QDBusMessage &event)
    {
        const QVariantList arguments = event.arguments();
        if (arguments.value(0).toString() != QLatin1String("showing") || arguments.value(1).toInt() != 1)
            return;
        const int order = m_next++;
        m_told[order] = QStringLiteral("?");
        // Its role, then its name, asked without blocking: the bridge answers
        // from this same thread.
        const auto ask = [this, service = event.service(), path = event.path()](
                             const QString &interface, const QString &method, const QVariantList &arguments) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
            call.setArguments(arguments);
            auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
            ++m_asking;
            connect(watcher, &QDBusPendingCallWatcher::finished, this, [this] { --m_asking; });
            return watcher;
        };
        connect(ask(QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetRoleName"), {}),
                &QDBusPendingCallWatcher::finished, this, [this, order, ask](QDBusPendingCallWatcher *role) {
                    role->deleteLater();
                    if (QDBusPendingReply<QString>(*role).value() != QLatin1String("notification")) {
                        m_told.erase(order);
                        return;
                    }
                    connect(ask(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                {QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("Name")}),
                            &QDBusPendingCallWatcher::finished, this, [this, order](QDBusPendingCallWatcher *name) {
                                name->deleteLater();
                                m_told[order] = QDBusPendingReply<QDBusVariant>(*name).value().variant().toString();
                            });
                });
    }

private:
    std::unique_ptr<QDBusConnection> m_bus;
    std::map<int, QString> m_told;
    int m_asking = 0;
    int m_next = 0;
};

// As a quick typist: events are handled between keys, which come far sooner
// than a pause.
void type(QWidget *field, const QString &keys)
{
    for (const QChar key : keys) {
        QTest::keyClick(field, key.toLatin1());
        QCoreApplication::processEvents();
    }
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

    AtSpiListener reader;
    QCOMPARE(reader.listen(), QString());
    auto *height = window.findChild<QLineEdit *>("txtAltura");
    auto *weight = window.findChild<QLineEdit *>("txtKilo");
    // Typed without a pause: only the last text is told, once the user stops.
    type(height, "170");
    type(weight, "70");
    QTRY_COMPARE(reader.heard(), QStringList({statusText("24,22", " Peso normal")}));
    // The same text again (a blank, and Calcular, which never writes the
    // status line), then the height retyped: only the new result.
    QTest::keyClick(weight, Qt::Key_Space);
    QTest::keyClick(weight, Qt::Key_Return);
    height->setFocus();
    height->selectAll();
    type(height, "160");
    QTRY_COMPARE(reader.heard(),
                 QStringList({statusText("24,22", " Peso normal"), statusText("27,34", " Obesidad tipo I")}));
    // Nothing moved the focus.
    QCOMPARE(QApplication::focusWidget(), weight);
    QTRY_COMPARE(reader.asking(), 0);
}

QTEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
