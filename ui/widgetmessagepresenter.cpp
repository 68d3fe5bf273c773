#include "widgetmessagepresenter.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvelo {

void WidgetMessagePresenter::present(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace tarvelo
