#include "desktop/desktopfit.h"

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
        }
        return false;
    }

private:
    QWidget *m_window;
    ShowPlace m_place;
    std::function<void()> m_restyle;
};

} // namespace

void fitToDesktop(QWidget *window, ShowPlace place, std::function<void()> restyle)
{
    new DesktopFit(window, place, std::move(restyle));
}

} // namespace tarvelo
