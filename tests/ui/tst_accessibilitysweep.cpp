// Every question a screen reader can ask, asked of every object the program
// shows on the accessibility bus, in a few states of its windows. The client
// asks from a thread of its own, so that a question the program never
// answers (its thread frozen) fails the test, naming the object and the
// question, instead of hanging it.

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QThread>

#include "support/guitest.h"
#include "ui/frmmain.h"
#include "ui/widgetmessagepresenter.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Long past any answer of a program that is still running (a few ms): only a
// frozen one misses it.
constexpr int kDeadlineMs = 10000;

struct Node {
    QString service;
    QString path;
};

QList<Node> readNodes(const QVariant &reply)
{
    QList<Node> nodes;
    const QDBusArgument argument = reply.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        Node node;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> node.service >> path;
        argument.endStructure();
        node.path = path.path();
        nodes.append(node);
    }
    argument.endArray();
    return nodes;
}

// The screen reader: walks the program's tree from the registry and asks each
// object every question of each interface it has.
class Sweep : public QThread {
public:
    explicit Sweep(QString address) : m_address(std::move(address)) { }

    int asked = 0;
    int objects = 0;
    qint64 slowestMs = 0;
    QString slowest;
    QString fault;

protected:
    void run() override
    {
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("sweep"));
        m_bus = &bus;
        const QDBusMessage apps
            = ask({QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")},
                  kAccessible, QStringLiteral("GetChildren"));
        if (fault.isEmpty() && apps.type() != QDBusMessage::ReplyMessage)
            fault = QStringLiteral("the registry lists no program: ") + apps.errorMessage();
        QSet<QString> seen;
        for (const Node &app : fault.isEmpty() ? readNodes(apps.arguments().value(0)) : QList<Node>())
            walk(app, seen);
        m_bus = nullptr;
        QDBusConnection::disconnectFromBus(QStringLiteral("sweep"));
    }

private:
    static inline const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
    static constexpr int kShowing = 25;

    // One question; a call that gets no answer ends the walk.
    QDBusMessage ask(const Node &node, const QString &interface, const QString &method,
                     const QVariantList &arguments = {})
    {
        if (!fault.isEmpty())
            return {};
        QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path, interface, method);
        call.setArguments(arguments);
        QElapsedTimer clock;
        clock.start();
        const QDBusMessage reply = m_bus->call(call, QDBus::Block, kDeadlineMs);
        const qint64 took = clock.elapsed();
        ++asked;
        QStringList shown;
        for (const QVariant &argument : arguments)
            shown << argument.toString();
        const QString question = node.path + QLatin1Char(' ') + interface.section(QLatin1Char('.'), -1)
            + QLatin1Char('.') + method + QLatin1Char('(') + shown.join(QLatin1Char(',')) + QLatin1Char(')');
        if (took > slowestMs) {
            slowestMs = took;
            slowest = question;
        }
        // The program's thread is stuck in the question: only this one can
        // still tell which it was.
        if (reply.type() == QDBusMessage::ErrorMessage
            && (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply")
                || reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.Timeout")))
            qFatal("No answer within %d ms: %s (the object named \"%s\")", kDeadlineMs, qPrintable(question),
                   qPrintable(m_name));
        return reply;
    }

    QVariant property(const Node &node, const QString &interface, const QString &name)
    {
        const QDBusMessage reply
            = ask(node, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {interface, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    void walk(const Node &node, QSet<QString> &seen)
    {
        if (!fault.isEmpty() || seen.contains(node.path) || node.path.endsWith(QLatin1String("/null")))
            return;
        seen.insert(node.path);
        ++objects;
        m_name = property(node, kAccessible, QStringLiteral("Name")).toString();
        const QStringList interfaces
            = ask(node, kAccessible, QStringLiteral("GetInterfaces")).arguments().value(0).toStringList();
        for (const char *method : {"GetRole", "GetLocalizedRoleName", "GetAttributes", "GetRelationSet",
                                   "GetIndexInParent", "GetApplication"})
            ask(node, kAccessible, QString::fromLatin1(method));
        // A label on screen with nothing to read is offered as an object
        // without a name.
        const QString role = ask(node, kAccessible, QStringLiteral("GetRoleName")).arguments().value(0).toString();
        const QDBusArgument states
            = ask(node, kAccessible, QStringLiteral("GetState")).arguments().value(0).value<QDBusArgument>();
        QList<uint> state;
        states >> state;
        const bool showing = state.value(0) & (1u << kShowing);
        if (role == QLatin1String("label") && showing && m_name.isEmpty())
            fault = QStringLiteral("a label on screen without a name: ") + node.path;
        for (const char *name : {"Description", "Parent", "ChildCount"})
            property(node, kAccessible, QString::fromLatin1(name));
        for (const QString &interface : interfaces)
            askOf(node, interface);
        for (const Node &child : readNodes(ask(node, kAccessible, QStringLiteral("GetChildren")).arguments().value(0)))
            walk(child, seen);
    }

    void askOf(const Node &node, const QString &interface)
    {
        const QString name = interface.section(QLatin1Char('.'), -1);
        const auto askEach = [&](std::initializer_list<const char *> methods, const QVariantList &arguments = {}) {
            for (const char *method : methods)
                ask(node, interface, QString::fromLatin1(method), arguments);
        };
        if (name == QLatin1String("Text")) {
            const int length = property(node, interface, QStringLiteral("CharacterCount")).toInt();
            property(node, interface, QStringLiteral("CaretOffset"));
            askEach({"GetNSelections", "GetDefaultAttributes"});
            askEach({"GetSelection", "RemoveSelection"}, {0});
            askEach({"GetText"}, {0, -1});
            askEach({"GetRangeExtents"}, {0, length, 0u});
            for (int offset = -1; offset <= length + 1; ++offset) {
                // Character, word start and end, sentence start and end, line start and end.
                for (uint boundary = 0; boundary <= 6; ++boundary)
                    askEach({"GetTextAtOffset", "GetTextBeforeOffset", "GetTextAfterOffset"}, {offset, boundary});
                for (uint granularity = 0; granularity <= 4; ++granularity)
                    askEach({"GetStringAtOffset"}, {offset, granularity});
                askEach({"GetCharacterAtOffset", "GetAttributes", "GetDefaultAttributes"}, {offset});
                askEach({"GetAttributeRun"}, {offset, true});
                askEach({"GetCharacterExtents"}, {offset, 0u});
                askEach({"GetText"}, {offset, length});
            }
            askEach({"GetOffsetAtPoint"}, {0, 0, 0u});
            askEach({"SetSelection"}, {0, 0, length});
            askEach({"AddSelection"}, {0, length});
            askEach({"SetCaretOffset"}, {length});
        } else if (name == QLatin1String("EditableText")) {
            // Edits that leave the text as it was: the windows stay in the
            // state being swept.
            const int length
                = property(node, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("CharacterCount")).toInt();
            askEach({"InsertText"}, {length, QString(), 0});
            askEach({"DeleteText"}, {length, length});
            askEach({"CopyText"}, {0, length});
        } else if (name == QLatin1String("Action")) {
            const int actions = property(node, interface, QStringLiteral("NActions")).toInt();
            askEach({"GetActions"});
            for (int action = -1; action <= actions; ++action)
                askEach({"GetName", "GetLocalizedName", "GetDescription", "GetKeyBinding"}, {action});
        } else if (name == QLatin1String("Component")) {
            askEach({"GetExtents", "GetPosition"}, {0u});
            askEach({"GetSize", "GetLayer", "GetMDIZOrder", "GetAlpha"});
            askEach({"Contains"}, {0, 0, 0u});
            askEach({"GetAccessibleAtPoint"}, {1, 1, 1u});
        } else if (name == QLatin1String("Value")) {
            for (const char *value : {"CurrentValue", "MinimumValue", "MaximumValue", "MinimumIncrement"})
                property(node, interface, QString::fromLatin1(value));
        } else if (name == QLatin1String("Image")) {
            askEach({"GetImageExtents", "GetImagePosition"}, {0u});
            askEach({"GetImageSize"});
        } else if (name == QLatin1String("Selection")) {
            askEach({"GetSelectedChild", "IsChildSelected"}, {0});
        }
    }

    QString m_address;
    QDBusConnection *m_bus = nullptr;
    QString m_name;
};

} // namespace

class TestAccessibilitySweep : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shouldAnswerEveryQuestion_data();
    void shouldAnswerEveryQuestion();

private:
    // Sweeps what is on the bus now, the program's event loop running; what
    // went wrong, if anything.
    QString sweep();

    QString m_address;
};

void TestAccessibilitySweep::initTestCase()
{
    prepareGuiTest();
    const QDBusMessage address = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    QVERIFY2(address.type() == QDBusMessage::ReplyMessage, qPrintable(address.errorMessage()));
    m_address = address.arguments().value(0).toString();
}

QString TestAccessibilitySweep::sweep()
{
    Sweep client(m_address);
    QEventLoop loop;
    connect(&client, &QThread::finished, &loop, &QEventLoop::quit);
    client.start();
    loop.exec();
    if (!client.fault.isEmpty())
        return client.fault;
    // The main window's menus, fields, labels and buttons at the least.
    if (client.objects < 20)
        return QStringLiteral("only %1 objects on the bus").arg(client.objects);
    qInfo("%d objects, %d questions; the slowest answer took %lld ms: %s", client.objects, client.asked,
          client.slowestMs, qPrintable(client.slowest));
    return QString();
}

void TestAccessibilitySweep::shouldAnswerEveryQuestion_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("box");
    // clang-format off
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("170 and 70") << "170" << "70" << "";
    QTest::newRow("letters") << "abc" << "" << "";
    QTest::newRow("about box") << "170" << "70" << "about";
    QTest::newRow("refusal box") << "170" << "0" << "refusal";
    // clang-format on
}

void TestAccessibilitySweep::shouldAnswerEveryQuestion()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, box);
    WidgetMessagePresenter boxes;
    const ScopedMessagePresenter realBoxes(boxes);
    frmMain window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The bridge turns on once the accessibility bus has answered.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 5000);
    window.findChild<QLineEdit *>("txtAltura")->setText(height);
    QString fault = QStringLiteral("never swept");
    const auto whileOpen = [&](QWidget *) {
        fault = sweep();
    };
    if (box == QLatin1String("about")) {
        const auto wait = whenModal<frmAbout>(this, whileOpen);
        window.mnuHelpAbout_Click();
    } else if (box == QLatin1String("refusal")) {
        const auto wait = whenModal<QMessageBox>(this, whileOpen);
        window.findChild<QLineEdit *>("txtKilo")->setText(weight);
    } else {
        window.findChild<QLineEdit *>("txtKilo")->setText(weight);
        whileOpen(&window);
    }
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestAccessibilitySweep)
#include "tst_accessibilitysweep.moc"
