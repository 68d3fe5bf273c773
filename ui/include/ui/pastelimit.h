#pragma once

#include <QValidator>

#include <optional>

class QLineEdit;

namespace tarvelo {

// Holds a field to at most `maxLength` characters, as QLineEdit's own limit
// does, but first drops the blanks (those a number may have around it) at
// both ends of a pasted text: a copied cell "170\n" or " 170" gives 170, not
// " 17". Typed characters are kept as typed; any content is accepted. A paste
// by key, by the context menu or by the middle button is trimmed before it
// reaches the field, and so is undone by Ctrl+Z as typing is.
class PasteLimit : public QValidator {
    Q_OBJECT

public:
    PasteLimit(int maxLength, QLineEdit *field);

    State validate(QString &input, int &pos) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pasteTrimmed();
    void showContextMenu(const QPoint &globalPos);
    void insertDeferred();

    QLineEdit *m_field;
    int m_maxLength;
    // The field's text before the change being validated, and the run of it
    // (the selection, or the empty run at the cursor) that an insertion replaces.
    QString m_before;
    qsizetype m_replacedStart = 0;
    qsizetype m_replacedLength = 0;
    // The text this validator last made of an insertion: the field sets it
    // and asks again, before it tells anyone of the change.
    mutable QString m_corrected;
    // While Qt's own paste runs (from the context menu, by the middle button),
    // an insertion that would need trimming is refused, which leaves the
    // field's undo history as it was, and kept here to be inserted trimmed.
    bool m_deferring = false;
    mutable std::optional<QString> m_deferred;
};

} // namespace tarvelo
