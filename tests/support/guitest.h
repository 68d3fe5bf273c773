#pragma once

#include "runtime/untrappederror.h"
#include "support/messagerecorder.h"
#include "ui/programlook.h"

#include <QApplication>
#include <QLocale>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace tarvelo::testing {

// Pins the locale to Spanish (Spain) and gives the application the program's
// look, as start-up does.
inline void prepareGuiTest()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    applyProgramLook();
}

// Runs `whileOpen` once `window` is the active modal window, and closes the
// window afterwards on every path, a failed check included, so that a test
// never hangs in exec(). Call it just before the call that opens the window.
template <typename Window, typename Check>
void whenModal(QObject *context, Window *window, Check whileOpen)
{
    QTimer::singleShot(0, context, [window, whileOpen] {
        const auto closeAnyway = qScopeGuard([window] {
            if (window->isVisible())
                window->done(0);
        });
        // No window manager offscreen to activate the new window.
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        whileOpen(window);
    });
}

template <typename T>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}

// Turns a stray modal window (a box nobody expected) into a failure instead
// of a hang: it is closed and counted.
class ModalWatchdog : public QObject {
public:
    ModalWatchdog()
    {
        m_timer.setInterval(200);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++strays;
                modal->close();
            }
        });
        m_timer.start();
    }
    int strays = 0;

private:
    QTimer m_timer;
};

// Records the exit the last-resort net asks for instead of ending the tests.
class ExitRecorder {
public:
    ExitRecorder() : m_scope([this](int code) { codes.append(code); }) {}
    QList<int> codes;

private:
    ScopedTerminator m_scope;
};

} // namespace tarvelo::testing
