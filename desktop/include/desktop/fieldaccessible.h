#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>

class QLineEdit;

namespace tarvelo {

// A run of a text, from `start` up to `end`; both -1 where the offset asked
// about lies outside the text.
struct TextSpan {
    int start = -1;
    int end = -1;
    bool operator==(const TextSpan &) const = default;
};

enum class TextSide { Before, At, After };

// The character, word, sentence or line of `text` at, before or after
// `offset` (0 to the length; -1 stands for the length), as a screen reader
// asks for it. Words are Qt's: runs of letters or digits, and what lies
// between them. At the end of the text the item at the offset is the last
// one, but for a character (there is none there).
TextSpan textSpan(const QString &text, int offset, QAccessible::TextBoundaryType boundary, TextSide side);

// What screen readers are told of a line edit. Qt's own answer to some
// questions of theirs never comes: asked for the word or sentence at the end
// of the text, its generic search loops for ever and the program freezes.
// This one answers every question from the field's text, and edits the
// field as typing would, under its validator and maximum length.
class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessible(QLineEdit *field);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QLineEdit *field() const;
    // The text a screen reader may read: none of a password.
    QString readableText() const;
    QString span(int offset, QAccessible::TextBoundaryType boundary, TextSide side, int *startOffset,
                 int *endOffset) const;
    // Replaces the run from `start` to `end` (clamped to the text) by `text`.
    void edit(int start, int end, const QString &text);
};

} // namespace tarvelo
