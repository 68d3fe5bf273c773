#include <QTest>

#include "runtime/messagebox.h"
#include "runtime/numbers.h"
#include "runtime/version.h"
#include "support/messagerecorder.h"

using namespace tarvelo;
using tarvelo::testing::MessageRecorder;
using tarvelo::testing::RecordedMessage;

class TestRuntimeServices : public QObject {
    Q_OBJECT

private slots:
    void shouldTitleBoxesWithProgramByDefault();
    void shouldRestorePreviousPresenter();
    void shouldLetTestsReplaceVersion();
};

void TestRuntimeServices::shouldTitleBoxesWithProgramByDefault()
{
    MessageRecorder recorder;
    showMessage(nullptr, "hola");
    showMessage(nullptr, "24,22", "IMC");
    const QList<RecordedMessage> expected{{"hola", "Tarvelo"}, {"24,22", "IMC"}};
    QCOMPARE(recorder.messages, expected);
}

void TestRuntimeServices::shouldRestorePreviousPresenter()
{
    MessageRecorder outer;
    {
        MessageRecorder inner;
        showMessage(nullptr, "dentro");
        QCOMPARE(inner.messages.size(), 1);
    }
    showMessage(nullptr, "fuera");
    QCOMPARE(outer.messages.size(), 1);
    QCOMPARE(outer.messages.front().prompt, QString("fuera"));
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
