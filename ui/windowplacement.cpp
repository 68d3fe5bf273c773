#include "windowplacement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#ifdef TARVELO_HAVE_XCB
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#endif

namespace tarvelo {

namespace {

#ifdef TARVELO_HAVE_XCB

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// A reply within a short time, or none: the window manager may hold the
// server, and showing a window must never wait on it for long.
template <typename Reply>
ReplyPointer<Reply> replyWithin(xcb_connection_t *connection, unsigned int sequence)
{
    xcb_flush(connection);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    do {
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (xcb_poll_for_reply(connection, sequence, &reply, &error)) {
            std::free(error);
            return ReplyPointer<Reply>(static_cast<Reply *>(reply), &std::free);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return ReplyPointer<Reply>(nullptr, &std::free);
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = replyWithin<xcb_intern_atom_reply_t>(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name).sequence);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a property, empty when it is missing.
std::vector<uint32_t> property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const auto reply = replyWithin<xcb_get_property_reply_t>(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024).sequence);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

// _NET_REQUEST_FRAME_EXTENTS: the window manager sets _NET_FRAME_EXTENTS on a
// window it has not mapped yet, as it will frame it.
std::optional<QMargins> askWindowManager(QWidget *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return std::nullopt;
    xcb_connection_t *connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    // No window manager: no frame.
    if (property(connection, root, atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).empty())
        return QMargins();
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<uint32_t> supported = property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The answer is a property on our window; wait for it without running
    // Qt's event loop (no handler may run half-way through a show).
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::vector<uint32_t> values = property(connection, id, extents, XCB_ATOM_CARDINAL);
        if (values.size() == 4) {
            // Left, right, top, bottom, in device pixels.
            const qreal ratio = window->devicePixelRatioF();
            return QMargins(qRound(values[0] / ratio), qRound(values[2] / ratio), qRound(values[1] / ratio),
                            qRound(values[3] / ratio));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

#endif

// The frame the window manager will draw round `window` (created, not yet
// shown), in logical pixels; nothing where the platform places windows itself
// or cannot tell (Wayland, other systems).
std::optional<QMargins> expectedFrameMargins(QWidget *window)
{
#ifdef TARVELO_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return askWindowManager(window);
#endif
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QMargins();
    Q_UNUSED(window)
    return std::nullopt;
}

} // namespace

void declareFixedSize(QWidget *window)
{
#ifdef TARVELO_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t *connection = x11->connection();
    // The server answers this itself, never the window manager: no wait to bound.
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr),
        &std::free);
    if (!reply)
        return;
    // Flags (functions, decorations); functions: move, close; decorations:
    // border, title, window menu.
    const uint32_t hints[5] = {0x1 | 0x2, 0x04 | 0x20, 0x02 | 0x08 | 0x10, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), reply->atom, reply->atom,
                        32, 5, hints);
    xcb_flush(connection);
#else
    Q_UNUSED(window)
#endif
}

QRect centredFrame(const QSize &frameSize, const QPoint &centre, const QRect &available)
{
    const auto place = [](int centred, int frame, int start, int length) {
        if (frame >= length)
            return start;
        return std::clamp(centred, start, start + length - frame);
    };
    return QRect(QPoint(place(centre.x() - frameSize.width() / 2, frameSize.width(), available.x(), available.width()),
                        place(centre.y() - frameSize.height() / 2, frameSize.height(), available.y(),
                              available.height())),
                 frameSize);
}

void placeCentred(QWidget *window, const QPoint &centre, const QRect &available)
{
    const std::optional<QMargins> margins = expectedFrameMargins(window);
    if (!margins)
        return;
    const QRect frame = centredFrame(window->size().grownBy(*margins), centre, available);
    // The client's place; the window manager draws the frame round it.
    window->setGeometry(QRect(frame.topLeft() + QPoint(margins->left(), margins->top()), window->size()));
}

} // namespace tarvelo
