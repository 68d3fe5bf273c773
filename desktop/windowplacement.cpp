#include "windowplacement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <optional>

#ifdef TARVELO_HAVE_XCB
#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#endif

namespace tarvelo {

namespace {

void placeWithFrame(QWidget *window, const QMargins &margins, const QPoint &centre, const QRect &available)
{
    const QRect frame = centredFrame(window->size().grownBy(margins), centre, available);
    // The client's place; the window manager draws the frame round it.
    window->setGeometry(QRect(frame.topLeft() + QPoint(margins.left(), margins.top()), window->size()));
}

#ifdef TARVELO_HAVE_XCB

using Clock = std::chrono::steady_clock;

// Showing a window waits at most this long for the window manager. Those that
// answer at once do so in 1-3 ms; a slow one (60 ms and more) is corrected
// once it has told, which costs less than making every start wait for it.
constexpr auto kQueryDeadline = std::chrono::milliseconds(15);
// A frame reported later than this after the show is learnt, but the window,
// by then in the user's hands, is not moved.
constexpr qint64 kCorrectionMs = 1000;

template<typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// Asks for and follows the frames the window manager draws, on an X
// connection of our own: its replies and events reach nobody else, so waiting
// can block on its socket without taking anything from Qt's reader thread,
// and a reply that comes late is ours to drop.
class FrameWatch : public QObject {
public:
    static FrameWatch *instance();
    ~FrameWatch() override { xcb_disconnect(m_connection); }

    // Places `window` (created, not yet mapped) centred by its frame: the one
    // the manager tells before mapping, else the one learnt from an earlier
    // window, else none; then follows it, and corrects the place once if the
    // frame reported after mapping differs.
    void place(QWidget *window, const QPoint &centre, const QRect &available);
    // The frame last learnt for the window, else the one it was placed with.
    std::optional<QMargins> frameOf(const QWidget *window) const;

private:
    explicit FrameWatch(xcb_connection_t *connection);
    bool knowAtoms(Clock::time_point deadline);
    std::optional<QMargins> ask(xcb_window_t id, xcb_window_t root, qreal ratio, Clock::time_point deadline);
    unsigned int getExtents(xcb_window_t id);
    bool readFollowedFrames();
    template<typename Reply> ReplyPointer<Reply> replyBy(unsigned int sequence, Clock::time_point deadline);
    bool waitForInput(Clock::time_point deadline);
    void handle(const xcb_generic_event_t *event);
    void readEvents();
    void selectEvents(xcb_window_t id, uint32_t mask);

    struct Followed {
        QPointer<QWidget> window;
        QMargins used;
        QPoint centre;
        QRect available;
        QElapsedTimer since;
        unsigned int reading = 0; // the request for its frame, once reported
    };

    xcb_connection_t *m_connection;
    QSocketNotifier *m_notifier = nullptr;
    xcb_atom_t m_request = XCB_ATOM_NONE;
    xcb_atom_t m_extents = XCB_ATOM_NONE;
    std::map<xcb_window_t, Followed> m_followed;
    std::map<xcb_window_t, QMargins> m_learnt;
    std::optional<QMargins> m_lastLearnt;
    // While asking: the window, whether its frame was reported, and whether
    // the manager has got through the request.
    xcb_window_t m_asking = XCB_WINDOW_NONE;
    xcb_window_t m_marker = XCB_WINDOW_NONE;
    uint32_t m_markWidth = 0;
    // Per root: a window never shown, whose changes tell when the manager
    // has caught up.
    std::map<xcb_window_t, xcb_window_t> m_markers;
    bool m_reported = false;
    bool m_caughtUp = false;
};

FrameWatch *FrameWatch::instance()
{
    static QPointer<FrameWatch> watch;
    static bool failed = false;
    if (!watch && !failed) {
        // The display Qt was given (DISPLAY); a window this server does not
        // know gets no question, only a frame learnt before.
        xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            failed = true;
            return nullptr;
        }
        watch = new FrameWatch(connection);
    }
    return watch;
}

FrameWatch::FrameWatch(xcb_connection_t *connection) : QObject(qApp), m_connection(connection)
{
    m_notifier = new QSocketNotifier(qintptr(xcb_get_file_descriptor(connection)), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FrameWatch::readEvents);
}

bool FrameWatch::waitForInput(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return false;
    pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    return poll(&socket, 1, int(left)) > 0;
}

template<typename Reply> ReplyPointer<Reply> FrameWatch::replyBy(unsigned int sequence, Clock::time_point deadline)
{
    xcb_flush(m_connection);
    for (;;) {
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (xcb_poll_for_reply(m_connection, sequence, &reply, &error)) {
            std::free(error);
            return ReplyPointer<Reply>(static_cast<Reply *>(reply), &std::free);
        }
        // Reading the reply may have read events too.
        readEvents();
        if (xcb_connection_has_error(m_connection) || !waitForInput(deadline)) {
            xcb_discard_reply(m_connection, sequence);
            return ReplyPointer<Reply>(nullptr, &std::free);
        }
    }
}

void FrameWatch::selectEvents(xcb_window_t id, uint32_t mask)
{
    xcb_change_window_attributes(m_connection, id, XCB_CW_EVENT_MASK, &mask);
}

unsigned int FrameWatch::getExtents(xcb_window_t id)
{
    const unsigned int sequence = xcb_get_property(m_connection, 0, id, m_extents, XCB_ATOM_CARDINAL, 0, 4).sequence;
    xcb_flush(m_connection);
    return sequence;
}

std::optional<QMargins> extentsFrom(const xcb_get_property_reply_t *reply, qreal ratio)
{
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply) != 16)
        return std::nullopt;
    // Left, right, top, bottom, in device pixels.
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply));
    return QMargins(qRound(values[0] / ratio), qRound(values[2] / ratio), qRound(values[1] / ratio),
                    qRound(values[3] / ratio));
}

// _NET_REQUEST_FRAME_EXTENTS: a manager that answers sets _NET_FRAME_EXTENTS
// on the unmapped window. Some list the request and never answer, others
// answer without listing it, so it is always sent, and followed by a change
// the manager must pass on: a border width, then 0, on a window of our own
// that is never shown (changed on the window itself, fluxbox 1.3.7 later
// puts it off by as much as the program moved its owner). Managers handle
// requests in order, so once that change is seen, an answer would have come
// before it.
std::optional<QMargins> FrameWatch::ask(xcb_window_t id, xcb_window_t root, qreal ratio, Clock::time_point deadline)
{
    xcb_window_t &marker = m_markers[root];
    if (marker == XCB_WINDOW_NONE) {
        marker = xcb_generate_id(m_connection);
        const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, marker, root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    m_asking = id;
    m_marker = marker;
    m_reported = false;
    m_caughtUp = false;
    selectEvents(id, XCB_EVENT_MASK_PROPERTY_CHANGE);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = m_request;
    xcb_send_event(m_connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    // A width of its own for each question: a late notice of an earlier one
    // must not count.
    m_markWidth = m_markWidth % 1000 + 1;
    for (const uint32_t width : {m_markWidth, 0u})
        xcb_configure_window(m_connection, marker, XCB_CONFIG_WINDOW_BORDER_WIDTH, &width);
    xcb_flush(m_connection);
    while (!m_reported && !m_caughtUp && !xcb_connection_has_error(m_connection) && waitForInput(deadline))
        readEvents();
    m_asking = XCB_WINDOW_NONE;
    if (!m_reported)
        return std::nullopt;
    return extentsFrom(replyBy<xcb_get_property_reply_t>(getExtents(id), deadline).get(), ratio);
}

void FrameWatch::place(QWidget *window, const QPoint &centre, const QRect &available)
{
    const auto id = xcb_window_t(window->winId());
    // Qt's own requests (the window's creation) must reach the server before
    // ours speak of the window. The manager may hold the server a moment
    // (xfwm4 does while it frames a window): the deadline starts after.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *qtConnection = x11->connection();
    std::free(xcb_get_input_focus_reply(qtConnection, xcb_get_input_focus(qtConnection), nullptr));
    const auto deadline = Clock::now() + kQueryDeadline;

    std::optional<QMargins> margins;
    if (knowAtoms(deadline)) {
        // Its root, the one of its own screen; none on another server.
        const auto geometry = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, id).sequence, deadline);
        if (geometry)
            margins = ask(id, geometry->root, window->devicePixelRatio(), deadline);
    }
    if (margins) {
        m_learnt[id] = *margins;
        m_lastLearnt = margins;
    } else if (const auto own = m_learnt.find(id); own != m_learnt.end()) {
        margins = own->second;
    } else {
        margins = m_lastLearnt;
    }
    const QMargins used = margins.value_or(QMargins());
    placeWithFrame(window, used, centre, available);
    Followed &followed = m_followed[id];
    followed = Followed{window, used, centre, available, {}};
    followed.since.start();
}

bool FrameWatch::knowAtoms(Clock::time_point deadline)
{
    if (m_request != XCB_ATOM_NONE)
        return true;
    const auto intern = [this](const char *name) {
        return xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name).sequence;
    };
    const unsigned int request = intern("_NET_REQUEST_FRAME_EXTENTS");
    const unsigned int extents = intern("_NET_FRAME_EXTENTS");
    const auto requestReply = replyBy<xcb_intern_atom_reply_t>(request, deadline);
    const auto extentsReply = replyBy<xcb_intern_atom_reply_t>(extents, deadline);
    if (!requestReply || !extentsReply)
        return false;
    m_extents = extentsReply->atom;
    m_request = requestReply->atom;
    return true;
}

std::optional<QMargins> FrameWatch::frameOf(const QWidget *window) const
{
    const auto id = xcb_window_t(window->internalWinId());
    if (const auto learnt = m_learnt.find(id); learnt != m_learnt.end())
        return learnt->second;
    // Not reported yet: the frame it was placed with.
    if (const auto followed = m_followed.find(id); followed != m_followed.end())
        return followed->second.used;
    return std::nullopt;
}

void FrameWatch::handle(const xcb_generic_event_t *event)
{
    constexpr uint8_t kSentByClient = 0x80;
    switch (event->response_type & ~kSentByClient) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (change->atom != m_extents || change->state != XCB_PROPERTY_NEW_VALUE)
            return;
        if (change->window == m_asking) {
            m_reported = true;
            return;
        }
        // Read without waiting: the manager may hold the server while it
        // maps the window.
        const auto found = m_followed.find(change->window);
        if (found != m_followed.end() && !found->second.reading)
            found->second.reading = getExtents(change->window);
        return;
    }
    case XCB_CONFIGURE_NOTIFY: {
        // The manager's own notices (sent by a client) do not count.
        const auto *change = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        if (!(event->response_type & kSentByClient) && change->window == m_marker
            && change->border_width == m_markWidth)
            m_caughtUp = true;
        return;
    }
    default:
        return;
    }
}

// The frames reported once windows were mapped: learnt, and a window placed
// with another frame is placed again, once. True if any was read.
bool FrameWatch::readFollowedFrames()
{
    std::vector<std::pair<Followed, ReplyPointer<xcb_get_property_reply_t>>> read;
    for (auto followed = m_followed.begin(); followed != m_followed.end();) {
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (!followed->second.reading || !xcb_poll_for_reply(m_connection, followed->second.reading, &reply, &error)) {
            ++followed;
            continue;
        }
        std::free(error);
        selectEvents(followed->first, XCB_EVENT_MASK_NO_EVENT);
        read.emplace_back(
            followed->second,
            ReplyPointer<xcb_get_property_reply_t>(static_cast<xcb_get_property_reply_t *>(reply), &std::free));
        followed = m_followed.erase(followed);
    }
    for (const auto &[followed, reply] : read) {
        if (!followed.window)
            continue;
        const std::optional<QMargins> frame = extentsFrom(reply.get(), followed.window->devicePixelRatio());
        if (!frame)
            continue;
        m_learnt[xcb_window_t(followed.window->internalWinId())] = *frame;
        m_lastLearnt = frame;
        if (*frame != followed.used && followed.since.elapsed() < kCorrectionMs && followed.window->isVisible())
            placeWithFrame(followed.window, *frame, followed.centre, followed.available);
    }
    return !read.empty();
}

void FrameWatch::readEvents()
{
    bool more = true;
    while (more) {
        more = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            handle(event);
            std::free(event);
            more = true;
        }
        more = readFollowedFrames() || more;
    }
    if (xcb_connection_has_error(m_connection))
        m_notifier->setEnabled(false);
}

#endif

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
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), reply->atom, reply->atom, 32,
                        5, hints);
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
    return QRect(
        QPoint(place(centre.x() - frameSize.width() / 2, frameSize.width(), available.x(), available.width()),
               place(centre.y() - frameSize.height() / 2, frameSize.height(), available.y(), available.height())),
        frameSize);
}

QRect windowFrame(const QWidget *window)
{
#ifdef TARVELO_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (FrameWatch *watch = FrameWatch::instance()) {
            if (const std::optional<QMargins> margins = watch->frameOf(window))
                return window->geometry().marginsAdded(*margins);
        }
    }
#endif
    return window->frameGeometry();
}

void placeCentred(QWidget *window, const QPoint &centre, const QRect &available)
{
    const QString platform = QGuiApplication::platformName();
#ifdef TARVELO_HAVE_XCB
    if (platform == QLatin1String("xcb")) {
        if (FrameWatch *watch = FrameWatch::instance())
            watch->place(window, centre, available);
        return;
    }
#endif
    // Offscreen there is no frame; elsewhere (Wayland, other systems) the
    // platform places windows itself.
    if (platform == QLatin1String("offscreen"))
        placeWithFrame(window, QMargins(), centre, available);
}

} // namespace tarvelo
