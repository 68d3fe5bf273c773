#include "runtime/messagebox.h"
#include "runtime/numbers.h"
#include "runtime/version.h"
#include "support/messagerecorder.h"

#include <QTest>

using namespace tarvelo;
using tarvelo::testing::MessageRecorder;
using tarvelo::testing::RecordedMessage;

class TestRuntimeServices : public QObject {
    Q_OBJECT

private slots:
    void shouldTitleBoxesWithProgramByDefault();
    void shouldRestorePreviousPresenter();
    void shouldReportBuiltVersion();
    void shouldLetTestsReplaceVersion();
};

void TestRuntimeServices::shouldTitleBoxesWithProgramByDefault()
{
    MessageRecorder recorder;
    showMessage("hola");
    showMessage("24,22", "IMC");
    const QList<RecordedMessage> expected{{"hola", "Tarvelo"}, {"24,22", "IMC"}};
    QCOMPARE(recorder.messages, expected);
}

void TestRuntimeServices::shouldRestorePreviousPresenter()
{
    MessageRecorder outer;
    {
        MessageRecorder inner;
        showMessage("dentro");
        QCOMPARE(inner.messages.size(), 1);
    }
    showMessage("fuera");
    QCOMPARE(outer.messages.size(), 1);
    QCOMPARE(outer.messages.front().prompt, QString("fuera"));
}

void TestRuntimeServices::shouldReportBuiltVersion()
{
    // The build's project(VERSION) is 1.0.0.
    const VersionNumbers version = programVersion();
    QCOMPARE(version.major, std::int16_t(1));
    QCOMPARE(version.minor, std::int16_t(0));
    QCOMPARE(version.revision, std::int16_t(0));
}

void TestRuntimeServices::shouldLetTestsReplaceVersion()
{
    {
        ScopedVersionOverride version({2, 10, 7});
        QCOMPARE(programVersion().minor, std::int16_t(10));
        QCOMPARE(integerToText(programVersion().revision), QString("7"));
    }
    QCOMPARE(programVersion().minor, std::int16_t(0));
}

QTEST_GUILESS_MAIN(TestRuntimeServices)
#include "tst_runtimeservices.moc"
