#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QtMath>

#include <functional>
#include <memory>

#include "app/startup.h"
#include "runtime/untrappederror.h"
#include "support/messagerecorder.h"

namespace tarvelo::testing {

// Pins the locale to Spanish (Spain) and gives the application the program's
// look, as start-up does.
inline void prepareGuiTest()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    prepareApplication();
}

// Watches the application, while it lives, for the next modal window of type
// Window to be shown, and hands it on once.
template<typename Window> class ModalShowWatch : public QObject {
public:
    explicit ModalShowWatch(std::function<void(Window *)> shown) : m_shown(std::move(shown))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *window = qobject_cast<Window *>(object);
        if (event->type() != QEvent::Show || !window || !window->isWindow() || !window->isModal())
            return false;
        qApp->removeEventFilter(this);
        m_shown(window);
        return false;
    }

private:
    std::function<void(Window *)> m_shown;
};

// Runs `whileOpen` on the next modal window of type Window once it has been
// shown and its modal loop runs, and it is active; then closes it on every
// path, a failed check included, so that a test never hangs in exec(). Call
// it just before the call that opens the window and keep what it returns
// until that call has returned: a window that never came is then no longer
// waited for, and a later one cannot be taken for it.
template<typename Window, typename Check>
[[nodiscard]] std::unique_ptr<QObject> whenModal(QObject *context, Check whileOpen)
{
    return std::make_unique<ModalShowWatch<Window>>([context, whileOpen](Window *window) {
        QTimer::singleShot(0, context, [window, whileOpen] {
            const auto closeAnyway = qScopeGuard([window] {
                if (!window->isVisible())
                    return;
                if (auto *dialog = qobject_cast<QDialog *>(window))
                    dialog->done(0);
                else
                    window->close();
            });
            // Offscreen no window manager activates the new window.
            window->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), window);
            whileOpen(window);
        });
    });
}

template<typename T> T *child(const QObject *parent, const char *name)
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
    ExitRecorder() : m_scope([this](int code) { codes.append(code); }) { }
    QList<int> codes;

private:
    ScopedTerminator m_scope;
};

// Whether a label without a border shows all the ink of its text: the pixels
// that differ from the background, counted as the label draws itself and as
// the same text, font and flags draw with room all round. A clipped glyph
// leaves fewer.
inline bool drawsTextWhole(QLabel *label)
{
    const qreal ratio = label->devicePixelRatioF();
    const auto inkOf = [](const QImage &image, QColor background) {
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixelColor(x, y) != background;
        }
        return ink;
    };
    const QColor background = label->palette().color(QPalette::Window);
    QImage shown(qCeil(label->width() * ratio), qCeil(label->height() * ratio), QImage::Format_RGB32);
    shown.setDevicePixelRatio(ratio);
    shown.fill(background);
    label->render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);

    constexpr int room = 40;
    QImage free((label->size() + QSize(2 * room, 2 * room)) * ratio, QImage::Format_RGB32);
    free.setDevicePixelRatio(ratio);
    free.fill(background);
    {
        QPainter painter(&free);
        painter.setFont(label->font());
        painter.setPen(label->palette().color(QPalette::WindowText));
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        painter.drawText(label->contentsRect().translated(room, room), flags, label->text());
    }
    const int whole = inkOf(free, background);
    const int drawn = inkOf(shown, background);
    if (drawn != whole) {
        qWarning("%s: %d of %d ink pixels drawn", qPrintable(label->objectName()), drawn, whole);
        if (qEnvironmentVariableIsSet("TARVELO_DUMP")) {
            shown.save(QStringLiteral("/tmp/shown-%1.png").arg(label->objectName()));
            free.save(QStringLiteral("/tmp/free-%1.png").arg(label->objectName()));
        }
    }
    return drawn == whole;
}

} // namespace tarvelo::testing
