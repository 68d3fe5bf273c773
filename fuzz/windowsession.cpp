#include "windowsession.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/startup.h"
#include "calc/bands.h"
#include "calc/indexcalculation.h"
#include "runtime/messagebox.h"
#include "runtime/numbers.h"
#include "runtime/untrappederror.h"
#include "ui/bandlabels.h"
#include "ui/captionlabel.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"

namespace tarvelo::fuzzing {

namespace {

enum class Op {
    Type,
    PasteShort,
    PasteLong,
    Backspace,
    Delete,
    Home,
    End,
    Left,
    Right,
    ShiftLeft,
    SelectAll,
    Undo,
    Redo,
    Tab,
    BackTab,
    Return,
    Enter,
    Calcular,
    CtrlN,
    MenuClear,
    About,
    Palette,
    Focus,
    ClickField,
    Escape,
    Exit,
    CloseBox
};

struct Action {
    Op op = Op::Type;
    QString text; // typed or pasted
    int field = 0; // 0 the height, 1 the weight
    int value = 0; // the way to close, the palette, the focus target, the click's x
};

struct Letter {
    char letter;
    Op op;
};

constexpr std::array kLetters{
    Letter{'t', Op::Type},   Letter{'p', Op::PasteShort}, Letter{'P', Op::PasteLong}, Letter{'b', Op::Backspace},
    Letter{'d', Op::Delete}, Letter{'H', Op::Home},       Letter{'E', Op::End},       Letter{'l', Op::Left},
    Letter{'r', Op::Right},  Letter{'L', Op::ShiftLeft},  Letter{'a', Op::SelectAll}, Letter{'z', Op::Undo},
    Letter{'y', Op::Redo},   Letter{'T', Op::Tab},        Letter{'S', Op::BackTab},   Letter{'R', Op::Return},
    Letter{'n', Op::Enter},  Letter{'c', Op::Calcular},   Letter{'N', Op::CtrlN},     Letter{'B', Op::MenuClear},
    Letter{'i', Op::About},  Letter{'g', Op::Palette},    Letter{'f', Op::Focus},     Letter{'m', Op::ClickField},
    Letter{'q', Op::Escape}, Letter{'s', Op::Exit},       Letter{'X', Op::CloseBox},
};

// Any other byte: an action that leaves the program running. Typing comes
// most often, so that random bytes make long sessions; the About box and the
// long paste least, as each costs as much as twenty keystrokes (the About box
// paints both windows, a long paste lays out thousands of characters).
constexpr std::array kOtherBytes{
    Op::Type,      Op::Type,      Op::Type,      Op::Type,       Op::Type,       Op::Type,       Op::Type,
    Op::Type,      Op::Type,      Op::Type,      Op::Type,       Op::Type,       Op::Type,       Op::Type,
    Op::Type,      Op::Type,      Op::Type,      Op::Type,       Op::Type,       Op::Type,       Op::Type,
    Op::Type,      Op::Type,      Op::Type,      Op::PasteShort, Op::PasteShort, Op::PasteShort, Op::PasteLong,
    Op::Backspace, Op::Backspace, Op::Backspace, Op::Delete,     Op::Delete,     Op::Home,       Op::End,
    Op::Left,      Op::Left,      Op::Right,     Op::ShiftLeft,  Op::SelectAll,  Op::Undo,       Op::Redo,
    Op::Tab,       Op::Tab,       Op::BackTab,   Op::Return,     Op::Return,     Op::Enter,      Op::Calcular,
    Op::Calcular,  Op::CtrlN,     Op::CtrlN,     Op::MenuClear,  Op::About,      Op::Palette,    Op::Palette,
    Op::Focus,     Op::Focus,     Op::Focus,     Op::ClickField, Op::ClickField, Op::ClickField, Op::Type,
    Op::Type,
};
static_assert(kOtherBytes.size() == 64);

constexpr std::size_t kMostActions = 200;
constexpr int kLongestPaste = 10000;

Op opFor(std::uint8_t byte)
{
    for (const Letter &letter : kLetters) {
        if (byte == std::uint8_t(letter.letter))
            return letter.op;
    }
    return kOtherBytes[byte % kOtherBytes.size()];
}

QString characterFor(std::uint8_t byte)
{
    static const QString direct = QStringLiteral("0123456789,.+-eEax \t\r\n");
    if (byte < 0x80 && direct.contains(QLatin1Char(char(byte))))
        return QString(QLatin1Char(char(byte)));
    // The blanks the number reader knows, what looks like a digit but is not,
    // marks that change a text's direction, a character outside the BMP.
    static const std::array<QString, 16> others{
        QStringLiteral("\u00A0"), QStringLiteral("\u202F"), QStringLiteral("\u2028"),     QStringLiteral("\u2029"),
        QStringLiteral("\uFF11"), QStringLiteral("\u200F"), QStringLiteral("\U0001F600"), QStringLiteral("é"),
        QStringLiteral("Ñ"),      QStringLiteral("7"),      QStringLiteral("0"),          QStringLiteral(","),
        QStringLiteral("5"),      QStringLiteral("1"),      QStringLiteral("-"),          QStringLiteral("e"),
    };
    return others[byte % others.size()];
}

class Reader {
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) { }
    bool atEnd() const { return m_position >= m_size; }
    std::uint8_t next() { return m_position < m_size ? m_data[m_position++] : 0; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

std::vector<Action> decode(const std::uint8_t *data, std::size_t size)
{
    Reader in(data, size);
    std::vector<Action> actions;
    while (!in.atEnd() && actions.size() < kMostActions) {
        Action action;
        action.op = opFor(in.next());
        switch (action.op) {
        case Op::Type: {
            action.text = characterFor(in.next());
            // Tab and Return are keys of their own.
            if (action.text.front().unicode() < 0x20)
                action.text = QStringLiteral(" ");
            break;
        }
        case Op::PasteShort: {
            action.field = in.next() & 1;
            const int count = in.next() % 16;
            for (int i = 0; i < count; ++i)
                action.text += characterFor(in.next());
            break;
        }
        case Op::PasteLong: {
            action.field = in.next() & 1;
            // From a few characters to the longest, every order of size alike.
            const int scale = in.next() % 14;
            const int length = std::min(kLongestPaste, (1 << scale) + in.next());
            const int patternLength = in.next() % 8 + 1;
            QString pattern;
            for (int i = 0; i < patternLength; ++i)
                pattern += characterFor(in.next());
            action.text.reserve(length + pattern.size());
            while (action.text.size() < length)
                action.text += pattern;
            action.text.truncate(length);
            break;
        }
        case Op::About:
        case Op::Palette:
            action.value = in.next() % 3;
            break;
        case Op::Focus:
            action.value = in.next() % 4;
            break;
        case Op::ClickField:
            action.field = in.next() & 1;
            action.value = in.next();
            break;
        default:
            break;
        }
        actions.push_back(std::move(action));
    }
    return actions;
}

QString quoted(const QString &text)
{
    constexpr qsizetype kShown = 24;
    QString shown = QStringLiteral("\"");
    for (const QChar c : text.left(kShown)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'"' && c != u'\\')
            shown += c;
        else
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    shown += u'"';
    if (text.size() > kShown)
        shown += QStringLiteral("… (%1 characters)").arg(text.size());
    return shown;
}

QString describe(const Action &action)
{
    const QString field = action.field ? QStringLiteral("the weight") : QStringLiteral("the height");
    switch (action.op) {
    case Op::Type:
        return QStringLiteral("type ") + quoted(action.text);
    case Op::PasteShort:
    case Op::PasteLong:
        return QStringLiteral("paste ") + quoted(action.text) + QStringLiteral(" into ") + field;
    case Op::Backspace:
        return QStringLiteral("Backspace");
    case Op::Delete:
        return QStringLiteral("Delete");
    case Op::Home:
        return QStringLiteral("Home");
    case Op::End:
        return QStringLiteral("End");
    case Op::Left:
        return QStringLiteral("Left");
    case Op::Right:
        return QStringLiteral("Right");
    case Op::ShiftLeft:
        return QStringLiteral("Shift+Left");
    case Op::SelectAll:
        return QStringLiteral("Ctrl+A");
    case Op::Undo:
        return QStringLiteral("Ctrl+Z");
    case Op::Redo:
        return QStringLiteral("Ctrl+Shift+Z");
    case Op::Tab:
        return QStringLiteral("Tab");
    case Op::BackTab:
        return QStringLiteral("Shift+Tab");
    case Op::Return:
        return QStringLiteral("Return");
    case Op::Enter:
        return QStringLiteral("keypad Enter");
    case Op::Calcular:
        return QStringLiteral("click Calcular");
    case Op::CtrlN:
        return QStringLiteral("Ctrl+N");
    case Op::MenuClear:
        return QStringLiteral("menu Borrar campos");
    case Op::About: {
        static const char *const ways[] = {"Escape", "Aceptar", "its close box"};
        return QStringLiteral("About box, closed by ") + QLatin1String(ways[action.value]);
    }
    case Op::Palette: {
        static const char *const palettes[] = {"light", "dark", "mid-grey"};
        return QStringLiteral("palette ") + QLatin1String(palettes[action.value]);
    }
    case Op::Focus: {
        static const char *const targets[] = {"the height", "the weight", "Calcular", "the picture"};
        return QStringLiteral("focus on ") + QLatin1String(targets[action.value]);
    }
    case Op::ClickField:
        return QStringLiteral("click ") + field + QStringLiteral(" at x=%1").arg(action.value);
    case Op::Escape:
        return QStringLiteral("Escape");
    case Op::Exit:
        return QStringLiteral("menu Salir");
    case Op::CloseBox:
        return QStringLiteral("close box");
    }
    return QString();
}

QPalette paletteNumbered(int number)
{
    switch (number) {
    case 1:
        return QPalette(QColor(60, 60, 60), QColor(50, 50, 50));
    case 2:
        return QPalette(QColor(190, 190, 190), QColor(180, 180, 180));
    default:
        return QApplication::style()->standardPalette();
    }
}

int currentPalette = 0;

void switchPalette(int number)
{
    if (number == currentPalette)
        return;
    QApplication::setPalette(paletteNumbered(number));
    currentPalette = number;
}

struct Box {
    QString prompt;
    QString title;
    QObject *owner;
    bool operator==(const Box &) const = default;
};

// Every box is recorded and answered at once, as by a user who presses Enter.
class AnsweringBoxes : public MessagePresenter {
public:
    AnsweringBoxes() : m_scope(*this) { }
    void present(QObject *owner, const QString &prompt, const QString &title) override
    {
        shown.push_back({prompt, title, owner});
    }
    std::vector<Box> shown;

private:
    ScopedMessagePresenter m_scope;
};

// The program ends when its main window closes: each close is recorded and
// refused, so that the run goes on with the same window.
class CloseRecorder : public QObject {
public:
    explicit CloseRecorder(QWidget &window) { window.installEventFilter(this); }
    int closes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        ++closes;
        event->ignore();
        return true;
    }
};

// A band of kBandTable, or none.
using Band = std::optional<std::size_t>;

// A change of a field's text as it was when the window had handled it.
struct Change {
    bool ofWeight;
    QString height;
    QString weight;
    QWidget *focus;
};

template<typename T> T *named(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found) {
        std::fprintf(stderr, "window session: the window has no %s\n", name);
        std::abort();
    }
    return found;
}

// The window's controls, by the names the window gives them.
struct Controls {
    explicit Controls(frmMain &main)
        : window(main)
        , height(named<QLineEdit>(&main, "txtAltura"))
        , weight(named<QLineEdit>(&main, "txtKilo"))
        , calcular(named<QPushButton>(&main, "Command1"))
        , cancel(named<QPushButton>(&main, "Command2"))
        , picture(named<QLabel>(&main, "Picture1"))
        , status(named<QLabel>(&main, "lKilo"))
        , clear(named<QAction>(&main, "mnuFileNew"))
        , exit(named<QAction>(&main, "mnuFileExit"))
        , about(named<QAction>(&main, "mnuHelpAbout"))
    {
        for (const BandLabelPlace &place : kBandLabelPlaces)
            labels[place.band] = named<CaptionLabel>(&main, place.name);
    }

    frmMain &window;
    QLineEdit *height;
    QLineEdit *weight;
    QPushButton *calcular;
    QPushButton *cancel;
    QLabel *picture;
    QLabel *status;
    QAction *clear;
    QAction *exit;
    QAction *about;
    // By band; null where a band has no label.
    std::array<CaptionLabel *, kBandTable.size()> labels{};
};

class Session {
public:
    Session(Controls &controls, std::vector<Action> actions)
        : m_actions(std::move(actions))
        , m_terminator([this](int code) { m_exitCodes.push_back(code); })
        , m_window(controls.window)
        , m_ui(controls)
    {
        reset();

        // After the window's own handlers: what they saw is what is recorded.
        QObject::connect(m_ui.height, &QLineEdit::textChanged, &m_recording, [this] { record(false); });
        QObject::connect(m_ui.weight, &QLineEdit::textChanged, &m_recording, [this] { record(true); });
        m_shownStatus = m_ui.status->text();
        m_shownFrame = framedBand();
    }

    // The number of actions played.
    std::size_t play()
    {
        for (m_current = 0; m_current < m_actions.size(); ++m_current) {
            const Action &action = m_actions[m_current];
            const QWidget *focusBefore = m_window.focusWidget();
            m_changes.clear();
            m_boxes.shown.clear();
            const int closesBefore = m_closes.closes;
            apply(action);
            const bool ended = m_closes.closes > closesBefore;
            if (!ended && !m_window.isVisible())
                breakPromise(QStringLiteral("the main window was hidden without closing"));
            if (ended != endsProgram(action, focusBefore))
                breakPromise(ended ? QStringLiteral("the program ended") : QStringLiteral("the program did not end"));
            if (ended)
                return m_current + 1;
            checkPromises(action, focusBefore);
        }
        return m_actions.size();
    }

private:
    // The window as a user finds it at start, in all that its behaviour
    // depends on: shown and active, the light palette, both fields empty with
    // no undo history (setText clears it), the focus in the height. The status
    // line and the frame keep what the last session left; the promises are
    // checked against what the window shows, so where they start is free.
    void reset()
    {
        switchPalette(0);
        if (!m_window.isVisible())
            m_window.show();
        makeActive();
        AnsweringBoxes unseen;
        m_ui.weight->setText(QString());
        m_ui.height->setText(QString());
        m_ui.height->setFocus(Qt::OtherFocusReason);
    }

    void record(bool weight)
    {
        m_changes.push_back({weight, m_ui.height->text(), m_ui.weight->text(), m_window.focusWidget()});
    }

    void makeActive()
    {
        if (QApplication::activeWindow() == &m_window)
            return;
        m_window.activateWindow();
        QElapsedTimer waited;
        waited.start();
        while (QApplication::activeWindow() != &m_window && waited.elapsed() < 2000)
            QApplication::processEvents();
        if (QApplication::activeWindow() != &m_window)
            breakPromise(QStringLiteral("the main window is not active"));
    }

    QWidget *keyTarget() const
    {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus->window() != &m_window)
            focus = m_window.focusWidget();
        return focus ? focus : const_cast<frmMain *>(&m_window);
    }

    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), code, modifiers);
    }

    QLineEdit *field(const Action &action) const { return action.field ? m_ui.weight : m_ui.height; }

    void apply(const Action &action)
    {
        switch (action.op) {
        case Op::Type: {
            const QChar c = action.text.front();
            const Qt::Key code = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, keyTarget(), code, action.text, Qt::NoModifier);
            break;
        }
        case Op::PasteShort:
        case Op::PasteLong:
            QGuiApplication::clipboard()->setText(action.text);
            field(action)->setFocus(Qt::OtherFocusReason);
            key(Qt::Key_V, Qt::ControlModifier);
            break;
        case Op::Backspace:
            key(Qt::Key_Backspace);
            break;
        case Op::Delete:
            key(Qt::Key_Delete);
            break;
        case Op::Home:
            key(Qt::Key_Home);
            break;
        case Op::End:
            key(Qt::Key_End);
            break;
        case Op::Left:
            key(Qt::Key_Left);
            break;
        case Op::Right:
            key(Qt::Key_Right);
            break;
        case Op::ShiftLeft:
            key(Qt::Key_Left, Qt::ShiftModifier);
            break;
        case Op::SelectAll:
            key(Qt::Key_A, Qt::ControlModifier);
            break;
        case Op::Undo:
            key(Qt::Key_Z, Qt::ControlModifier);
            break;
        case Op::Redo:
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        case Op::Tab:
            key(Qt::Key_Tab);
            break;
        case Op::BackTab:
            key(Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Op::Return:
            key(Qt::Key_Return);
            break;
        case Op::Enter:
            key(Qt::Key_Enter, Qt::KeypadModifier);
            break;
        case Op::Calcular:
            m_ui.calcular->click();
            break;
        case Op::CtrlN:
            key(Qt::Key_N, Qt::ControlModifier);
            break;
        case Op::MenuClear:
            m_ui.clear->trigger();
            break;
        case Op::About:
            openAndCloseAbout(action.value);
            break;
        case Op::Palette:
            switchPalette(action.value);
            break;
        case Op::Focus: {
            QWidget *const targets[] = {m_ui.height, m_ui.weight, m_ui.calcular, m_ui.picture};
            targets[action.value]->setFocus(Qt::OtherFocusReason);
            break;
        }
        case Op::ClickField: {
            QLineEdit *target = field(action);
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                              QPoint(action.value % target->width(), target->height() / 2));
            break;
        }
        case Op::Escape:
            key(Qt::Key_Escape);
            break;
        case Op::Exit:
            m_ui.exit->trigger();
            break;
        case Op::CloseBox:
            m_window.close();
            break;
        }
    }

    void openAndCloseAbout(int way)
    {
        QString fault;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, &m_window, [&] {
            frmAbout *box = m_window.aboutBox();
            if (!box || QApplication::activeModalWidget() != box) {
                fault = QStringLiteral("the About box is not the modal window while it is open");
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            if (way == 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (way == 1)
                named<QPushButton>(box, "cmdOK")->click();
            else
                box->close();
            if (box->isVisible()) {
                fault = QStringLiteral("the About box stayed open");
                box->done(0);
            }
        });
        closer.start(0);
        m_ui.about->trigger();
        if (closer.isActive()) {
            closer.stop();
            fault = QStringLiteral("the About box did not open");
        }
        if (!fault.isEmpty())
            breakPromise(fault);
        makeActive();
    }

    static bool isTypedSpace(const Action &action) { return action.op == Op::Type && action.text == u" "; }

    // The hidden cancel button ends the program when it is pressed; it can
    // only be pressed while it has the focus.
    bool endsProgram(const Action &action, const QWidget *focusBefore) const
    {
        switch (action.op) {
        case Op::Escape:
        case Op::Exit:
        case Op::CloseBox:
            return true;
        case Op::Return:
        case Op::Enter:
            return focusBefore == m_ui.cancel;
        default:
            return isTypedSpace(action) && focusBefore == m_ui.cancel;
        }
    }

    bool runsCalcular(const Action &action, const QWidget *focusBefore) const
    {
        switch (action.op) {
        case Op::Calcular:
            return true;
        case Op::Return:
        case Op::Enter:
            return focusBefore != m_ui.cancel;
        default:
            return isTypedSpace(action) && focusBefore == m_ui.calcular;
        }
    }

    Band framedBand()
    {
        Band framed;
        for (std::size_t band = 0; band < m_ui.labels.size(); ++band) {
            if (!m_ui.labels[band] || m_ui.labels[band]->borderStyle() == 0)
                continue;
            if (m_ui.labels[band]->borderStyle() != 1 || framed)
                breakPromise(QStringLiteral("more than one band label is framed, or a frame is not single"));
            framed = band;
        }
        return framed;
    }

    QString nameOf(Band band) const { return band ? m_ui.labels[*band]->objectName() : QStringLiteral("none"); }

    // What the rules give for what the action did to the fields; then what
    // the window shows is compared with it.
    void checkPromises(const Action &action, const QWidget *focusBefore)
    {
        std::vector<Box> boxes;
        QString status = m_shownStatus;
        Band frame = m_shownFrame;
        // Only an accepted input reframes.
        const auto computed = [&](const IndexCalculation &result) {
            if (result.accepted())
                frame = bandToFrame(result.index);
        };
        for (const Change &change : m_changes) {
            if (change.ofWeight) {
                const IndexCalculation result = calculateIndex(change.height, change.weight);
                if (result.refusal)
                    boxes.push_back({*result.refusal, programTitle(), &m_window});
                status = statusCaption(result.index);
                computed(result);
                continue;
            }
            if (change.height.size() == 3 && change.focus != m_ui.weight)
                breakPromise(QStringLiteral("the third character of the height left the focus off the weight"));
            if (isNumeric(change.weight)) {
                const IndexCalculation result = calculateIndex(change.height, change.weight);
                status = statusCaption(result.index);
                computed(result);
            }
        }
        if (runsCalcular(action, focusBefore)) {
            const IndexCalculation result = calculateIndex(m_ui.height->text(), m_ui.weight->text());
            if (result.refusal)
                boxes.push_back({*result.refusal, programTitle(), &m_window});
            else if (result.index.isGreaterThan(16.49))
                boxes.push_back({result.index.text(), QStringLiteral("IMC"), &m_window});
            computed(result);
        }

        if (m_exitCodes.size() > 0)
            breakPromise(QStringLiteral("an error reached the last-resort net"));
        if (m_boxes.shown != boxes) {
            QString detail = QStringLiteral("the boxes shown are not those the fields give:\n  shown:");
            for (const Box &box : m_boxes.shown)
                detail += QStringLiteral(" [%1: %2]").arg(box.title, quoted(box.prompt));
            detail += QStringLiteral("\n  expected:");
            for (const Box &box : boxes)
                detail += QStringLiteral(" [%1: %2]").arg(box.title, quoted(box.prompt));
            breakPromise(detail);
        }
        if (m_ui.status->text() != status)
            breakPromise(
                QStringLiteral("the status line reads %1, not %2").arg(quoted(m_ui.status->text()), quoted(status)));
        const Band framed = framedBand();
        if (framed != frame)
            breakPromise(QStringLiteral("%1 is framed, not %2").arg(nameOf(framed), nameOf(frame)));
        if (m_ui.height->text().size() > 3)
            breakPromise(QStringLiteral("the height holds %1").arg(quoted(m_ui.height->text())));
        if (QWidget *modal = QApplication::activeModalWidget())
            breakPromise(QStringLiteral("a modal window is open: ") + modal->objectName());
        const auto topLevels = QApplication::topLevelWidgets();
        for (const QWidget *window : topLevels) {
            if (window != &m_window && window->isVisible())
                breakPromise(QStringLiteral("a window is left open: ") + window->objectName());
        }
        const QWidget *focus = m_window.focusWidget();
        if (!focus || !m_window.isAncestorOf(focus) || !focus->isEnabled() || !focus->isVisibleTo(&m_window)
            || focus->focusPolicy() == Qt::NoFocus)
            breakPromise(QStringLiteral("the focus is on no control that can take it"));

        m_shownStatus = m_ui.status->text();
        m_shownFrame = framed;
    }

    [[noreturn]] void breakPromise(const QString &promise) const
    {
        QString report = QStringLiteral("window session: broken promise: ") + promise + QStringLiteral("\nafter:\n");
        for (std::size_t i = 0; i <= m_current && i < m_actions.size(); ++i)
            report += QStringLiteral("  %1. ").arg(i + 1) + describe(m_actions[i]) + u'\n';
        std::fputs(qUtf8Printable(report), stderr);
        std::fflush(stderr);
        std::abort();
    }

    std::vector<Action> m_actions;
    std::size_t m_current = 0;
    AnsweringBoxes m_boxes;
    std::vector<int> m_exitCodes;
    ScopedTerminator m_terminator;
    frmMain &m_window;
    CloseRecorder m_closes{m_window};
    // The context of the recording connections, which end with the session.
    QObject m_recording;

    Controls &m_ui;

    std::vector<Change> m_changes;
    // What the window showed after the last action.
    QString m_shownStatus;
    Band m_shownFrame;
};

} // namespace

void prepareApplication()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarvelo-window-session";
    static char *argv[] = {name, nullptr};
    // Lives to the end of the process, as the program's own does.
    new QApplication(argc, argv);
    // Closing the main window ends a session, not the run.
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    tarvelo::prepareApplication();
}

std::size_t playSession(const std::uint8_t *data, std::size_t size, std::size_t mostActions)
{
    // One window for the whole run: made anew for every session, it would
    // cost more than twenty actions do (about 1.8 ms against 0.9 ms).
    static Controls *controls = new Controls(*new frmMain);
    std::vector<Action> actions = decode(data, size);
    if (actions.size() > mostActions)
        actions.resize(mostActions);
    return Session(*controls, std::move(actions)).play();
}

QString describeSession(const std::uint8_t *data, std::size_t size)
{
    QString lines;
    for (const Action &action : decode(data, size))
        lines += describe(action) + u'\n';
    return lines;
}

} // namespace tarvelo::fuzzing
