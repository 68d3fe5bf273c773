#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// Offscreen there is no X server to watch: the program itself prints, on
// stdout, the monotonic time at which its window's first paint has finished.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QWidget *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            watched->removeEventFilter(this);
            // After the whole paint pass, children included.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first-paint-ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                // For profilers, which want a normal exit.
                if (qEnvironmentVariableIsSet("FIRST_PAINT_QUIT"))
                    QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};
