#include "ui/pastelimit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <utility>

#include "runtime/numbers.h"

namespace tarvelo {

namespace {

// What a paste leaves to insert: no blanks at either end, and no more than
// the room there is; a cut can leave a blank at the end, so until neither
// changes it.
QString fittedPaste(QString text, qsizetype room)
{
    QString previous;
    do {
        previous = text;
        text = withoutNumberBlanks(text).toString();
        text.truncate(std::max<qsizetype>(room, 0));
    } while (text != previous);
    return text;
}

} // namespace

PasteLimit::PasteLimit(int maxLength, QLineEdit *field)
    : QValidator(field)
    , m_field(field)
    , m_maxLength(maxLength)
    , m_before(field->text())
{
    connect(field, &QLineEdit::textChanged, this, [this](const QString &text) { m_before = text; });
    const auto followCursor = [this, field] {
        m_replacedStart = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
        m_replacedLength = field->hasSelectedText() ? field->selectedText().size() : 0;
    };
    connect(field, &QLineEdit::selectionChanged, this, followCursor);
    connect(field, &QLineEdit::cursorPositionChanged, this, followCursor);
    field->installEventFilter(this);
}

bool PasteLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || m_deferring)
        return QValidator::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            pasteTrimmed();
            return true;
        }
        break;
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // Where the system has a selection clipboard, the middle button pastes it.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
            m_deferring = true;
            QCoreApplication::sendEvent(m_field, event);
            m_deferring = false;
            insertDeferred();
            return true;
        }
        break;
    default:
        break;
    }
    return QValidator::eventFilter(watched, event);
}

void PasteLimit::pasteTrimmed()
{
    // Trimmed before it reaches the field, as the field forgets its undo
    // history when a validator corrects a text: Ctrl+Z can then undo it.
    const qsizetype room = m_maxLength - (m_field->text().size() - m_field->selectedText().size());
    const QString text = fittedPaste(QGuiApplication::clipboard()->text(), room);
    if (!text.isEmpty() || m_field->hasSelectedText())
        m_field->insert(text);
}

void PasteLimit::showContextMenu(const QPoint &globalPos)
{
    // The field's own menu, shown as the field shows it. Its paste is Qt's:
    // what that inserts is trimmed once the action has run (connected after
    // the field's own slot, so called after it), or once the menu is gone.
    QMenu *menu = m_field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto done = [this] {
        m_deferring = false;
        insertDeferred();
    };
    for (QAction *action : menu->actions())
        connect(action, &QAction::triggered, this, done);
    connect(menu, &QObject::destroyed, this, done);
    m_deferring = true;
    menu->popup(globalPos);
}

void PasteLimit::insertDeferred()
{
    if (!m_deferred)
        return;
    const QString text = *std::exchange(m_deferred, std::nullopt);
    // The refusal gave back the selection the paste was to replace.
    if (!text.isEmpty() || m_field->hasSelectedText())
        m_field->insert(text);
}

QValidator::State PasteLimit::validate(QString &input, int &pos) const
{
    // Read as an insertion once more, a trimmed paste could be trimmed again
    // and refused; and Qt does not undo what it refuses while it sets a text,
    // then lets the next edit through unchecked.
    if (!m_corrected.isNull() && input == m_corrected) {
        m_corrected.clear();
        return Acceptable;
    }
    m_corrected.clear();
    // An insertion replaces the selection, or nothing at the cursor. Other
    // edits (deleting) are read as the one run in which the texts differ, and
    // so is an insertion after an undo or a redo, which can report a
    // selection that starts at -1.
    qsizetype head = m_replacedStart;
    qsizetype tail = m_before.size() - m_replacedStart - m_replacedLength;
    const bool isInsertion = head >= 0 && tail >= 0 && head + tail <= input.size()
        && QStringView(input).left(head) == QStringView(m_before).left(head)
        && QStringView(input).right(tail) == QStringView(m_before).right(tail);
    if (!isInsertion) {
        tail = std::clamp<qsizetype>(input.size() - pos, 0, m_before.size());
        head = 0;
        const qsizetype headLimit = std::min<qsizetype>(input.size() - tail, m_before.size() - tail);
        while (head < headLimit && input[head] == m_before[head])
            ++head;
    }
    QString inserted = input.mid(head, input.size() - tail - head);

    // A single typed character is kept whatever it is, and so is what any
    // other edit (an undo, a redo) brings back: the field held it before.
    const qsizetype room = m_maxLength - head - tail;
    if (isInsertion && inserted.size() > 1) {
        const QString fitted = fittedPaste(inserted, room);
        if (m_deferring && fitted != inserted) {
            m_deferred = fitted;
            return Invalid;
        }
        inserted = fitted;
    } else {
        inserted.truncate(std::max<qsizetype>(room, 0));
    }

    const QString result = input.left(head) + inserted + input.right(tail);
    if (result == input)
        return Acceptable;
    // Nothing left to insert: refusing restores the old text without a change.
    // Only an insertion is refused so: Qt keeps the text of a refused undo or
    // redo, and then lets the next edit through unchecked.
    if (isInsertion && result == m_before)
        return Invalid;
    input = result;
    pos = int(head + inserted.size());
    m_corrected = result;
    return Acceptable;
}

} // namespace tarvelo
