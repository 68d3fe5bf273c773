#include "desktop/platformchoice.h"

#include <QtGlobal>

#ifdef TARVELO_HAVE_WAYLAND
#include <chrono>

#include <poll.h>
#include <wayland-client.h>
#endif

namespace tarvelo {

namespace {

#ifdef TARVELO_HAVE_WAYLAND

// The names of the compositor's globals; empty if it did not answer within
// half a second (a compositor that hangs must not hang the start).
QByteArrayList compositorGlobals()
{
    QByteArrayList globals;
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return globals;
    wl_registry *registry = wl_display_get_registry(display);
    static const wl_registry_listener kRegistry{
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            static_cast<QByteArrayList *>(data)->append(QByteArray(interface));
        },
        [](void *, wl_registry *, uint32_t) {
        }};
    wl_registry_add_listener(registry, &kRegistry, &globals);
    // Every global is announced before the answer to a sync that follows.
    bool done = false;
    wl_callback *sync = wl_display_sync(display);
    static const wl_callback_listener kSync{[](void *data, wl_callback *, uint32_t) {
        *static_cast<bool *>(data) = true;
    }};
    wl_callback_add_listener(sync, &kSync, &done);
    const auto bound = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!done) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        const auto left
            = std::chrono::ceil<std::chrono::milliseconds>(bound - std::chrono::steady_clock::now()).count();
        pollfd socket{wl_display_get_fd(display), POLLIN, 0};
        if (left <= 0 || poll(&socket, 1, int(left)) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) != 0)
            break;
        wl_display_dispatch_pending(display);
    }
    wl_callback_destroy(sync);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return done ? globals : QByteArrayList();
}

#endif

} // namespace

bool shouldRunOnX11(const QByteArray &userPlatform, const QByteArray &waylandDisplay, const QByteArray &x11Display,
                    const QByteArrayList &compositorGlobals)
{
    if (!userPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty() || compositorGlobals.isEmpty())
        return false;
    // xdg-decoration, or KDE's older protocol that KWin offers too.
    return !compositorGlobals.contains("zxdg_decoration_manager_v1")
        && !compositorGlobals.contains("org_kde_kwin_server_decoration_manager");
}

void choosePlatform()
{
#ifdef TARVELO_HAVE_WAYLAND
    const QByteArray userPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    const QByteArray x11Display = qgetenv("DISPLAY");
    if (!userPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty())
        return;
    if (shouldRunOnX11(userPlatform, waylandDisplay, x11Display, compositorGlobals()))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}

} // namespace tarvelo
