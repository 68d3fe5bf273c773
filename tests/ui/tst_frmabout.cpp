#include <QAccessible>
#include <QLabel>
#include <QPushButton>

#include "desktop/readablecolours.h"
#include "runtime/version.h"
#include "support/guitest.h"
#include "ui/captionlabel.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/programimages.h"

using namespace tarvelo;
using namespace tarvelo::testing;

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void init();
    void cleanup();

    void shouldPlaceControls_data();
    void shouldPlaceControls();
    void shouldShowExactTexts_data();
    void shouldShowExactTexts();
    void shouldBeFixedDialogOverOwner();
    void shouldOverlapNothing();
    void shouldNameEveryControlAndPicture();
    void shouldDrawEngravedRule_data();
    void shouldDrawEngravedRule();
    void shouldDrawEveryTextWhole();
    void shouldStayReadableInDarkPalette();
    void shouldShowProgramIcon();
    void shouldBuildVersionLineOnLoad_data();
    void shouldBuildVersionLineOnLoad();
    void shouldCloseEachWay_data();
    void shouldCloseEachWay();
    void shouldIgnoreClickOnAddress();

private:
    // Opens the box modally and runs `whileOpen` inside its event loop; the
    // box is closed afterwards whatever happened.
    void openAbout(const std::function<void(frmAbout *)> &whileOpen);

    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<frmMain> m_owner;
    frmAbout *m_about = nullptr;
};

void TestFrmAbout::init()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_owner = std::make_unique<frmMain>();
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    m_about = new frmAbout(m_owner.get());
}

void TestFrmAbout::cleanup()
{
    m_owner.reset();
    m_messages.reset();
}

void TestFrmAbout::openAbout(const std::function<void(frmAbout *)> &whileOpen)
{
    const auto wait = whenModal<frmAbout>(this, whileOpen);
    m_about->showModal();
}

void TestFrmAbout::shouldPlaceControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 32, 32);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(283, 175, 98, 23);
    QTest::newRow("lblDescription") << "lblDescription" << QRect(70, 75, 273, 78);
    QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 207, 32);
    QTest::newRow("lblVersion") << "lblVersion" << QRect(70, 52, 89, 15);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(17, 175, 258, 55);
}

void TestFrmAbout::shouldPlaceControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(child<QWidget>(m_about, name.toLatin1())->geometry(), geometry);
}

void TestFrmAbout::shouldShowExactTexts_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("cmdOK") << "cmdOK" << "Aceptar";
    QTest::newRow("lblTitle") << "lblTitle" << "Calculadora del Indice de Masa Corporal por Velmarro";
    QTest::newRow("lblDescription") << "lblDescription"
        << QString::fromUtf8("Esta aplicación calcula el Índice de Masa Corporal que puede ayudar a "
                             "determinar si una persona tiene sobrepeso, basado en los valores de la OMS.");
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << "";
    // clang-format on
}

void TestFrmAbout::shouldShowExactTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(child<QObject>(m_about, name.toLatin1())->property("text").toString(), text);
}

void TestFrmAbout::shouldBeFixedDialogOverOwner()
{
    QCOMPARE(m_about->windowTitle(), QString("Acerca de Tarvelo"));
    QCOMPARE(m_about->size(), QSize(391, 242));
    QCOMPARE(m_about->minimumSize(), m_about->maximumSize());
    const Qt::WindowFlags flags = m_about->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Owned, so the window manager gives it no task-bar entry of its own.
    QCOMPARE(m_about->parentWidget(), m_owner.get());
    // No icon of its own.
    QVERIFY(!m_about->testAttribute(Qt::WA_SetWindowIcon));

    QPoint offset;
    QWidget *focused = nullptr;
    bool modal = false;
    const auto inspect = [&](frmAbout *box) {
        offset = box->frameGeometry().center() - m_owner->frameGeometry().center();
        focused = QApplication::focusWidget();
        modal = QApplication::activeModalWidget() == box;
        box->move(box->pos() + QPoint(40, 40));
    };
    for (int opening = 0; opening < 2; ++opening) {
        // Over the main window wherever it is, not over the screen's centre:
        // moved as far as the box still fits round the window's centre.
        if (opening == 1) {
            const QSize spare = m_owner->screen()->availableGeometry().size() - m_about->size();
            m_owner->move(m_owner->pos() - QPoint(std::max(0, spare.width() / 4), std::max(0, spare.height() / 4)));
        }
        openAbout(inspect);
        QVERIFY2(offset.manhattanLength() <= 2, "not centred over the main window");
        QCOMPARE(focused, child<QWidget>(m_about, "cmdOK"));
        QVERIFY(modal);
    }
}

void TestFrmAbout::shouldOverlapNothing()
{
    openAbout([](frmAbout *box) {
        const QList<QWidget *> controls = box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 7);
        for (const QWidget *a : controls) {
            QVERIFY2(box->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (const QWidget *b : controls) {
                if (a != b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " / " + b->objectName()));
            }
        }
        // The address sits on the version line, blue, plain text on one line.
        const auto *address = child<CaptionLabel>(box, "Label1");
        QCOMPARE(address->pos(), QPoint(164, 52));
        QVERIFY(address->width() >= address->sizeHint().width() && address->height() >= address->sizeHint().height());
        QCOMPARE(address->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(address->textFormat(), Qt::PlainText);
        QVERIFY(!address->wordWrap());
        QVERIFY(!address->openExternalLinks());
        QVERIFY(address->text().endsWith(".example"));
    });
}

void TestFrmAbout::shouldNameEveryControlAndPicture()
{
    m_about->Form_Load();
    // What a user can reach, and every picture.
    for (QWidget *widget : m_about->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<QLabel *>(widget);
        if (widget->focusPolicy() == Qt::NoFocus && !(label && !label->pixmap().isNull()))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
    }
}

void TestFrmAbout::shouldDrawEngravedRule_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QColor>("shadow");
    QTest::addColumn<QColor>("highlight");
    const QPalette light(QColor(240, 240, 240));
    QTest::newRow("light-grey-and-white") << light << QColor(128, 128, 128) << QColor(Qt::white);
    QPalette dark(QColor(60, 60, 60), QColor(50, 50, 50));
    dark.setColor(QPalette::Dark, QColor(25, 25, 25));
    dark.setColor(QPalette::Light, QColor(80, 80, 80));
    QTest::newRow("dark-from-roles") << dark << QColor(25, 25, 25) << QColor(80, 80, 80);
}

void TestFrmAbout::shouldDrawEngravedRule()
{
    QFETCH(QPalette, palette);
    QFETCH(QColor, shadow);
    QFETCH(QColor, highlight);
    if (m_about->devicePixelRatioF() != 1.0)
        QSKIP("pixel-exact at 1x only");
    m_about->setPalette(palette);
    const QImage image = m_about->grab().toImage();
    for (const int x : {15, 100, 377}) {
        QCOMPARE(QColor(image.pixel(x, 162)), shadow);
    }
    for (const int x : {16, 100, 377}) {
        QCOMPARE(QColor(image.pixel(x, 163)), highlight);
        QCOMPARE(QColor(image.pixel(x, 164)), highlight);
    }
    QVERIFY(QColor(image.pixel(14, 162)) != shadow);
    QVERIFY(QColor(image.pixel(100, 165)) != highlight);
}

void TestFrmAbout::shouldDrawEveryTextWhole()
{
    m_about->Form_Load();
    for (QLabel *label : m_about->findChildren<QLabel *>()) {
        if (label->pixmap().isNull() && !label->text().isEmpty())
            QVERIFY2(drawsTextWhole(label), qPrintable(label->objectName()));
    }
}

void TestFrmAbout::shouldStayReadableInDarkPalette()
{
    QPalette dark = m_about->palette();
    dark.setColor(QPalette::Window, QColor(50, 50, 50));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
    m_about->setPalette(dark);
    const QColor address = child<QLabel>(m_about, "Label1")->palette().color(QPalette::WindowText);
    QVERIFY2(contrastRatio(address, QColor(50, 50, 50)) >= 4.5, qPrintable(address.name()));
    QVERIFY(address.blue() > address.red());
    for (const char *name : {"lblTitle", "lblDescription", "lblDisclaimer"})
        QCOMPARE(child<QLabel>(m_about, name)->palette().color(QPalette::WindowText), QColor(238, 238, 238));

    m_about->setPalette(QPalette(QColor(240, 240, 240)));
    QCOMPARE(child<QLabel>(m_about, "Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(child<QLabel>(m_about, "lblTitle")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

void TestFrmAbout::shouldShowProgramIcon()
{
    const auto *icon = child<QLabel>(m_about, "picIcon");
    QCOMPARE(icon->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(icon->pixmap().toImage(), programIcon(m_about->devicePixelRatioF()).toImage());
    QVERIFY(!icon->pixmap().hasAlphaChannel());
}

void TestFrmAbout::shouldBuildVersionLineOnLoad_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("line");
    QTest::newRow("program-1-0-0") << 1 << 0 << 0 << QStringLiteral("Versión 1.0.0");
    QTest::newRow("no-leading-zeros") << 2 << 10 << 7 << QStringLiteral("Versión 2.10.7");
    QTest::newRow("largest") << 32767 << 32767 << 32767 << QStringLiteral("Versión 32767.32767.32767");
}

void TestFrmAbout::shouldBuildVersionLineOnLoad()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, line);
    ScopedVersionOverride version({std::int16_t(major), std::int16_t(minor), std::int16_t(revision)});
    QString shown;
    openAbout([&](frmAbout *box) { shown = child<QLabel>(box, "lblVersion")->text(); });
    QCOMPARE(shown, line);
}

void TestFrmAbout::shouldCloseEachWay_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("aceptar") << "click";
    QTest::newRow("enter") << "enter";
    QTest::newRow("escape") << "escape";
    QTest::newRow("close-box") << "close";
}

void TestFrmAbout::shouldCloseEachWay()
{
    QFETCH(QString, way);
    bool closed = false;
    openAbout([&](frmAbout *box) {
        auto *ok = child<QPushButton>(box, "cmdOK");
        if (way == "click")
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (way == "enter")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (way == "escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            box->close();
        closed = !box->isVisible();
    });
    QVERIFY(closed);
    QVERIFY(m_owner->isVisible());
    QVERIFY(m_messages->messages.isEmpty());
}

void TestFrmAbout::shouldIgnoreClickOnAddress()
{
    bool stillOpen = false;
    openAbout([&](frmAbout *box) {
        auto *address = child<QLabel>(box, "Label1");
        QTest::mouseClick(address, Qt::LeftButton);
        stillOpen = box->isVisible() && address->cursor().shape() == Qt::ArrowCursor;
    });
    QVERIFY(stillOpen);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
