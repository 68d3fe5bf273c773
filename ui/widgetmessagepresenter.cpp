#include "ui/widgetmessagepresenter.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "desktop/programfont.h"

namespace tarvelo {

void WidgetMessagePresenter::present(QObject *owner, const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, qobject_cast<QWidget *>(owner));
    box.setTextFormat(Qt::PlainText);
    box.setFont(programFont());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Orca 48 (beside Qt 6.8 in the releases) reads an alert's description
    // in place of its labels, and leaves out a label of fewer than three
    // words, such as "24,22". Orca 43 reads the labels, and the description
    // after them: there it would say the text twice.
    box.setAccessibleDescription(prompt);
#endif
    // QMessageBox sizes itself to its text and ignores a minimum width; a
    // row holding a spacer that wide gives the title room ("24,22" alone
    // would make a box too narrow for its title bar).
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(kMessageBoxMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

} // namespace tarvelo
