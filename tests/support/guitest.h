#pragma once

#include "runtime/untrappederror.h"
#include "support/messagerecorder.h"
#include "ui/programlook.h"

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace tarvelo::testing {

// Pins the locale to Spanish (Spain) and gives the application the program's
// look, as start-up does.
inline void prepareGuiTest()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    applyProgramLook(*qApp);
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
