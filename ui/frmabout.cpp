#include "ui/frmabout.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "desktop/accessibleroles.h"
#include "desktop/desktopfit.h"
#include "desktop/programfont.h"
#include "desktop/readablecolours.h"
#include "desktop/windowplacement.h"
#include "runtime/numbers.h"
#include "runtime/untrappederror.h"
#include "runtime/version.h"
#include "ui/captionlabel.h"
#include "ui/programimages.h"
#include "ui/twips.h"

namespace tarvelo {

frmAbout::frmAbout(QWidget *owner) : QDialog(owner)
{
    using Sizing = CaptionLabel::Sizing;
    // Told as the dialog it is, without its empty disclaimer.
    setAccessibleRole(this, QAccessible::Dialog);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de Tarvelo"));
    setWindowFlags(fixedWindowFlags(Qt::Dialog));
    setFixedSize(twipsToPixels(5865), twipsToPixels(3630));
    // The layout is fixed around the program's face, whatever the desktop's.
    setFont(programFont());

    // Created in tab order, as the focus chain follows creation.
    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4245, 2625, 1467, 345));
    cmdOK->setDefault(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipsRect(240, 240, 480, 480));
    // The program's icon: named for a screen reader, which would otherwise
    // announce an unnamed image.
    picIcon->setAccessibleName(QStringLiteral("Icono de Tarvelo"));

    lblDisclaimer = CaptionLabel::create(QStringLiteral("lblDisclaimer"), QString(), Sizing::Fixed,
                                         twipsRect(255, 2625, 3870, 825), this);
    lblVersion = CaptionLabel::create(QStringLiteral("lblVersion"), QStringLiteral("Versión 1.0 por "), Sizing::Fixed,
                                      twipsRect(1050, 780, 1335, 225), this);
    lblTitle = CaptionLabel::create(QStringLiteral("lblTitle"),
                                    QStringLiteral("Calculadora del Indice de Masa Corporal por Velmarro"),
                                    Sizing::Fixed, twipsRect(1050, 240, 3105, 480), this);
    lblDescription
        = CaptionLabel::create(QStringLiteral("lblDescription"),
                               QStringLiteral("Esta aplicación calcula el Índice de Masa Corporal que puede "
                                              "ayudar a determinar si una persona tiene sobrepeso, basado en los "
                                              "valores de la OMS."),
                               Sizing::Fixed, twipsRect(1050, 1125, 4092, 1170), this);
    // The author's address is shown, not opened: plain text, no link.
    Label1 = CaptionLabel::create(QStringLiteral("Label1"), QStringLiteral("www.velmarro.example"), Sizing::AutoSize,
                                  twipsRect(2460, 780, 1650, 195), this);
    // Over its owner's frame, at every opening, before it is mapped.
    fitToDesktop(this, ShowPlace::OverOwner, [this] { applyPaletteAndScale(); });

    connect(cmdOK, &QPushButton::clicked, this, [this] { runGuarded([this] { cmdOK_Click(); }); });
    connect(Label1, &CaptionLabel::clicked, this, [this] { runGuarded([this] { Label1_Click(); }); });
}

void frmAbout::applyPaletteAndScale()
{
    picIcon->setPixmap(programIcon(devicePixelRatioF()));
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, readableBlue(palette()));
    Label1->setPalette(blue);
    for (CaptionLabel *black : {lblDescription, lblTitle, lblDisclaimer}) {
        QPalette ink = black->palette();
        ink.setColor(QPalette::WindowText, readableBlack(palette()));
        black->setPalette(ink);
    }
}

void frmAbout::showModal()
{
    if (!runGuarded([this] { Form_Load(); }))
        return;
    cmdOK->setFocus();
    exec();
}

void frmAbout::Form_Load()
{
    const VersionNumbers version = programVersion();
    lblVersion->setCaption(QStringLiteral("Versión ") + integerToText(version.major) + QStringLiteral(".")
                           + integerToText(version.minor) + QStringLiteral(".") + integerToText(version.revision));
    // The line a reader sees, the address included: a screen reader reads a
    // dialog's labels of three words or more as it opens.
    lblVersion->setAccessibleName(lblVersion->caption() + QLatin1Char(' ') + Label1->caption());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::Label1_Click() { }

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // Esc goes through cmdOK_Click, as Enter does, not QDialog's reject().
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The engraved rule: a grey line and, one pixel lower, a white one. On a
    // window darker than that grey the white would glare and the grey would
    // stand out: the palette's own shadow and highlight draw it there.
    const bool lightWindow = palette().color(QPalette::Window).lightness() >= 128;
    const QColor shadow = lightWindow ? QColor(128, 128, 128) : palette().color(QPalette::Dark);
    const QColor highlight = lightWindow ? QColor(Qt::white) : palette().color(QPalette::Light);
    QPainter painter(this);
    painter.setPen(QPen(shadow, 1));
    painter.drawLine(twipsPoint(225, 2430), twipsPoint(5657, 2430));
    painter.fillRect(QRect(twipsPoint(240, 2445), twipsPoint(5657, 2445) + QPoint(0, 1)), highlight);
}

} // namespace tarvelo
