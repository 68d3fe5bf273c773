#include "desktop/fieldaccessible.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace tarvelo {

namespace {

// The edges of the items of `text`, from 0 to its length, both included.
QList<int> itemEdges(const QString &text, QAccessible::TextBoundaryType boundary)
{
    QTextBoundaryFinder::BoundaryType type;
    switch (boundary) {
    case QAccessible::CharBoundary:
        type = QTextBoundaryFinder::Grapheme;
        break;
    case QAccessible::WordBoundary:
        type = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        type = QTextBoundaryFinder::Sentence;
        break;
    default:
        // One line, one paragraph.
        return {0, int(text.size())};
    }
    QList<int> edges{0};
    QTextBoundaryFinder finder(type, text);
    // The finder answers -1 past the end: every step must move forward.
    for (qsizetype at = finder.toNextBoundary(); at > edges.last() && at < text.size(); at = finder.toNextBoundary()) {
        if (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem))
            edges.append(int(at));
    }
    edges.append(int(text.size()));
    return edges;
}

} // namespace

TextSpan textSpan(const QString &text, int offset, QAccessible::TextBoundaryType boundary, TextSide side)
{
    const int length = int(text.size());
    if (offset == -1)
        offset = length;
    if (offset < 0 || offset > length)
        return {};
    if (length == 0)
        return {0, 0};
    const QList<int> edges = itemEdges(text, boundary);
    // The item holding the offset; at the end, the last item, but for a
    // character: there the item is the empty one after the text.
    const bool atEnd = offset == length;
    const auto next = std::upper_bound(edges.begin(), edges.end(), offset);
    TextSpan item = atEnd ? TextSpan{int(edges.at(edges.size() - 2)), length} : TextSpan{*(next - 1), *next};
    if (atEnd && boundary == QAccessible::CharBoundary)
        item = {length, length};
    switch (side) {
    case TextSide::At:
        return item;
    case TextSide::Before: {
        const int end = atEnd ? length : item.start;
        if (end == 0)
            return {0, 0};
        const auto at = std::lower_bound(edges.begin(), edges.end(), end);
        return {*(at - 1), end};
    }
    case TextSide::After: {
        const int start = atEnd ? length : item.end;
        if (start == length)
            return {length, length};
        const auto at = std::upper_bound(edges.begin(), edges.end(), start);
        return {start, *at};
    }
    }
    return {};
}

FieldAccessible::FieldAccessible(QLineEdit *field) : QAccessibleWidget(field, QAccessible::EditableText)
{
    // As Qt tells of its line edits: what a change of the field sets off.
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit *FieldAccessible::field() const
{
    return static_cast<QLineEdit *>(widget());
}

QString FieldAccessible::readableText() const
{
    return field()->echoMode() == QLineEdit::Normal ? field()->text() : QString();
}

QString FieldAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        if (field()->echoMode() == QLineEdit::Normal)
            return field()->text();
        if (field()->echoMode() != QLineEdit::NoEcho)
            return QString(field()->text().size(), QLatin1Char('*'));
    }
    return QAccessibleWidget::text(t);
}

void FieldAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    edit(0, characterCount(), text);
}

QAccessible::State FieldAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (field()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    if (field()->echoMode() != QLineEdit::Normal)
        state.passwordEdit = true;
    state.selectableText = true;
    return state;
}

void *FieldAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void FieldAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !field()->hasSelectedText())
        return;
    *startOffset = field()->selectionStart();
    *endOffset = field()->selectionEnd();
}

int FieldAccessible::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void FieldAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void FieldAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void FieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int length = characterCount();
    startOffset = std::clamp(startOffset, 0, length);
    endOffset = std::clamp(endOffset < 0 ? length : endOffset, 0, length);
    field()->setSelection(startOffset, endOffset - startOffset);
}

int FieldAccessible::cursorPosition() const
{
    return field()->cursorPosition();
}

void FieldAccessible::setCursorPosition(int position)
{
    field()->setCursorPosition(std::clamp(position, 0, characterCount()));
}

QString FieldAccessible::text(int startOffset, int endOffset) const
{
    const QString text = readableText();
    if (endOffset == -1)
        endOffset = int(text.size());
    startOffset = std::clamp(startOffset, 0, int(text.size()));
    endOffset = std::clamp(endOffset, 0, int(text.size()));
    if (startOffset >= endOffset)
        return QString();
    return text.mid(startOffset, endOffset - startOffset);
}

QString FieldAccessible::span(int offset, QAccessible::TextBoundaryType boundary, TextSide side, int *startOffset,
                              int *endOffset) const
{
    if (field()->echoMode() != QLineEdit::Normal) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    if (offset == -2)
        offset = cursorPosition();
    const QString text = readableText();
    const TextSpan found = textSpan(text, offset, boundary, side);
    *startOffset = found.start;
    *endOffset = found.end;
    return found.start < 0 ? QString() : text.mid(found.start, found.end - found.start);
}

QString FieldAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                          int *endOffset) const
{
    return span(offset, boundaryType, TextSide::Before, startOffset, endOffset);
}

QString FieldAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                         int *endOffset) const
{
    return span(offset, boundaryType, TextSide::After, startOffset, endOffset);
}

QString FieldAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                      int *endOffset) const
{
    return span(offset, boundaryType, TextSide::At, startOffset, endOffset);
}

int FieldAccessible::characterCount() const
{
    return int(field()->text().size());
}

QRect FieldAccessible::characterRect(int offset) const
{
    const QString text = readableText();
    if (offset < 0 || offset >= text.size())
        return QRect();
    // From the caret, the one place in the field public API tells, by the
    // advance of the text between it and the character.
    const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetrics metrics(field()->font());
    const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset))
        - metrics.horizontalAdvance(text.left(field()->cursorPosition()));
    const QRect box(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)), caret.height());
    return box.translated(field()->mapToGlobal(QPoint(0, 0)));
}

int FieldAccessible::offsetAtPoint(const QPoint &point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void FieldAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    setCursorPosition(endIndex);
    setCursorPosition(startIndex);
}

QString FieldAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // None: one run of the whole text. Qt's empty run at each offset made
    // Orca 43 split the text there and read it one character short.
    const int length = characterCount();
    if (offset == -1)
        offset = length;
    const bool inside = offset >= 0 && offset <= length;
    *startOffset = inside ? 0 : -1;
    *endOffset = inside ? length : -1;
    return QString();
}

void FieldAccessible::deleteText(int startOffset, int endOffset)
{
    edit(startOffset, endOffset, QString());
}

void FieldAccessible::insertText(int offset, const QString &text)
{
    edit(offset, offset, text);
}

void FieldAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    edit(startOffset, endOffset, text);
}

void FieldAccessible::edit(int start, int end, const QString &text)
{
    if (field()->isReadOnly())
        return;
    const int length = characterCount();
    start = std::clamp(start, 0, length);
    end = std::clamp(end < 0 ? length : end, start, length);
    if (start == end && text.isEmpty())
        return;
    // As a user's selection and typing: through the field's validator and
    // maximum length, and undoable.
    if (start == end)
        field()->setCursorPosition(start);
    else
        field()->setSelection(start, end - start);
    field()->insert(text);
}

} // namespace tarvelo
