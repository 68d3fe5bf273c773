#pragma once

#include <QRect>
#include <Qt>

class QWidget;

namespace tarvelo {

// Where a window's frame goes: centred on `centre`, then, only if it would
// reach outside `available`, shifted the least distance that keeps it inside;
// a frame larger than the area keeps its top-left corner inside. All in
// logical pixels.
QRect centredFrame(const QSize &frameSize, const QPoint &centre, const QRect &available);

// Readies `window`, about to be shown (created, not yet mapped), to appear
// with its frame centred over the frame of `over`, or, with none, on its
// screen; inside the available area of that screen either way. On X11 the
// window manager is also told that the window keeps its size (Motif hints:
// neither resizing nor maximising nor minimising; Qt's own always offer
// resizing). The frame is the one the manager tells before mapping, else one
// learnt from an earlier window; each other frame it reports in the window's
// first second on screen corrects the place. On Windows the frame is known
// before the window is shown. Elsewhere (Wayland) the platform places windows.
void placeFixedCentred(QWidget *window, const QWidget *over = nullptr);

// The flags of a window of `type` that keeps its size: a title and a close
// box, neither maximise nor minimise; on Windows also the system menu (the
// close box needs it) and the thin border of a window that cannot be resized.
Qt::WindowFlags fixedWindowFlags(Qt::WindowType type);

} // namespace tarvelo
