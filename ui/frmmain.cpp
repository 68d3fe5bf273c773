#include "ui/frmmain.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include <limits>

#include "calc/indexcalculation.h"
#include "desktop/accessibleroles.h"
#include "desktop/desktopfit.h"
#include "desktop/programfont.h"
#include "desktop/readablecolours.h"
#include "desktop/windowplacement.h"
#include "runtime/messagebox.h"
#include "runtime/numbers.h"
#include "runtime/untrappederror.h"
#include "ui/bandlabels.h"
#include "ui/captionlabel.h"
#include "ui/pastelimit.h"
#include "ui/programimages.h"
#include "ui/statusline.h"
#include "ui/twips.h"

namespace tarvelo {

namespace {

constexpr int kClientWidthTwips = 4440;
constexpr int kClientHeightTwips = 5160;
constexpr int kStatusLeftTwips = 2078;
constexpr int kStatusTopTwips = 120;

QFont boldFont(const QWidget *widget)
{
    QFont font = widget->font();
    font.setWeight(QFont::Bold);
    return font;
}

QLineEdit *makeField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(twipsRect(600, 270, 1695, 375));
    return field;
}

// A frame whose title is its field's name: told with that name too, a screen
// reader says it twice ("Altura panel, Altura text") or, as Orca 48 drops a
// name the field repeats, a bare "panel". Without one it is passed over as
// layout, and the field says it once.
void untitledForScreenReaders(QGroupBox *frame)
{
    setAccessibleRole(frame, QAccessible::Grouping, [] { return QString(); });
}

// Connects a signal to a handler of the window through the last-resort net.
template<typename Sender, typename Signal>
void connectHandler(Sender *sender, Signal signal, frmMain *window, void (frmMain::*handler)())
{
    QObject::connect(sender, signal, window, [window, handler] { runGuarded([&] { (window->*handler)(); }); });
}

} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    // Qt tells a top-level QWidget as a client area; to the user it is a window.
    setAccessibleRole(this, QAccessible::Window);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Indice de Masa Corporal"));
    setWindowFlags(fixedWindowFlags(Qt::Window));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window takes exactly the client area below the menu bar; it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    layout->setMenuBar(m_menuBar);

    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    m_clientArea->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    layout->addWidget(m_clientArea);

    // The program's face, here and not only for the application: a desktop
    // theme's font would replace an application font, and the layout is
    // fixed around this one. Scaling is the way to enlarge the program.
    setFont(programFont());
    buildMenus();
    buildControls();
    buildKeys();
    // Centred on the screen by its frame, before it is mapped: Qt would guess
    // a frame and leave the window manager to move it.
    fitToDesktop(this, ShowPlace::OnScreen, [this] { applyPaletteAndScale(); });
    // The fixed size from the start, before the window is created.
    layout->activate();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored from the task bar keeps the user's focus.
    if (event->spontaneous())
        return;
    txtAltura->setFocus();
}

void frmMain::applyPaletteAndScale()
{
    // Pure blue and black ink where the palette lets them be read; colours
    // that can be read where it does not (a dark desktop).
    QPalette blue = lKilo->palette();
    blue.setColor(QPalette::WindowText, readableBlue(palette()));
    lKilo->setPalette(blue);
    Picture1->setPixmap(
        formulaPicture(readableBlack(palette()), palette().color(QPalette::Window), devicePixelRatioF()));
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    mnuFile = m_menuBar->addMenu(QStringLiteral("&Archivo"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = mnuFile->addAction(QStringLiteral("&Borrar campos"));
    mnuFileNew->setObjectName(QStringLiteral("mnuFileNew"));
    mnuFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuBar5 = mnuFile->addSeparator();
    mnuBar5->setObjectName(QStringLiteral("mnuBar5"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("&Salir"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));

    mnuHelp = m_menuBar->addMenu(QStringLiteral("Ay&uda"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&Acerca de..."));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));

    connectHandler(mnuFileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
    connectHandler(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connectHandler(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildKeys()
{
    // Enter clicks the focused button, else "Calcular"; Escape clicks the
    // hidden "cancel" button, whatever has the focus.
    const auto enter = [this] {
        auto *button = qobject_cast<QPushButton *>(focusWidget());
        (button ? button : Command1)->click();
    };
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, enter);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Command2, &QPushButton::click);
}

void frmMain::buildControls()
{
    using Sizing = CaptionLabel::Sizing;
    QWidget *client = m_clientArea;

    // Created in tab order: Qt's default focus chain follows creation.
    Frame1 = new QGroupBox(QStringLiteral("Altura"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    untitledForScreenReaders(Frame1);
    Frame1->setGeometry(twipsRect(255, 300, 3945, 795));
    txtAltura = makeField(QStringLiteral("txtAltura"), Frame1);
    // Three characters at most, typed or pasted; blanks around a paste do not count.
    txtAltura->setValidator(new PasteLimit(3, txtAltura));
    txtAltura->setAccessibleName(QStringLiteral("Altura"));
    txtAltura->setAccessibleDescription(QStringLiteral("en centímetros"));
    Lcm = CaptionLabel::create(QStringLiteral("Lcm"), QStringLiteral("cm"), Sizing::AutoSize,
                               twipsRect(2400, 360, 255, 195), Frame1);
    Lcm->setFont(boldFont(Lcm));

    Frame2 = new QGroupBox(QStringLiteral("Peso"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    untitledForScreenReaders(Frame2);
    Frame2->setGeometry(twipsRect(255, 1200, 3945, 795));
    txtKilo = makeField(QStringLiteral("txtKilo"), Frame2);
    txtKilo->setMaxLength(std::numeric_limits<int>::max());
    txtKilo->setAccessibleName(QStringLiteral("Peso"));
    txtKilo->setAccessibleDescription(QStringLiteral("en kilogramos"));
    Label1 = CaptionLabel::create(QStringLiteral("Label1"), QStringLiteral("Kilogramos"), Sizing::AutoSize,
                                  twipsRect(2400, 360, 930, 195), Frame2);
    Label1->setFont(boldFont(Label1));

    Command1 = new QPushButton(QStringLiteral("Calcular"), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(1050, 2070, 2055, 585));
    Command1->setDefault(true);

    Frame3 = new QGroupBox(client);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setGeometry(twipsRect(0, 4770, 4395, 345));

    // Beyond the client area's right edge: never seen, reached by Escape and Tab.
    Command2 = new QPushButton(QStringLiteral("cancel"), client);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twipsRect(4650, 3420, 1245, 525));

    Label2 = CaptionLabel::create(
        QStringLiteral("Label2"),
        QStringLiteral("El IMC define el grado de adiposidad a partir de los datos de peso y altura de "
                       "una persona , sin considerar el sexo."),
        Sizing::Fixed, twipsRect(150, 2760, 4095, 975), client);

    lKilo = new StatusLine(twipsRect(kStatusLeftTwips, kStatusTopTwips, 225, 195), Frame3);
    lKilo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(lKilo, &CaptionLabel::resized, this, &frmMain::placeStatusLine);

    // In front of the lower part of Label2 and opaque there.
    Picture1 = new QLabel(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(960, 3150, 2520, 750));
    Picture1->setAutoFillBackground(true);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(QStringLiteral("IMC = peso(kg) / altura²(m)"));
    Picture1->setAccessibleDescription(
        QStringLiteral("El IMC es el peso en kilogramos dividido por el cuadrado de la altura en metros."));
    Picture1->raise();

    Label6 = CaptionLabel::create(QStringLiteral("Label6"), QStringLiteral("Clasificación de OMS del IMC"),
                                  Sizing::AutoSize, twipsRect(930, 3960, 2535, 195), client);
    Label6->setFont(boldFont(Label6));

    for (const BandLabelPlace &place : kBandLabelPlaces) {
        m_bandLabels[place.band]
            = CaptionLabel::create(QString::fromLatin1(place.name), QString::fromUtf8(place.caption), place.sizing,
                                   twipsRect(place.left, place.top, place.width, place.height), client);
    }

    setTabOrder(txtAltura, txtKilo);
    setTabOrder(txtKilo, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Picture1);

    connectHandler(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connectHandler(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connectHandler(txtAltura, &QLineEdit::textChanged, this, &frmMain::txtAltura_Change);
    connectHandler(txtKilo, &QLineEdit::textChanged, this, &frmMain::txtKilo_Change);
}

void frmMain::placeStatusLine()
{
    // From its own left edge the longest captions would run past the frame and
    // be cut off; shift the line left just enough to read it whole. Likewise
    // up, where a fractional scale makes its ink a pixel taller.
    const QRect inner = Frame3->contentsRect();
    const QPoint place = twipsPoint(kStatusLeftTwips, kStatusTopTwips);
    const int left = std::max(inner.left(), std::min(place.x(), inner.right() + 1 - lKilo->width()));
    const int top = std::max(inner.top(), std::min(place.y(), inner.bottom() + 1 - lKilo->height()));
    lKilo->move(left, top);
}

IndexValue frmMain::calcular(Refusals refusals)
{
    const IndexCalculation result = calculateIndex(txtAltura->text(), txtKilo->text());
    if (result.refusal) {
        if (refusals == Refusals::Shown) {
            m_refusalShown = true;
            showMessage(this, *result.refusal);
        }
        return {};
    }
    if (!result.accepted())
        return {};
    etiquetas(result.index);
    return result.index;
}

void frmMain::etiquetas(const IndexValue &indexText)
{
    for (CaptionLabel *band : m_bandLabels) {
        if (band)
            band->setBorderStyle(0);
    }
    if (const auto framed = bandToFrame(indexText))
        m_bandLabels[*framed]->setBorderStyle(1);
    describeFrame(true);
}

void frmMain::describeFrame(bool current)
{
    // What the frame shows, for those who cannot see it: "actual" while the
    // framed class is the one the status line names. Told only where it
    // changes, as every change is an event for the screen reader.
    for (CaptionLabel *band : m_bandLabels) {
        if (!band)
            continue;
        const QString description = current && band->borderStyle() == 1 ? QStringLiteral("actual") : QString();
        if (band->accessibleDescription() != description)
            band->setAccessibleDescription(description);
    }
}

void frmMain::Command1_Click()
{
    const IndexValue index = calcular();
    if (index.isGreaterThan(16.49))
        showMessage(this, index.text(), QStringLiteral("IMC"));
}

void frmMain::Command2_Click()
{
    mnuFileExit_Click();
}

void frmMain::mnuHelpAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(this);
    m_about->showModal();
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuFileNew_Click()
{
    // The weight first: its change runs the status line while the old height
    // is still there.
    txtKilo->setText(QString());
    txtAltura->setText(QString());
}

void frmMain::txtAltura_Change()
{
    if (txtAltura->text().size() == 3)
        txtKilo->setFocus();
    // Once there is a weight, the status line and the frame follow the height
    // too, or they would name a class the fields no longer give. The height
    // is still being typed, so its refusals are not worth a box.
    if (isNumeric(txtKilo->text())) {
        const IndexValue index = calcular(Refusals::Silent);
        lKilo->setStatus(statusCaption(index));
        // A refusal keeps the frame but names no class.
        if (index.isEmpty())
            describeFrame(false);
    }
}

void frmMain::txtKilo_Change()
{
    m_refusalShown = false;
    const IndexValue index = calcular();
    if (m_refusalShown)
        lKilo->setStatusQuietly(statusCaption(index));
    else
        lKilo->setStatus(statusCaption(index));
    if (index.isEmpty())
        describeFrame(false);
}

} // namespace tarvelo
