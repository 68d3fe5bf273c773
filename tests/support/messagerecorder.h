#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "runtime/messagebox.h"

namespace tarvelo::testing {

struct RecordedMessage {
    QString prompt;
    QString title;
    bool operator==(const RecordedMessage &) const = default;
};

// Records every message box instead of opening it; installed for its lifetime.
class MessageRecorder : public MessagePresenter {
public:
    MessageRecorder() : m_scope(*this) { }

    void present(QObject *owner, const QString &prompt, const QString &title) override
    {
        messages.append({prompt, title});
        owners.append(owner);
        if (onPresent)
            onPresent(prompt);
    }

    QList<RecordedMessage> messages;
    QList<QObject *> owners;
    // Runs while the "box" is open, to see what the caller had done by then.
    std::function<void(const QString &)> onPresent;

private:
    ScopedMessagePresenter m_scope;
};

} // namespace tarvelo::testing
