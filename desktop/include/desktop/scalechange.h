#pragma once

#include <QEvent>

namespace tarvelo {

// True for the event that tells a widget its window's screen changed scale
// (Qt 6.6 and later; before, a window keeps the rendition it was built with).
// Qt hands it to event(), not to changeEvent().
inline bool isDevicePixelRatioChange(const QEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    return event->type() == QEvent::DevicePixelRatioChange;
#else
    Q_UNUSED(event)
    return false;
#endif
}

} // namespace tarvelo
