#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace tarvelo {

// Where Qt would draw the windows' frames itself on Wayland (the compositor
// offers no server-side decorations: mutter, weston), its title bar offers
// maximising and minimising whatever the window allows, and under weston a
// click on maximise ends the program. There, if XWayland is there too, the
// program runs on X11: its window manager draws a fixed frame and the
// program centres its windows. A platform the user chose is kept.

// True to run on X11, from what was found: the user's QT_QPA_PLATFORM, the
// Wayland and X displays, and the globals the compositor offers.
bool shouldRunOnX11(const QByteArray &userPlatform, const QByteArray &waylandDisplay, const QByteArray &x11Display,
                    const QByteArrayList &compositorGlobals);

// Chooses the platform before the application is made (QT_QPA_PLATFORM).
void choosePlatform();

} // namespace tarvelo
