#pragma once

#include <QRect>

class QWidget;

namespace tarvelo {

// Where a window's frame goes: centred on `centre`, then, only if it would
// reach outside `available`, shifted the least distance that keeps it inside;
// a frame larger than the area keeps its top-left corner inside. All in
// logical pixels.
QRect centredFrame(const QSize &frameSize, const QPoint &centre, const QRect &available);

// Places `window`, about to be shown, with its frame placed as centredFrame()
// says. On X11 the frame is the one the window manager tells before mapping,
// else one learnt earlier, and the place is corrected once if the frame it
// reports after mapping differs; on Wayland the compositor places windows.
void placeCentred(QWidget *window, const QPoint &centre, const QRect &available);

// The frame round `window`, shown, as the window manager last reported it
// (Qt may keep one it read before the manager had framed the window).
QRect windowFrame(const QWidget *window);

// Tells the window manager that `window`, about to be shown, keeps its size:
// on X11 its Motif hints then offer neither resizing nor maximising nor
// minimising (Qt's own always offer resizing). Elsewhere nothing to say.
void declareFixedSize(QWidget *window);

} // namespace tarvelo
