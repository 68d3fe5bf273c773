#pragma once

#include <QString>

class QObject;

namespace tarvelo {

// The program's title, shown on every message box that names none of its own.
QString programTitle();

// Every modal message box of the program goes through here, so that a test
// can record the boxes instead of opening them.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Modal over `owner` (none: over no window), one OK button, no icon;
    // returns when the box is closed.
    virtual void present(QObject *owner, const QString &prompt, const QString &title) = 0;
};

// Shows a message box through the installed presenter.
void showMessage(QObject *owner, const QString &prompt, const QString &title = programTitle());

// Installs `presenter` (not owned) for as long as the object lives and puts
// the previous one back afterwards.
class ScopedMessagePresenter {
public:
    explicit ScopedMessagePresenter(MessagePresenter &presenter);
    ~ScopedMessagePresenter();
    ScopedMessagePresenter(const ScopedMessagePresenter &) = delete;
    ScopedMessagePresenter &operator=(const ScopedMessagePresenter &) = delete;

private:
    MessagePresenter *m_previous;
};

} // namespace tarvelo
