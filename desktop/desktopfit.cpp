#include "desktop/desktopfit.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <utility>

#include "desktop/scalechange.h"
#include "desktop/windowplacement.h"

namespace tarvelo {

namespace {

// Watches the window's own events; it lives as long as the window.
class DesktopFit : public QObject {
public:
    DesktopFit(QWidget *window, ShowPlace place, std::function<void()> restyle)
        : QObject(window)
        , m_window(window)
        , m_place(place)
        , m_restyle(std::move(restyle))
    {
        window->installEventFilter(this);
        m_restyle();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::PaletteChange || isDevicePixelRatioChange(event)) {
            m_restyle();
        } else if (event->type() == QEvent::Show && !event->spontaneous()) {
            if (m_place == ShowPlace::OverOwner)
                placeFixedCentred(m_window, m_window->parentWidget());
            else if (!m_window->testAttribute(Qt::WA_Moved))
                placeFixedCentred(m_window);
        } else if (event->type() == QEvent::Paint && !m_shownAsItself) {
            m_shownAsItself = m_window->size() == m_window->minimumSize();
        } else if ((event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize)
                   && event->spontaneous()) {
            // Once the change is through: asked while a compositor still
            // makes it, KWin 6 put the window back in the screen's corner.
            QMetaObject::invokeMethod(this, &DesktopFit::keepFixed, Qt::QueuedConnection);
        }
        return false;
    }

private:
    // Some managers maximise any window, whatever its size hints (weston's
    // X11 frame on a double click on its title, pagers through the window's
    // state): the window asks to be as it was. One user's action brings a
    // change of size and one of state; a manager that goes on refusing
    // within a second has its way, and so does one that never showed the
    // window at its own size, saying nothing of its state (matchbox fills the
    // screen with every window).
    void keepFixed()
    {
        const QSize fixed = m_window->minimumSize();
        const Qt::WindowStates state = m_window->windowState();
        constexpr Qt::WindowStates kFilling = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (fixed != m_window->maximumSize() || m_yielded
            || (!(state & kFilling) && (m_window->size() == fixed || !m_shownAsItself)))
            return;
        if (!m_undone.isValid() || m_undone.elapsed() >= 1000) {
            m_undone.start();
            m_asked = 0;
        }
        if (++m_asked > 3) {
            m_yielded = true;
            return;
        }
        if (state & kFilling)
            m_window->setWindowState(state & ~kFilling);
        m_window->resize(fixed);
    }

    QWidget *m_window;
    ShowPlace m_place;
    std::function<void()> m_restyle;
    QElapsedTimer m_undone;
    int m_asked = 0;
    bool m_shownAsItself = false;
    bool m_yielded = false;
};

} // namespace

void fitToDesktop(QWidget *window, ShowPlace place, std::function<void()> restyle)
{
    new DesktopFit(window, place, std::move(restyle));
}

} // namespace tarvelo
