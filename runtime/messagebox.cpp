#include "runtime/messagebox.h"

#include <QtGlobal>

namespace tarvelo {

namespace {

MessagePresenter *installedPresenter = nullptr;

} // namespace

QString programTitle()
{
    return QStringLiteral("Tarvelo");
}

void showMessage(QObject *owner, const QString &prompt, const QString &title)
{
    // A box with nobody to show it would be a refusal the user never sees.
    Q_ASSERT_X(installedPresenter, "showMessage", "no message presenter installed");
    if (installedPresenter)
        installedPresenter->present(owner, prompt, title);
    else
        qWarning("%s: %s", qUtf8Printable(title), qUtf8Printable(prompt));
}

ScopedMessagePresenter::ScopedMessagePresenter(MessagePresenter &presenter) : m_previous(installedPresenter)
{
    installedPresenter = &presenter;
}

ScopedMessagePresenter::~ScopedMessagePresenter()
{
    installedPresenter = m_previous;
}

} // namespace tarvelo
