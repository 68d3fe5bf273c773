#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>

#include "calc/indexcalculation.h"
#include "desktop/spanishqttexts.h"
#include "runtime/version.h"
#include "support/guitest.h"
#include "support/statustext.h"
#include "ui/bandlabels.h"
#include "ui/captionlabel.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/statusline.h"
#include "ui/widgetmessagepresenter.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QString kHeightNotNumeric = QStringLiteral("debe ingresar un Número: Ej: 100");
const auto status = statusText;

} // namespace

class TestFrmMainBehaviour : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void init();
    void cleanup();

    void shouldFollowEveryWeightKeystroke_data();
    void shouldFollowEveryWeightKeystroke();
    void shouldFollowHeightOnceWeightIsNumeric_data();
    void shouldFollowHeightOnceWeightIsNumeric();
    void shouldReadPastedNumbers_data();
    void shouldReadPastedNumbers();
    void shouldUndoTrimmedPaste_data();
    void shouldUndoTrimmedPaste();
    void shouldHoldScreenReaderEditsToFieldLimits_data();
    void shouldHoldScreenReaderEditsToFieldLimits();
    void shouldShowRefusalBeforeWritingStatus();
    void shouldTellNewestStatusOnce_data();
    void shouldTellNewestStatusOnce();
    void shouldCountPauseFromLastChange();
    void shouldKeepFramedLabelAfterRefusal();
    void shouldShowIndexOnCalcular_data();
    void shouldShowIndexOnCalcular();
    void shouldCalculateOnEnterInEitherField();
    void shouldClearFieldsWeightFirst_data();
    void shouldClearFieldsWeightFirst();
    void shouldMoveFocusAtThirdHeightCharacter_data();
    void shouldMoveFocusAtThirdHeightCharacter();
    void shouldOpenMenusWithAccessKeys();
    void shouldOpenSameAboutBoxEachTimeLoadingItAnew();
    void shouldEndProgramEachWay_data();
    void shouldEndProgramEachWay();
    void shouldReportUnexpectedErrorAndExit();
    void shouldShowRealBoxWithSpanishButton();
    void shouldPlayWholeSessionFromKeyboard();
    void shouldAnswerMegabytePastes_data();
    void shouldAnswerMegabytePastes();

private:
    QLineEdit *height() const { return child<QLineEdit>(m_window.get(), "txtAltura"); }
    QLineEdit *weight() const { return child<QLineEdit>(m_window.get(), "txtKilo"); }
    QString statusLine() const { return child<QLabel>(m_window.get(), "lKilo")->text(); }
    StatusLine *statusWidget() const { return child<StatusLine>(m_window.get(), "lKilo"); }
    QTimer *pause() const { return child<QTimer>(statusWidget(), "pause"); }
    QString framedLabel() const;

    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<frmMain> m_window;
};

void TestFrmMainBehaviour::init()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_window = std::make_unique<frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFrmMainBehaviour::cleanup()
{
    m_window.reset();
    m_messages.reset();
}

QString TestFrmMainBehaviour::framedLabel() const
{
    QStringList framed;
    for (const BandLabelPlace &place : kBandLabelPlaces) {
        if (child<CaptionLabel>(m_window.get(), place.name)->borderStyle() == 1)
            framed << QString::fromLatin1(place.name);
    }
    return framed.join(',');
}

void TestFrmMainBehaviour::shouldFollowEveryWeightKeystroke_data()
{
    // clang-format off
    QTest::addColumn<QString>("heightText");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedStatus");
    QTest::addColumn<QString>("expectedFramed");
    QTest::addColumn<int>("heightMessages");

    QTest::newRow("normal") << "170" << "70" << status("24,22", " Peso normal") << "Label20" << 0;
    QTest::newRow("rounded-band-edge") << "174" << "56" << status("18,50", " Bajo peso") << "Label18" << 0;
    QTest::newRow("lowest-band") << "206" << "70" << status("16,50", " Infrapeso") << "Label16" << 0;
    QTest::newRow("below-bands") << "167" << "46" << kBelowBands << "" << 0;
    QTest::newRow("obesity") << "156" << "73" << status("30,00", " Obesidad premorbida") << "Label30" << 0;
    QTest::newRow("morbid-no-label") << "149" << "222" << status("100,00", " Obesidad morbida") << "" << 0;
    QTest::newRow("above-hundred-named") << "50" << "100" << status("400,00", "") << "" << 0;
    QTest::newRow("float-height") << "1,1" << "2" << status("16.528,92", "") << "" << 0;
    QTest::newRow("weight-letters-silent") << "170" << "7a" << kBelowBands << "" << 0;
    QTest::newRow("empty-height-each-key") << "" << "70" << kBelowBands << "" << 2;
    QTest::newRow("letters-height-each-key") << "abc" << "70" << kBelowBands << "" << 2;
    // clang-format on
}

void TestFrmMainBehaviour::shouldFollowEveryWeightKeystroke()
{
    QFETCH(QString, heightText);
    QFETCH(QString, typed);
    QFETCH(QString, expectedStatus);
    QFETCH(QString, expectedFramed);
    QFETCH(int, heightMessages);

    height()->setText(heightText);
    weight()->setFocus();
    QTest::keyClicks(weight(), typed);
    QCOMPARE(statusLine(), expectedStatus);
    QCOMPARE(framedLabel(), expectedFramed);
    QCOMPARE(m_messages->messages.size(), heightMessages);
    for (const RecordedMessage &message : m_messages->messages)
        QCOMPARE(message, (RecordedMessage{kHeightNotNumeric, "Tarvelo"}));
}

void TestFrmMainBehaviour::shouldFollowHeightOnceWeightIsNumeric_data()
{
    // clang-format off
    QTest::addColumn<QString>("weightText");
    QTest::addColumn<QString>("typedHeight");
    QTest::addColumn<QString>("expectedStatus");
    QTest::addColumn<QString>("expectedFramed");

    QTest::newRow("typed-over") << "70" << "150" << status("31,11", " Obesidad premorbida") << "Label30";
    QTest::newRow("every-intermediate-height") << "70" << "1" << status("700.000,00", "") << "";
    QTest::newRow("zero-height-silent") << "70" << "0" << kBelowBands << "Label20";
    QTest::newRow("letters-height-silent") << "70" << "a" << kBelowBands << "Label20";
    QTest::newRow("emptied-height-silent") << "70" << "\b" << kBelowBands << "Label20";
    QTest::newRow("zero-weight-silent") << "0" << "150" << kBelowBands << "";
    QTest::newRow("weight-beyond-16-bits-silent") << "40000" << "150" << kBelowBands << "";
    // No number in the weight field: the height changes nothing.
    QTest::newRow("empty-weight-unchanged") << "" << "150" << "" << "";
    QTest::newRow("letters-weight-unchanged") << "7a" << "150" << kBelowBands << "";
    // clang-format on
}

void TestFrmMainBehaviour::shouldFollowHeightOnceWeightIsNumeric()
{
    QFETCH(QString, weightText);
    QFETCH(QString, typedHeight);
    QFETCH(QString, expectedStatus);
    QFETCH(QString, expectedFramed);

    height()->setText("170");
    weight()->setText(weightText);
    m_messages->messages.clear();
    height()->setFocus();
    height()->selectAll();
    for (const QChar c : typedHeight) {
        if (c == u'\b')
            QTest::keyClick(height(), Qt::Key_Backspace);
        else
            QTest::keyClick(height(), c.toLatin1());
    }
    QCOMPARE(statusLine(), expectedStatus);
    QCOMPARE(framedLabel(), expectedFramed);
    // A change of the height never opens a box.
    QCOMPARE(m_messages->messages, QList<RecordedMessage>());
}

void TestFrmMainBehaviour::shouldReadPastedNumbers_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedStatus");

    const QString normal = status("24,22", " Peso normal");
    const QString heavier = status("37,78", " Obesidad premorbida");
    QTest::newRow("height-cell-lf") << "txtAltura" << "170\n" << "170" << normal;
    QTest::newRow("height-cell-crlf") << "txtAltura" << "170\r\n" << "170" << normal;
    QTest::newRow("height-blank-before") << "txtAltura" << " 170" << "170" << normal;
    QTest::newRow("height-no-break-spaces") << "txtAltura" << QString::fromUtf16(u"\u00A0170\u202F") << "170" << normal;
    QTest::newRow("height-line-separator") << "txtAltura" << QString::fromUtf16(u"\u2028170\u2029") << "170" << normal;
    QTest::newRow("height-blank-inside-kept") << "txtAltura" << "1 70" << "1 7" << kBelowBands;
    QTest::newRow("height-too-long-cut") << "txtAltura" << "17055" << "170" << normal;
    QTest::newRow("weight-cell-lf") << "txtKilo" << "85\n" << "85\n" << heavier;
    QTest::newRow("weight-cell-crlf") << "txtKilo" << "85\r\n" << "85\r\n" << heavier;
    QTest::newRow("weight-no-break-space") << "txtKilo" << QString::fromUtf16(u"\u00A085")
                                           << QString::fromUtf16(u"\u00A085") << heavier;
    QTest::newRow("weight-break-inside") << "txtKilo" << "8\n5" << "8\n5" << kBelowBands;
    // clang-format on
}

void TestFrmMainBehaviour::shouldReadPastedNumbers()
{
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedStatus);

    height()->setText("150");
    weight()->setText("70");
    m_messages->messages.clear();
    auto *target = child<QLineEdit>(m_window.get(), field.toLatin1());
    QApplication::clipboard()->setText(pasted);
    target->setFocus();
    target->selectAll();
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(target->text(), expectedText);
    QCOMPARE(statusLine(), expectedStatus);
    QCOMPARE(m_messages->messages, QList<RecordedMessage>());
}

void TestFrmMainBehaviour::shouldUndoTrimmedPaste_data()
{
    // clang-format off
    QTest::addColumn<QString>("how"); // the key, the context menu, the middle button
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor"); // -1 selects the whole text; the middle button clicks at the start or the end
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("pastedText");

    QTest::newRow("cell-into-empty") << "key" << "" << 0 << "170\n" << "170";
    QTest::newRow("blanks-over-selection") << "key" << "150" << -1 << QString::fromUtf16(u"\u00A0170 ") << "170";
    QTest::newRow("cut-to-room-before-text") << "key" << "17" << 0 << "99" << "917";
    QTest::newRow("cut-to-room-after-text") << "key" << "1" << 1 << "7055" << "170";
    QTest::newRow("menu-blanks-over-selection") << "menu" << "150" << -1 << " 170\r\n" << "170";
    QTest::newRow("middle-cut-to-room-at-end") << "middle" << "1" << 1 << " 7055" << "170";
    // clang-format on
}

void TestFrmMainBehaviour::shouldUndoTrimmedPaste()
{
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, pasted);
    QFETCH(QString, pastedText);

    height()->setText(before);
    height()->setFocus();
    if (cursor < 0)
        height()->selectAll();
    else
        height()->setCursorPosition(cursor);
    if (how == "key") {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(height(), Qt::Key_V, Qt::ControlModifier);
    } else if (how == "menu") {
        QTranslator qtTexts;
        QVERIFY(installSpanishQtTexts(qtTexts));
        QApplication::clipboard()->setText(pasted);
        QContextMenuEvent opening(QContextMenuEvent::Keyboard, QPoint(2, 2), height()->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(height(), &opening);
        QPointer<QMenu> menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const auto closeMenu = qScopeGuard([&menu] {
            if (menu)
                menu->close();
        });
        const QList<QAction *> actions = menu->actions();
        const auto paste = std::find_if(actions.begin(), actions.end(),
                                        [](QAction *action) { return action->text().startsWith("&Pegar"); });
        QVERIFY2(paste != actions.end(), "the field's menu offers no \"&Pegar\"");
        (*paste)->trigger();
    } else {
        if (!QApplication::clipboard()->supportsSelection())
            QSKIP("no selection clipboard on this platform");
        QApplication::clipboard()->setText(pasted, QClipboard::Selection);
        const QRect box = height()->rect();
        QTest::mouseClick(height(), Qt::MiddleButton, {},
                          cursor == 0 ? QPoint(1, box.center().y()) : QPoint(box.right() - 1, box.center().y()));
    }
    QCOMPARE(height()->text(), pastedText);
    QTest::keyClick(height(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(height()->text(), before);
}

void TestFrmMainBehaviour::shouldHoldScreenReaderEditsToFieldLimits_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("after");
    // As typed, an edit is undone by Ctrl+Z; one the height's limit corrects
    // is not, as a paste by the mouse.
    QTest::addColumn<bool>("undoable");

    QTest::newRow("height typed") << "txtAltura" << "" << 0 << 0 << "170" << "170" << true;
    QTest::newRow("height with blanks") << "txtAltura" << "" << 0 << 0 << " 170 " << "170" << false;
    QTest::newRow("height past three") << "txtAltura" << "17" << 2 << 2 << "05" << "170" << false;
    QTest::newRow("height replaced whole") << "txtAltura" << "150" << 0 << -1 << "1705" << "170" << false;
    QTest::newRow("height deleted") << "txtAltura" << "170" << 1 << 3 << "" << "1" << true;
    QTest::newRow("weight replaced") << "txtKilo" << "70" << 0 << 2 << "85" << "85" << true;
    // clang-format on
}

void TestFrmMainBehaviour::shouldHoldScreenReaderEditsToFieldLimits()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, inserted);
    QFETCH(QString, after);
    QFETCH(bool, undoable);

    auto *edited = child<QLineEdit>(m_window.get(), field.toLatin1());
    edited->setText(before);
    QAccessibleEditableTextInterface *text = QAccessible::queryAccessibleInterface(edited)->editableTextInterface();
    QVERIFY(text);
    text->replaceText(start, end, inserted);
    QCOMPARE(edited->text(), after);
    QCOMPARE(edited->isUndoAvailable(), undoable);
    if (undoable) {
        edited->undo();
        QCOMPARE(edited->text(), before);
    }
}

void TestFrmMainBehaviour::shouldShowRefusalBeforeWritingStatus()
{
    height()->setText("170");
    weight()->setText("70");
    const QString before = statusLine();
    QStringList seenWhileOpen;
    m_messages->onPresent = [&](const QString &) {
        seenWhileOpen << statusLine() << framedLabel();
    };

    QTRY_VERIFY_WITH_TIMEOUT(!pause()->isActive(), 5000);
    QSignalSpy told(statusWidget(), &StatusLine::told);
    weight()->setText("0");
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(m_messages->messages.front().prompt, QString("Debe ingresar un peso valido, Ej: 70"));
    // While the box is open nothing has been written yet.
    QCOMPARE(seenWhileOpen, QStringList({before, "Label20"}));
    QCOMPARE(statusLine(), kBelowBands);
    // The box has said what went wrong: the line that names no result is not told.
    QTRY_VERIFY_WITH_TIMEOUT(!pause()->isActive(), 5000);
    QVERIFY2(told.isEmpty(), qPrintable(told.value(0).value(0).toString()));
    // Nor is the weight typed again: the result comes back and is told.
    weight()->setText("70");
    QTRY_COMPARE(told.size(), 1);
}

void TestFrmMainBehaviour::shouldTellNewestStatusOnce_data()
{
    // Steps: a text to show, "~" a text shown quietly, "|" the user pausing.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("told");
    // clang-format off
    QTest::newRow("one result") << QStringList{"A", "|"} << QStringList{"A"};
    QTest::newRow("changes without a pause") << QStringList{"A", "B", "C", "|"} << QStringList{"C"};
    QTest::newRow("the same text again") << QStringList{"A", "|", "A", "|", "B", "|", "B", "|"}
                                         << QStringList{"A", "B"};
    QTest::newRow("back to the text told") << QStringList{"A", "|", "B", "A", "|"} << QStringList{"A"};
    QTest::newRow("told again after an empty line") << QStringList{"A", "|", "", "|", "A", "|"}
                                                    << QStringList{"A", "A"};
    QTest::newRow("quiet text ends a pending one") << QStringList{"A", "~R", "|"} << QStringList{};
    QTest::newRow("result told again after a refusal") << QStringList{"A", "|", "~R", "|", "A", "|"}
                                                       << QStringList{"A", "A"};
    // clang-format on
}

void TestFrmMainBehaviour::shouldTellNewestStatusOnce()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, told);
    // The rules, not the length of the pause: a short one keeps the rows quick.
    pause()->setInterval(20);
    QSignalSpy spy(statusWidget(), &StatusLine::told);
    for (const QString &step : steps) {
        if (step == QLatin1String("|"))
            QTRY_VERIFY_WITH_TIMEOUT(!pause()->isActive(), 5000);
        else if (step.startsWith(QLatin1Char('~')))
            statusWidget()->setStatusQuietly(step.mid(1));
        else
            statusWidget()->setStatus(step);
    }
    QStringList heard;
    for (const QList<QVariant> &text : spy)
        heard << text.value(0).toString();
    QCOMPARE(heard, told);
}

void TestFrmMainBehaviour::shouldCountPauseFromLastChange()
{
    QSignalSpy told(statusWidget(), &StatusLine::told);
    QElapsedTimer shown;
    shown.start();
    statusWidget()->setStatus("A");
    const int whole = pause()->remainingTime();
    QCoreApplication::processEvents();
    // Unless the machine stalled for half a pause, nothing is told yet.
    if (shown.elapsed() < 250)
        QVERIFY2(told.isEmpty(), "told before the user paused");
    QTRY_VERIFY_WITH_TIMEOUT(pause()->remainingTime() < whole / 2, 5000);
    statusWidget()->setStatus("B");
    QVERIFY2(pause()->remainingTime() > whole / 2, "the pause runs from the first change, not from the last");
    QTRY_COMPARE(told.size(), 1);
    QCOMPARE(told.front().value(0).toString(), QString("B"));
}

void TestFrmMainBehaviour::shouldKeepFramedLabelAfterRefusal()
{
    height()->setText("170");
    weight()->setText("85");
    QCOMPARE(framedLabel(), QString("Label25"));
    for (const char *refused : {"0", "-3", "0,4", "40000", "abc", ""}) {
        weight()->setText(refused);
        QCOMPARE(framedLabel(), QString("Label25"));
        QCOMPARE(statusLine(), kBelowBands);
    }
    const QStringList prompts{"Debe ingresar un peso valido, Ej: 70", "Debe ingresar un peso valido, Ej: 70",
                              "Debe ingresar un peso valido, Ej: 70", "Debe ingresar un peso valido, Ej: 70"};
    QStringList seen;
    for (const RecordedMessage &message : m_messages->messages)
        seen << message.prompt;
    QCOMPARE(seen, prompts);
}

void TestFrmMainBehaviour::shouldShowIndexOnCalcular_data()
{
    // clang-format off
    QTest::addColumn<QString>("heightText");
    QTest::addColumn<QString>("weightText");
    QTest::addColumn<QString>("expectedPrompt");
    QTest::addColumn<QString>("expectedTitle");

    QTest::newRow("at-16-49-nothing") << "167" << "46" << "" << "";
    QTest::newRow("at-16-50-shown") << "206" << "70" << "16,50" << "IMC";
    QTest::newRow("typical") << "170" << "70" << "24,22" << "IMC";
    QTest::newRow("above-hundred-shown") << "50" << "100" << "400,00" << "IMC";
    QTest::newRow("non-numeric-height-only-refusal") << "abc" << "70" << kHeightNotNumeric << "Tarvelo";
    QTest::newRow("empty-weight-nothing") << "170" << "" << "" << "";
    // clang-format on
}

void TestFrmMainBehaviour::shouldShowIndexOnCalcular()
{
    QFETCH(QString, heightText);
    QFETCH(QString, weightText);
    QFETCH(QString, expectedPrompt);
    QFETCH(QString, expectedTitle);

    height()->setText(heightText);
    weight()->setText(weightText);
    const QString statusBefore = statusLine();
    m_messages->messages.clear();

    m_messages->owners.clear();
    child<QPushButton>(m_window.get(), "Command1")->click();
    QList<RecordedMessage> expected;
    if (!expectedPrompt.isEmpty())
        expected.append({expectedPrompt, expectedTitle});
    QCOMPARE(m_messages->messages, expected);
    // Over the main window, which it blocks while open.
    QCOMPARE(m_messages->owners, QList<QObject *>(expected.size(), m_window.get()));
    // Calcular never writes the status line.
    QCOMPARE(statusLine(), statusBefore);
}

void TestFrmMainBehaviour::shouldCalculateOnEnterInEitherField()
{
    height()->setText("170");
    weight()->setText("70");
    m_messages->messages.clear();
    for (QLineEdit *field : {height(), weight()}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
    }
    QCOMPARE(m_messages->messages, (QList<RecordedMessage>{{"24,22", "IMC"}, {"24,22", "IMC"}}));
    QTest::keyClick(child<QPushButton>(m_window.get(), "Command1"), Qt::Key_Enter);
    QCOMPARE(m_messages->messages.size(), 3);
    // Drawn and told as the button Enter clicks.
    auto *calcular = child<QPushButton>(m_window.get(), "Command1");
    QVERIFY2(calcular->isDefault(), "Calcular is not the default button");
    QVERIFY2(QAccessible::queryAccessibleInterface(calcular)->state().defaultButton,
             "Calcular is not told as the default button");
}

void TestFrmMainBehaviour::shouldClearFieldsWeightFirst_data()
{
    // clang-format off
    QTest::addColumn<QString>("heightText");
    QTest::addColumn<QString>("weightText");
    QTest::addColumn<int>("heightMessages");
    QTest::addColumn<QString>("expectedStatus");
    QTest::addColumn<QString>("expectedFramed");

    QTest::newRow("numeric-height-and-weight") << "170" << "70" << 0 << kBelowBands << "Label20";
    QTest::newRow("empty-height-and-weight") << "" << "70" << 1 << kBelowBands << "";
    QTest::newRow("both-empty-nothing") << "" << "" << 0 << "" << "";
    // clang-format on
}

void TestFrmMainBehaviour::shouldClearFieldsWeightFirst()
{
    QFETCH(QString, heightText);
    QFETCH(QString, weightText);
    QFETCH(int, heightMessages);
    QFETCH(QString, expectedStatus);
    QFETCH(QString, expectedFramed);

    height()->setText(heightText);
    weight()->setText(weightText);
    m_messages->messages.clear();
    if (heightText.isEmpty() && !weightText.isEmpty())
        child<QLabel>(m_window.get(), "lKilo")->clear();

    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(height()->text(), QString());
    QCOMPARE(weight()->text(), QString());
    QCOMPARE(m_messages->messages.size(), heightMessages);
    if (heightMessages)
        QCOMPARE(m_messages->messages.front().prompt, kHeightNotNumeric);
    QCOMPARE(statusLine(), expectedStatus);
    QCOMPARE(framedLabel(), expectedFramed);
}

void TestFrmMainBehaviour::shouldMoveFocusAtThirdHeightCharacter_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("focused");
    QTest::newRow("two-digits-stay") << "17" << "txtAltura";
    QTest::newRow("three-digits-move") << "170" << "txtKilo";
    QTest::newRow("content-not-examined") << "1,7" << "txtKilo";
    QTest::newRow("retyped-third-moves-again") << "170\b0" << "txtKilo";
    // clang-format on
}

void TestFrmMainBehaviour::shouldMoveFocusAtThirdHeightCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QString, focused);
    height()->setFocus();
    for (const QChar c : typed) {
        QWidget *target = QApplication::focusWidget();
        if (c == u'\b') {
            height()->setFocus();
            QTest::keyClick(height(), Qt::Key_Backspace);
            QCOMPARE(QApplication::focusWidget(), height());
        } else {
            QTest::keyClick(target, c.toLatin1());
        }
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestFrmMainBehaviour::shouldOpenMenusWithAccessKeys()
{
    auto *file = child<QMenu>(m_window.get(), "mnuFile");
    QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    // Escape closes the menu, not the program.
    QTest::keyClick(file, Qt::Key_Escape);
    QTRY_VERIFY(!file->isVisible());
    QVERIFY(m_window->isVisible());

    auto *help = child<QMenu>(m_window.get(), "mnuHelp");
    QTest::keyClick(m_window.get(), Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(help->isVisible());
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(!help->isVisible());
    QVERIFY(m_window->isVisible());
}

void TestFrmMainBehaviour::shouldOpenSameAboutBoxEachTimeLoadingItAnew()
{
    QVERIFY(!m_window->aboutBox());
    QStringList versions;
    QList<frmAbout *> boxes;
    bool blocked = true;
    const auto inspectAndClose = [&] {
        return whenModal<frmAbout>(this, [&](frmAbout *box) {
            boxes << box;
            versions << child<QLabel>(box, "lblVersion")->text();
            blocked = blocked && QApplication::activeModalWidget() == box;
            child<QPushButton>(box, "cmdOK")->click();
        });
    };
    {
        const auto wait = inspectAndClose();
        m_window->mnuHelpAbout_Click();
    }
    {
        ScopedVersionOverride version({2, 10, 7});
        const auto wait = inspectAndClose();
        child<QAction>(m_window.get(), "mnuHelpAbout")->trigger();
    }
    QCOMPARE(versions, QStringList({QStringLiteral("Versión 1.0.0"), QStringLiteral("Versión 2.10.7")}));
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0], boxes[1]);
    QCOMPARE(m_window->findChildren<frmAbout *>().size(), 1);
    QVERIFY(blocked);
    QVERIFY(!boxes[0]->isVisible());
    QVERIFY(m_window->isVisible());
}

void TestFrmMainBehaviour::shouldEndProgramEachWay_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("escape-in-height") << "escape-height";
    QTest::newRow("escape-on-calcular") << "escape-button";
    QTest::newRow("cancel-button") << "cancel";
    QTest::newRow("enter-on-focused-cancel") << "enter-cancel";
    QTest::newRow("salir") << "salir";
    QTest::newRow("close-box") << "close";
}

void TestFrmMainBehaviour::shouldEndProgramEachWay()
{
    QFETCH(QString, way);
    height()->setText("170");
    weight()->setText("70");
    m_messages->messages.clear();
    // The program ends when its event loop does: run one and act inside it.
    QTimer::singleShot(0, this, [&] {
        auto *cancel = child<QPushButton>(m_window.get(), "Command2");
        if (way == "escape-height") {
            QTest::keyClick(height(), Qt::Key_Escape);
        } else if (way == "escape-button") {
            auto *calcular = child<QPushButton>(m_window.get(), "Command1");
            calcular->setFocus();
            QTest::keyClick(calcular, Qt::Key_Escape);
        } else if (way == "cancel") {
            cancel->click();
        } else if (way == "enter-cancel") {
            cancel->setFocus();
            QTest::keyClick(cancel, Qt::Key_Return);
        } else if (way == "salir") {
            child<QAction>(m_window.get(), "mnuFileExit")->trigger();
        } else {
            m_window->close();
        }
        // Every way closes the window at once: one that did not fails now.
        if (m_window->isVisible())
            QApplication::exit(99);
    });
    // Last resort, for a window that closed without ending the program.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] { QApplication::exit(98); });
    guard.start(2000);
    const int status = QApplication::exec();
    QVERIFY2(status != 99, "the window is still open");
    QVERIFY2(status != 98, "the window closed, but the program did not end");
    QCOMPARE(status, 0);
    QVERIFY(!m_window->isVisible());
    // No question, no box.
    QVERIFY(m_messages->messages.isEmpty());
}

void TestFrmMainBehaviour::shouldReportUnexpectedErrorAndExit()
{
    ExitRecorder exits;
    // A box that fails to open stands in for any unexpected fault in a handler.
    m_messages->onPresent = [&](const QString &prompt) {
        if (!prompt.startsWith("Se produjo"))
            throw std::runtime_error("fallo inyectado");
    };
    height()->setText("abc");
    weight()->setText("70");
    // A second fault after the report is not reported again.
    weight()->setText("71");
    QCOMPARE(exits.codes, QList<int>({kUntrappedErrorExitCode}));
    QCOMPARE(m_messages->messages.size(), 3);
    const RecordedMessage report = m_messages->messages.at(1);
    QCOMPARE(report.title, QString("Tarvelo"));
    QCOMPARE(report.prompt,
             QStringLiteral("Se produjo un error inesperado y el programa se cerrará.\n\nDetalle: fallo inyectado"));
}

void TestFrmMainBehaviour::shouldShowRealBoxWithSpanishButton()
{
    QTranslator qtTexts;
    QVERIFY(installSpanishQtTexts(qtTexts));
    WidgetMessagePresenter real;
    ScopedMessagePresenter scope(real);
    QString title, text, button, spokenTitle, spokenText;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QWidget *owner = nullptr;
    QSize size;
    const auto wait = whenModal<QMessageBox>(this, [&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        owner = box->parentWidget();
        size = box->size();
        buttons = box->buttons().size();
        button = box->buttons().value(0)->text();
        const QAccessibleInterface *alert = QAccessible::queryAccessibleInterface(box);
        spokenTitle = alert->text(QAccessible::Name);
        spokenText = alert->text(QAccessible::Description);
    });
    height()->setText("");
    weight()->setText("7");
    QCOMPARE(title, QString("Tarvelo"));
    QCOMPARE(text, kHeightNotNumeric);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(owner, m_window.get());
    QVERIFY2(size.width() >= kMessageBoxMinimumWidth, qPrintable(QString::number(size.width())));
    QCOMPARE(buttons, 1);
    QCOMPARE(button, QString("Aceptar"));
    // What a screen reader reads of the box (Orca 43 reads its labels).
    QCOMPARE(spokenTitle, title);
    QCOMPARE(spokenText, QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) ? text : QString());
    QCOMPARE(statusLine(), kBelowBands);
}

void TestFrmMainBehaviour::shouldPlayWholeSessionFromKeyboard()
{
    ModalWatchdog watchdog;
    QTest::keyClicks(QApplication::focusWidget(), "170");
    QCOMPARE(QApplication::focusWidget(), weight());
    QTest::keyClicks(QApplication::focusWidget(), "70");
    QCOMPARE(statusLine(), status("24,22", " Peso normal"));
    QCOMPARE(framedLabel(), QString("Label20"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_messages->messages.last(), (RecordedMessage{"24,22", "IMC"}));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "95");
    QCOMPARE(statusLine(), status("32,87", " Obesidad premorbida"));
    QCOMPARE(framedLabel(), QString("Label30"));

    bool aboutBoxShown = false;
    const auto wait = whenModal<frmAbout>(this, [&](frmAbout *box) {
        aboutBoxShown = true;
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
    });
    QTest::keyClick(m_window.get(), Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(child<QMenu>(m_window.get(), "mnuHelp")->isVisible());
    QTest::keyClick(child<QMenu>(m_window.get(), "mnuHelp"), Qt::Key_A);
    QVERIFY(aboutBoxShown);
    QVERIFY(m_window->aboutBox());
    QVERIFY(!m_window->aboutBox()->isVisible());
    // Offscreen has no window manager to hand activation back.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(height()->text(), QString());
    QCOMPARE(weight()->text(), QString());
    QCOMPARE(statusLine(), kBelowBands);
    QCOMPARE(m_messages->messages.size(), 1);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(watchdog.strays, 0);
}

void TestFrmMainBehaviour::shouldAnswerMegabytePastes_data()
{
    QTest::addColumn<QChar>("filler");
    QTest::addColumn<QString>("expectedPrompt");
    QTest::newRow("digits-refused-with-box") << QChar('7') << QString("Debe ingresar un peso valido, Ej: 70");
    QTest::newRow("letters-refused-silently") << QChar('x') << QString();
}

void TestFrmMainBehaviour::shouldAnswerMegabytePastes()
{
    QFETCH(QChar, filler);
    QFETCH(QString, expectedPrompt);
    height()->setText("170");
    weight()->setText("70");
    m_messages->messages.clear();

    QApplication::clipboard()->setText(QString(1 << 20, filler));
    weight()->selectAll();
    QTest::keyClick(weight(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(weight()->text().size(), 1 << 20);
    QCOMPARE(m_messages->messages.size(), expectedPrompt.isEmpty() ? 0 : 1);
    if (!expectedPrompt.isEmpty())
        QCOMPARE(m_messages->messages.front().prompt, expectedPrompt);
    QCOMPARE(statusLine(), kBelowBands);
    QCOMPARE(framedLabel(), QString("Label20"));

    // Still answering: one more key is read and refused the same way.
    QTest::keyClick(weight(), Qt::Key_End);
    QTest::keyClick(weight(), Qt::Key_5);
    QCOMPARE(weight()->text().size(), (1 << 20) + 1);
    QCOMPARE(m_messages->messages.size(), expectedPrompt.isEmpty() ? 0 : 2);
}

QTEST_MAIN(TestFrmMainBehaviour)
#include "tst_frmmain_behaviour.moc"
