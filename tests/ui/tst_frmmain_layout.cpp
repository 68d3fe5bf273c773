#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "desktop/readablecolours.h"
#include "support/guitest.h"
#include "ui/bandlabels.h"
#include "ui/captionlabel.h"
#include "ui/frmmain.h"
#include "ui/twips.h"

using namespace tarvelo;
using namespace tarvelo::testing;

class TestFrmMainLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTest(); }
    void init();
    void cleanup();

    void shouldRoundTwipsToNearestPixel_data();
    void shouldRoundTwipsToNearestPixel();
    void shouldPlaceEveryControl_data();
    void shouldPlaceEveryControl();
    void shouldBeFixedSizeNormalWindow();
    void shouldOpenCentredWithFocusInHeight();
    void shouldShowExactTexts_data();
    void shouldShowExactTexts();
    void shouldUseProgramFonts();
    void shouldDrawStatusLineBlue();
    void shouldStayReadableInEveryPalette_data();
    void shouldStayReadableInEveryPalette();
    void shouldKeepProgramFontOverDesktopFont();
    void shouldFollowTabOrder();
    void shouldNameMenus();
    void shouldKeepEveryVisibleControlInsideClientArea();
    void shouldLimitHeightToThreeCharacters();
    void shouldLeaveWeightUnlimited();
    void shouldAcceptAnyTextWithoutHelpers();
    void shouldGrowBandLabelsByBorderAndBack();
    void shouldNeverCutStatusLine_data();
    void shouldNeverCutStatusLine();
    void shouldExposeFieldsToScreenReaders();
    void shouldHideLabel2BehindOpaquePicture();
    void shouldDrawEveryTextWhole_data();
    void shouldDrawEveryTextWhole();

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<frmMain> m_window;
};

void TestFrmMainLayout::init()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_window = std::make_unique<frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFrmMainLayout::cleanup()
{
    m_window.reset();
    m_messages.reset();
}

void TestFrmMainLayout::shouldRoundTwipsToNearestPixel_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("status-left-2078") << 2078 << 139;
    QTest::newRow("button-width-1467") << 1467 << 98;
    QTest::newRow("description-width-4092") << 4092 << 273;
    QTest::newRow("rule-end-5657") << 5657 << 377;
    QTest::newRow("exact-15") << 15 << 1;
    QTest::newRow("below-half-7") << 7 << 0;
    QTest::newRow("above-half-8") << 8 << 1;
    QTest::newRow("zero") << 0 << 0;
}

void TestFrmMainLayout::shouldRoundTwipsToNearestPixel()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips), pixels);
}

void TestFrmMainLayout::shouldPlaceEveryControl_data()
{
    // Auto-sized labels: their corner is placed, their size follows the font.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("autoSized");
    QTest::addColumn<QString>("container");
    QTest::newRow("Frame1") << "Frame1" << QRect(17, 20, 263, 53) << false << "clientArea";
    QTest::newRow("txtAltura-in-frame") << "txtAltura" << QRect(40, 18, 113, 25) << false << "Frame1";
    QTest::newRow("Lcm-in-frame") << "Lcm" << QRect(160, 24, 17, 13) << true << "Frame1";
    QTest::newRow("Frame2") << "Frame2" << QRect(17, 80, 263, 53) << false << "clientArea";
    QTest::newRow("txtKilo-in-frame") << "txtKilo" << QRect(40, 18, 113, 25) << false << "Frame2";
    QTest::newRow("Label1-in-frame") << "Label1" << QRect(160, 24, 62, 13) << true << "Frame2";
    QTest::newRow("Command1") << "Command1" << QRect(70, 138, 137, 39) << false << "clientArea";
    QTest::newRow("Frame3") << "Frame3" << QRect(0, 318, 293, 23) << false << "clientArea";
    QTest::newRow("Command2-outside") << "Command2" << QRect(310, 228, 83, 35) << false << "clientArea";
    QTest::newRow("Label2") << "Label2" << QRect(10, 184, 273, 65) << false << "clientArea";
    QTest::newRow("lKilo-in-frame") << "lKilo" << QRect(139, 8, 15, 13) << true << "Frame3";
    QTest::newRow("Picture1-image-size") << "Picture1" << QRect(64, 210, 168, 50) << false << "clientArea";
    QTest::newRow("Label6") << "Label6" << QRect(62, 264, 169, 13) << true << "clientArea";
    QTest::newRow("Label25") << "Label25" << QRect(178, 280, 99, 15) << true << "clientArea";
    QTest::newRow("Label20-fixed") << "Label20" << QRect(112, 280, 63, 29) << false << "clientArea";
    QTest::newRow("Label16") << "Label16" << QRect(4, 280, 101, 15) << true << "clientArea";
    QTest::newRow("Label18") << "Label18" << QRect(4, 296, 104, 15) << true << "clientArea";
    QTest::newRow("Label30") << "Label30" << QRect(178, 296, 111, 15) << true << "clientArea";
}

void TestFrmMainLayout::shouldPlaceEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, autoSized);
    QFETCH(QString, container);
    const QWidget *control = child<QWidget>(m_window.get(), name.toLatin1());
    QCOMPARE(control->parentWidget()->objectName(), container);
    if (autoSized)
        QCOMPARE(control->pos(), geometry.topLeft());
    else
        QCOMPARE(control->geometry(), geometry);
}

void TestFrmMainLayout::shouldBeFixedSizeNormalWindow()
{
    QCOMPARE(m_window->windowTitle(), QString("Indice de Masa Corporal"));
    const QWidget *client = child<QWidget>(m_window.get(), "clientArea");
    QCOMPARE(client->size(), QSize(296, 344));
    const QMenuBar *menuBar = m_window->findChild<QMenuBar *>();
    QVERIFY(!menuBar->isNativeMenuBar());
    QCOMPARE(client->y(), menuBar->height());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->size(), QSize(296, 344 + menuBar->height()));

    const Qt::WindowFlags flags = m_window->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    m_window->resize(500, 600);
    QCOMPARE(client->size(), QSize(296, 344));
    QCOMPARE(m_window->size(), QSize(296, 344 + menuBar->height()));
}

void TestFrmMainLayout::shouldOpenCentredWithFocusInHeight()
{
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(m_window.get(), "txtAltura"));
    const QPoint centre = m_window->frameGeometry().center();
    const QPoint screenCentre = m_window->screen()->availableGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() <= 2, "window not centred on the screen");
    QVERIFY(m_messages->messages.isEmpty());

    // Restored from the task bar, the window keeps the user's focus and place.
    auto *weight = child<QWidget>(m_window.get(), "txtKilo");
    weight->setFocus();
    const QPoint place = m_window->pos();
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->setWindowState(Qt::WindowNoState);
    QCOMPARE(m_window->focusWidget(), weight);
    QCOMPARE(m_window->pos(), place);
}

void TestFrmMainLayout::shouldShowExactTexts_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Frame1") << "Frame1" << "Altura";
    QTest::newRow("Frame2") << "Frame2" << "Peso";
    QTest::newRow("Frame3") << "Frame3" << "";
    QTest::newRow("Lcm") << "Lcm" << "cm";
    QTest::newRow("Label1") << "Label1" << "Kilogramos";
    QTest::newRow("Command1") << "Command1" << "Calcular";
    QTest::newRow("Command2") << "Command2" << "cancel";
    QTest::newRow("Label2") << "Label2"
                            << "El IMC define el grado de adiposidad a partir de los datos de peso y altura de una "
                               "persona , sin considerar el sexo.";
    QTest::newRow("lKilo") << "lKilo" << "";
    QTest::newRow("Label6") << "Label6" << QStringLiteral("Clasificación de OMS del IMC");
    QTest::newRow("Label25") << "Label25" << "25,5 a 30 Obesidad I";
    QTest::newRow("Label20") << "Label20" << "20,5 a 25,5 Peso normal";
    QTest::newRow("Label16") << "Label16" << "16,5 a 18,5 Infrapeso";
    QTest::newRow("Label18") << "Label18" << "18,5 a 20,5 Bajo peso";
    QTest::newRow("Label30") << "Label30" << "30 a 40 Ob. premorbida";
    QTest::newRow("txtAltura") << "txtAltura" << "";
    QTest::newRow("txtKilo") << "txtKilo" << "";
    // clang-format on
}

void TestFrmMainLayout::shouldShowExactTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QObject *control = child<QObject>(m_window.get(), name.toLatin1());
    const char *property = qobject_cast<QGroupBox *>(control) ? "title" : "text";
    QCOMPARE(control->property(property).toString(), text);
}

void TestFrmMainLayout::shouldUseProgramFonts()
{
    for (const char *name : {"txtAltura", "Command1", "Label2", "lKilo", "Label20", "Frame1"}) {
        const QFont font = child<QWidget>(m_window.get(), name)->font();
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(QFontInfo(font).family(), QString("FreeSans"));
    }
    for (const char *name : {"Lcm", "Label1", "Label6"}) {
        const QFont font = child<QWidget>(m_window.get(), name)->font();
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.weight(), QFont::Bold);
    }
}

void TestFrmMainLayout::shouldDrawStatusLineBlue()
{
    const auto *status = child<QLabel>(m_window.get(), "lKilo");
    QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(status->alignment() & Qt::AlignHCenter);
    QCOMPARE(status->parentWidget(), child<QWidget>(m_window.get(), "Frame3"));
}

void TestFrmMainLayout::shouldStayReadableInEveryPalette_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("fixedColours");
    QTest::newRow("light-standard") << QColor(240, 240, 240) << QColor(0, 0, 0) << true;
    QTest::newRow("white") << QColor(255, 255, 255) << QColor(0, 0, 0) << true;
    QTest::newRow("adwaita-dark") << QColor(50, 50, 50) << QColor(238, 238, 238) << false;
    QTest::newRow("black") << QColor(0, 0, 0) << QColor(255, 255, 255) << false;
}

void TestFrmMainLayout::shouldStayReadableInEveryPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(bool, fixedColours);
    // Set while the program runs: the window follows.
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    m_window->setPalette(palette);

    const QColor status = child<QLabel>(m_window.get(), "lKilo")->palette().color(QPalette::WindowText);
    QVERIFY2(contrastRatio(status, window) >= 4.5, qPrintable(status.name()));
    // The formula's ink: its darkest or lightest colour against the window.
    const QPixmap picture = child<QLabel>(m_window.get(), "Picture1")->pixmap();
    // Above 1× the finer rendition, shown at the same logical size.
    QCOMPARE(picture.devicePixelRatio(), m_window->devicePixelRatioF() > 1.0 ? 2.0 : 1.0);
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(168, 50));
    const QImage formula = picture.toImage();
    QColor ink = window;
    for (int y = 0; y < formula.height(); ++y) {
        for (int x = 0; x < formula.width(); ++x) {
            const QColor c = formula.pixelColor(x, y);
            if (c.alpha() == 255 && contrastRatio(c, window) > contrastRatio(ink, window))
                ink = c;
        }
    }
    QVERIFY2(contrastRatio(ink, window) >= 4.5, qPrintable(ink.name()));
    if (fixedColours) {
        QCOMPARE(status, QColor(0, 0, 255));
        QCOMPARE(ink, QColor(0, 0, 0));
    } else {
        QCOMPARE(ink, text);
    }
}

void TestFrmMainLayout::shouldKeepProgramFontOverDesktopFont()
{
    const QFont before = QApplication::font();
    const auto restore = qScopeGuard([before] { QApplication::setFont(before); });
    // What a platform theme such as qt6ct does after start-up.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    for (const char *name : {"txtAltura", "Label2", "Label20", "Frame1"}) {
        const QFont font = child<QWidget>(m_window.get(), name)->font();
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(QFontInfo(font).family(), QString("FreeSans"));
    }
}

void TestFrmMainLayout::shouldFollowTabOrder()
{
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    const QStringList forward{"txtKilo", "Command1", "Command2", "Picture1", "txtAltura"};
    for (const QString &name : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    const QStringList backward{"Picture1", "Command2", "Command1", "txtKilo", "txtAltura"};
    for (const QString &name : backward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    // Frames and labels never take the focus.
    for (const QWidget *widget : m_window->findChildren<QWidget *>()) {
        if (qobject_cast<const QGroupBox *>(widget)
            || (qobject_cast<const QLabel *>(widget) && widget->objectName() != "Picture1"))
            QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
    }
}

void TestFrmMainLayout::shouldNameMenus()
{
    const QMenuBar *menuBar = m_window->findChild<QMenuBar *>();
    const QList<QAction *> titles = menuBar->actions();
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0]->text(), QString("&Archivo"));
    QCOMPARE(titles[0]->menu()->objectName(), QString("mnuFile"));
    QCOMPARE(titles[1]->text(), QString("Ay&uda"));
    QCOMPARE(titles[1]->menu()->objectName(), QString("mnuHelp"));

    const QList<QAction *> file = titles[0]->menu()->actions();
    QCOMPARE(file.size(), 3);
    QCOMPARE(file[0]->objectName(), QString("mnuFileNew"));
    QCOMPARE(file[0]->text(), QString("&Borrar campos"));
    QCOMPARE(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(file[1]->objectName(), QString("mnuBar5"));
    QVERIFY(file[1]->isSeparator());
    QCOMPARE(file[2]->objectName(), QString("mnuFileExit"));
    QCOMPARE(file[2]->text(), QString("&Salir"));

    const QList<QAction *> help = titles[1]->menu()->actions();
    QCOMPARE(help.size(), 1);
    QCOMPARE(help[0]->objectName(), QString("mnuHelpAbout"));
    QCOMPARE(help[0]->text(), QString("&Acerca de..."));
    for (const QAction *action : file + help)
        QVERIFY(action->isEnabled() && action->isVisible() && !action->isChecked());
}

void TestFrmMainLayout::shouldKeepEveryVisibleControlInsideClientArea()
{
    const QWidget *client = child<QWidget>(m_window.get(), "clientArea");
    const QRect area = client->rect();
    for (QWidget *widget : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (widget->objectName() == "Command2")
            QVERIFY(!area.intersects(widget->geometry()));
        else
            QVERIFY2(area.contains(widget->geometry()), qPrintable(widget->objectName()));
    }
    // No two band labels overlap, bordered or not.
    QStringList bands;
    for (const BandLabelPlace &place : kBandLabelPlaces)
        bands << QString::fromLatin1(place.name);
    for (int border = 0; border <= 1; ++border) {
        for (const QString &name : bands)
            child<CaptionLabel>(m_window.get(), name.toLatin1())->setBorderStyle(border);
        for (const QString &a : bands) {
            for (const QString &b : bands) {
                if (a < b) {
                    const QRect ra = child<QWidget>(m_window.get(), a.toLatin1())->geometry();
                    const QRect rb = child<QWidget>(m_window.get(), b.toLatin1())->geometry();
                    QVERIFY2(!ra.intersects(rb), qPrintable(a + " overlaps " + b));
                    QVERIFY(area.contains(ra));
                }
            }
        }
    }
}

void TestFrmMainLayout::shouldLimitHeightToThreeCharacters()
{
    auto *height = child<QLineEdit>(m_window.get(), "txtAltura");
    QTest::keyClicks(height, "1705");
    QCOMPARE(height->text(), QString("170"));
    height->clear();
    QApplication::clipboard()->setText("123456");
    height->setFocus();
    QTest::keyClick(height, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(height->text(), QString("123"));
}

void TestFrmMainLayout::shouldLeaveWeightUnlimited()
{
    auto *weight = child<QLineEdit>(m_window.get(), "txtKilo");
    const QString longText(100000, '7');
    QApplication::clipboard()->setText(longText);
    weight->setFocus();
    QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(weight->text(), longText);
}

void TestFrmMainLayout::shouldAcceptAnyTextWithoutHelpers()
{
    for (const char *name : {"txtAltura", "txtKilo"}) {
        const auto *field = child<QLineEdit>(m_window.get(), name);
        QVERIFY(field->inputMask().isEmpty());
        QVERIFY(field->placeholderText().isEmpty());
        QVERIFY(!field->isClearButtonEnabled());
    }
    QVERIFY(!child<QLineEdit>(m_window.get(), "txtKilo")->validator());
    // The height's only rule is its length: any three characters are taken.
    auto *height = child<QLineEdit>(m_window.get(), "txtAltura");
    QTest::keyClicks(height, "x ,");
    QCOMPARE(height->text(), QString("x ,"));
    QVERIFY(height->hasAcceptableInput());
}

void TestFrmMainLayout::shouldGrowBandLabelsByBorderAndBack()
{
    for (const BandLabelPlace &place : kBandLabelPlaces) {
        auto *label = child<CaptionLabel>(m_window.get(), place.name);
        const QRect plain = label->geometry();
        label->setBorderStyle(1);
        const QRect framed = label->geometry();
        QCOMPARE(framed.topLeft(), plain.topLeft());
        // By the border, less a pixel where the unframed label had grown for
        // its drawn ink (fractional scales; Windows' renderers), which the
        // border's inset may no longer need.
        if (label->isAutoSized()) {
            const QSize grown = framed.size() - plain.size();
            QVERIFY2(grown.width() >= 1 && grown.width() <= 2 && grown.height() >= 1 && grown.height() <= 2,
                     qPrintable(QString("%1 grew by %2x%3").arg(place.name).arg(grown.width()).arg(grown.height())));
        } else
            QCOMPARE(framed.size(), plain.size());
        label->setBorderStyle(0);
        QCOMPARE(label->geometry(), plain);
    }
    // Label20 wraps onto two lines in its box.
    const auto *label20 = child<QLabel>(m_window.get(), "Label20");
    QVERIFY(label20->wordWrap());
    QVERIFY(label20->fontMetrics().horizontalAdvance(label20->text()) > label20->width());
}

void TestFrmMainLayout::shouldNeverCutStatusLine_data()
{
    // clang-format off
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("shifted");
    QTest::newRow("below-bands") << "170" << "" << false;
    QTest::newRow("normal") << "170" << "70" << false;
    QTest::newRow("premorbid-longest") << "170" << "101" << true;
    QTest::newRow("above-hundred") << "50" << "100" << false;
    // clang-format on
}

void TestFrmMainLayout::shouldNeverCutStatusLine()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(bool, shifted);
    auto *heightField = child<QLineEdit>(m_window.get(), "txtAltura");
    auto *weightField = child<QLineEdit>(m_window.get(), "txtKilo");
    heightField->setText(height);
    weightField->setText("1");
    weightField->setText(weight);
    const auto *status = child<QLabel>(m_window.get(), "lKilo");
    const QWidget *frame = child<QWidget>(m_window.get(), "Frame3");
    QVERIFY(!status->text().isEmpty());
    QVERIFY(status->width() >= status->sizeHint().width());
    QVERIFY2(frame->contentsRect().contains(status->geometry()), qPrintable(status->text()));
    // The left edge stays where the layout puts it unless the text needs room.
    QCOMPARE(status->x() != twipsToPixels(2078), shifted);
    if (shifted)
        QCOMPARE(status->geometry().right(), frame->contentsRect().right());
}

void TestFrmMainLayout::shouldExposeFieldsToScreenReaders()
{
    const auto accessible = [this](const char *name) {
        return QAccessible::queryAccessibleInterface(child<QWidget>(m_window.get(), name));
    };
    QCOMPARE(accessible("txtAltura")->text(QAccessible::Name), QString("Altura"));
    QVERIFY(accessible("txtAltura")->text(QAccessible::Description).contains("cent"));
    QCOMPARE(accessible("txtKilo")->text(QAccessible::Name), QString("Peso"));
    QVERIFY(accessible("txtKilo")->text(QAccessible::Description).contains("kilogramos"));
    QVERIFY(accessible("Picture1")->text(QAccessible::Name).startsWith("IMC = peso(kg)"));

    child<QLineEdit>(m_window.get(), "txtAltura")->setText("170");
    child<QLineEdit>(m_window.get(), "txtKilo")->setText("70");
    QCOMPARE(accessible("lKilo")->role(), QAccessible::StatusBar);
    QCOMPARE(accessible("lKilo")->text(QAccessible::Name), QStringLiteral("IMC 24,22 Kg/m² Peso normal"));
    QCOMPARE(accessible("Label20")->text(QAccessible::Description), QString("actual"));
    QCOMPARE(accessible("Label16")->text(QAccessible::Description), QString());
    child<QLineEdit>(m_window.get(), "txtKilo")->setText("55");
    QCOMPARE(accessible("Label20")->text(QAccessible::Description), QString());
    QCOMPARE(accessible("Label18")->text(QAccessible::Description), QString("actual"));
    // A refusal keeps the frame, which then no longer names the status line's class.
    for (const char *refused : {"0", "abc", ""}) {
        child<QLineEdit>(m_window.get(), "txtKilo")->setText(refused);
        QCOMPARE(child<CaptionLabel>(m_window.get(), "Label18")->borderStyle(), 1);
        QCOMPARE(accessible("Label18")->text(QAccessible::Description), QString());
        child<QLineEdit>(m_window.get(), "txtKilo")->setText("55");
        QCOMPARE(accessible("Label18")->text(QAccessible::Description), QString("actual"));
    }
    child<QLineEdit>(m_window.get(), "txtAltura")->setText("0");
    QCOMPARE(accessible("Label18")->text(QAccessible::Description), QString());

    // A window to a screen reader, not a dialog.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QString("Indice de Masa Corporal"));
}

void TestFrmMainLayout::shouldHideLabel2BehindOpaquePicture()
{
    const auto *picture = child<QLabel>(m_window.get(), "Picture1");
    const auto *label2 = child<QLabel>(m_window.get(), "Label2");
    QVERIFY(picture->geometry().intersects(label2->geometry()));
    const QObjectList stacking = picture->parent()->children();
    QVERIFY(stacking.indexOf(picture) > stacking.indexOf(label2));

    // Put a wide caption under the picture: where the picture is transparent
    // the window's background shows, not the caption's ink.
    child<CaptionLabel>(m_window.get(), "Label2")
        ->setCaption(QString::fromUtf16(u"\u2588\u2588\u2588\u2588 ").repeated(400));
    const QImage image = m_window->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QPoint origin = picture->mapTo(m_window.get(), QPoint(0, 0));
    const QColor background = m_window->palette().color(QPalette::Window);
    for (const QPoint corner : {QPoint(0, 0), QPoint(167, 0)})
        QCOMPARE(image.pixelColor((QPointF(origin + corner) * ratio).toPoint()), background);
}

void TestFrmMainLayout::shouldDrawEveryTextWhole_data()
{
    // The longest status line, and a band label with its frame.
    QTest::addColumn<QString>("weight");
    QTest::newRow("at-start") << "";
    QTest::newRow("longest-status-framed-label30") << "101";
    QTest::newRow("framed-label16") << "50";
}

void TestFrmMainLayout::shouldDrawEveryTextWhole()
{
    QFETCH(QString, weight);
    child<QLineEdit>(m_window.get(), "txtAltura")->setText("170");
    child<QLineEdit>(m_window.get(), "txtKilo")->setText(weight);
    for (CaptionLabel *label : m_window->findChildren<CaptionLabel *>()) {
        if (label->text().isEmpty())
            continue;
        // A framed band label draws its text as the plain one does, one pixel
        // in, in a box two pixels larger.
        const int border = label->borderStyle();
        label->setBorderStyle(0);
        QVERIFY2(drawsTextWhole(label), qPrintable(label->objectName()));
        label->setBorderStyle(border);
    }
}

QTEST_MAIN(TestFrmMainLayout)
#include "tst_frmmain_layout.moc"
