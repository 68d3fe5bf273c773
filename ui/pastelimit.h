#pragma once

#include <QValidator>

class QLineEdit;

namespace tarvelo {

// Holds a field to at most `maxLength` characters, as QLineEdit's own limit
// does, but first drops the blanks (those a number may have around it) at
// both ends of a pasted text: a copied cell "170\n" or " 170" gives 170, not
// " 17". Typed characters are kept as typed; any content is accepted.
class PasteLimit : public QValidator {
    Q_OBJECT

public:
    PasteLimit(int maxLength, QLineEdit *field);

    State validate(QString &input, int &pos) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pasteTrimmed();

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
};

} // namespace tarvelo
