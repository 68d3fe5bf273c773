#include "desktop/windowplacement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

#ifdef TARVELO_HAVE_XCB
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#endif

namespace tarvelo {

namespace {

QRect windowFrame(const QWidget *window);

// The centre a window goes to, and the area it must stay inside.
struct Target {
    QPoint centre;
    QRect available;
};

Target targetFor(const QWidget *window, const QWidget *over, const QRect &overFrame)
{
    if (over)
        return {overFrame.center(), over->screen()->availableGeometry()};
    const QRect available = window->screen()->availableGeometry();
    return {available.center(), available};
}

// The client's place for the frame `margins` centred on `target`; the window
// manager draws the frame round it.
QPoint clientPlace(const QWidget *window, const QMargins &margins, const Target &target)
{
    const QRect frame = centredFrame(window->size().grownBy(margins), target.centre, target.available);
    return frame.topLeft() + QPoint(margins.left(), margins.top());
}

void placeWithFrame(QWidget *window, const QMargins &margins, const Target &target)
{
    window->setGeometry(QRect(clientPlace(window, margins, target), window->size()));
}

#ifdef TARVELO_HAVE_XCB

using Clock = std::chrono::steady_clock;

// Showing a window waits at most this long for the window manager to tell
// its frame. The window cannot appear before the manager has handled its
// mapping anyway, so the wait costs little (1-3 ms where the manager answers
// at once, a few round trips on a remote display); the bound is for a
// manager that does not answer. A frame told later corrects the place.
constexpr auto kManagerBound = std::chrono::milliseconds(250);
// Frames reported this long after the show still move the window; later
// ones, the window by then in the user's hands, are only learnt.
constexpr qint64 kFollowMs = 1000;
// A manager's own placement of a window comes this soon after mapping it.
constexpr qint64 kManagerSettleMs = 300;

constexpr std::array<const char *, 4> kAtomNames{"_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS", "_MOTIF_WM_HINTS",
                                                 "_NET_SUPPORTING_WM_CHECK"};

template<typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// Asks for and follows the frames the window manager draws, on an X
// connection of our own: its replies and events reach nobody else, so waiting
// can block on its socket without taking anything from Qt's reader thread,
// and a reply that comes late is ours to drop. Nothing on it waits without a
// bound.
class FrameWatch : public QObject {
public:
    static FrameWatch *instance();
    ~FrameWatch() override { xcb_disconnect(m_connection); }

    void place(QWidget *window, const QWidget *over);
    // The frame last learnt for the window, else the one it was placed with.
    std::optional<QMargins> frameOf(const QWidget *window) const;
    // Where the server has the window's client area: Qt's own idea may still
    // be a place it left (a late notice).
    std::optional<QPoint> placeOf(const QWidget *window);

private:
    enum Atom { RequestExtents, Extents, MotifHints, SupportingCheck, AtomCount };
    struct Followed {
        QPointer<QWidget> window;
        QPointer<const QWidget> over;
        QMargins used;
        QElapsedTimer since;
        unsigned int locating = 0; // asking again for a window the server did not know
        unsigned int reading = 0; // the request for its frame, once reported
        bool readAgain = false; // reported again while that was under way
        bool reported = false;
        QElapsedTimer mapped; // started once the manager has mapped it
        int moves = 0; // made after mapping, where the manager had put it elsewhere
        QPoint placed; // the client's place last given
        bool movedByProgram = false; // elsewhere since, by the program itself
    };

    explicit FrameWatch(xcb_connection_t *connection);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void placeFollowed(QWidget *window, const QMargins &margins, const Target &target);
    unsigned int intern(const char *name);
    bool knowAtoms(std::optional<Clock::time_point> bound);
    xcb_window_t rootOf(xcb_window_t id, Clock::time_point bound);
    void declareFixedSize(xcb_window_t id);
    std::optional<QMargins> ask(xcb_window_t id, xcb_window_t root, qreal ratio, Clock::time_point bound);
    void catchUp(xcb_window_t root, Clock::time_point bound);
    void verify(xcb_window_t id);
    void toVerify(xcb_window_t id);
    bool managerTellsFrames(xcb_window_t root, Clock::time_point bound);
    std::optional<QMargins> frameFromTree(xcb_window_t id, qreal ratio, Clock::time_point bound);
    unsigned int getExtents(xcb_window_t id);
    unsigned int locate(xcb_window_t id);
    void follow(xcb_window_t id, const QMargins &frame);
    bool readFollowedFrames();
    template<typename Reply> ReplyPointer<Reply> replyBy(unsigned int sequence, Clock::time_point bound);
    bool waitForInput(Clock::time_point bound);
    void handle(const xcb_generic_event_t *event);
    void readEvents();
    void drainLater();
    void selectEvents(xcb_window_t id, uint32_t mask);
    QMargins frameOrNone(xcb_window_t id) const;

    xcb_connection_t *m_connection;
    QSocketNotifier *m_notifier = nullptr;
    bool m_drainPosted = false;
    std::array<unsigned int, AtomCount> m_interning{};
    std::array<xcb_atom_t, AtomCount> m_atoms{};
    bool m_atomsKnown = false;
    bool m_knowingAtoms = false;
    // Windows whose size was to be declared before the atoms were known.
    std::vector<xcb_window_t> m_undeclared;
    // Windows just mapped, their place to check.
    std::vector<xcb_window_t> m_toVerify;
    bool m_verifying = false;
    std::map<xcb_window_t, Followed> m_followed;
    std::map<xcb_window_t, QMargins> m_learnt;
    std::optional<QMargins> m_lastLearnt;
    // Per root: whether its manager reports frames (_NET_FRAME_EXTENTS).
    std::map<xcb_window_t, bool> m_reporting;
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

// A window the program moves itself once placed stays where the program put
// it: following the frame must not take it back to the centre. Its own moves
// are the ones Qt did not hear of from the server.
bool FrameWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Move && !event->spontaneous() && watched->isWidgetType()) {
        const auto *window = static_cast<QWidget *>(watched);
        const auto found = m_followed.find(xcb_window_t(window->internalWinId()));
        if (found != m_followed.end() && found->second.window == window
            && window->geometry().topLeft() != found->second.placed)
            found->second.movedByProgram = true;
    }
    return false;
}

void FrameWatch::placeFollowed(QWidget *window, const QMargins &margins, const Target &target)
{
    Followed &followed = m_followed[xcb_window_t(window->winId())];
    followed.placed = clientPlace(window, margins, target);
    placeWithFrame(window, margins, target);
}

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
    // Asked at once, waited for only when needed: on a remote display their
    // round trip overlaps the others.
    for (int atom = 0; atom < AtomCount; ++atom)
        m_interning[atom] = intern(kAtomNames[atom]);
    xcb_flush(m_connection);
}

unsigned int FrameWatch::intern(const char *name)
{
    return xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name).sequence;
}

bool FrameWatch::waitForInput(Clock::time_point bound)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(bound - Clock::now()).count();
    if (left <= 0)
        return false;
    pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    return poll(&socket, 1, int(left)) > 0;
}

template<typename Reply> ReplyPointer<Reply> FrameWatch::replyBy(unsigned int sequence, Clock::time_point bound)
{
    xcb_flush(m_connection);
    const auto take = [this, sequence]() -> std::optional<ReplyPointer<Reply>> {
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (!xcb_poll_for_reply(m_connection, sequence, &reply, &error))
            return std::nullopt;
        std::free(error);
        return ReplyPointer<Reply>(static_cast<Reply *>(reply), &std::free);
    };
    for (;;) {
        // Taking a reply may read events that came with it: those are no
        // longer on the socket for the notifier to tell of.
        if (auto reply = take()) {
            drainLater();
            return std::move(*reply);
        }
        // Reading events reads the replies that came with them: those are
        // no longer on the socket to wait for.
        readEvents();
        if (auto reply = take()) {
            drainLater();
            return std::move(*reply);
        }
        if (xcb_connection_has_error(m_connection) || !waitForInput(bound)) {
            xcb_discard_reply(m_connection, sequence);
            return ReplyPointer<Reply>(nullptr, &std::free);
        }
    }
}

// Without a bound, only the replies already read.
bool FrameWatch::knowAtoms(std::optional<Clock::time_point> bound)
{
    if (m_atomsKnown || m_knowingAtoms)
        return m_atomsKnown;
    // Events read while waiting must not take the replies waited for.
    m_knowingAtoms = true;
    const auto done = qScopeGuard([this] { m_knowingAtoms = false; });
    for (int atom = 0; atom < AtomCount; ++atom) {
        if (!m_interning[atom])
            continue;
        ReplyPointer<xcb_intern_atom_reply_t> reply(nullptr, &std::free);
        if (bound) {
            reply = replyBy<xcb_intern_atom_reply_t>(m_interning[atom], *bound);
            if (!reply) {
                // Dropped by replyBy: asked again, for a later window.
                m_interning[atom] = intern(kAtomNames[atom]);
                xcb_flush(m_connection);
                return false;
            }
        } else {
            void *raw = nullptr;
            xcb_generic_error_t *error = nullptr;
            if (!xcb_poll_for_reply(m_connection, m_interning[atom], &raw, &error))
                return false;
            std::free(error);
            reply.reset(static_cast<xcb_intern_atom_reply_t *>(raw));
        }
        m_atoms[atom] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        m_interning[atom] = 0;
    }
    m_atomsKnown = true;
    for (const xcb_window_t id : std::exchange(m_undeclared, {}))
        declareFixedSize(id);
    return true;
}

void FrameWatch::selectEvents(xcb_window_t id, uint32_t mask)
{
    xcb_change_window_attributes(m_connection, id, XCB_CW_EVENT_MASK, &mask);
}

// The root of the window's own screen. Qt's creation of the window travels on
// its own connection: until the server has it, the window is unknown here.
xcb_window_t FrameWatch::rootOf(xcb_window_t id, Clock::time_point bound)
{
    do {
        if (const auto geometry = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, id).sequence, bound))
            return geometry->root;
    } while (!xcb_connection_has_error(m_connection) && Clock::now() < bound);
    return XCB_WINDOW_NONE;
}

// The manager reads these when the window is mapped: set here, they reach
// the server before the question that the show waits for.
void FrameWatch::declareFixedSize(xcb_window_t id)
{
    if (m_atoms[MotifHints] == XCB_ATOM_NONE)
        return;
    // Flags (functions, decorations); functions: move, close; decorations:
    // border, title, window menu.
    const uint32_t hints[5] = {0x1 | 0x2, 0x04 | 0x20, 0x02 | 0x08 | 0x10, 0, 0};
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, id, m_atoms[MotifHints], m_atoms[MotifHints], 32, 5,
                        hints);
    xcb_flush(m_connection);
}

unsigned int FrameWatch::getExtents(xcb_window_t id)
{
    const unsigned int sequence
        = xcb_get_property(m_connection, 0, id, m_atoms[Extents], XCB_ATOM_CARDINAL, 0, 4).sequence;
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
// answer without listing it, so it is always sent, and waited for until the
// manager has caught up: an answer would have come before.
std::optional<QMargins> FrameWatch::ask(xcb_window_t id, xcb_window_t root, qreal ratio, Clock::time_point bound)
{
    m_asking = id;
    m_reported = false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = m_atoms[RequestExtents];
    xcb_send_event(m_connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    catchUp(root, bound);
    m_asking = XCB_WINDOW_NONE;
    if (!m_reported)
        return std::nullopt;
    return extentsFrom(replyBy<xcb_get_property_reply_t>(getExtents(id), bound).get(), ratio);
}

// Waits until the manager has handled what was sent to it so far (or a
// frame is reported while asking): it must pass on a change of a border
// width, then 0, on a window of our own that is never shown (changed on the
// window itself, fluxbox 1.3.7 later puts it off by as much as the program
// moved its owner), and managers handle requests in order.
void FrameWatch::catchUp(xcb_window_t root, Clock::time_point bound)
{
    xcb_window_t &marker = m_markers[root];
    if (marker == XCB_WINDOW_NONE) {
        marker = xcb_generate_id(m_connection);
        const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, marker, root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    m_marker = marker;
    m_caughtUp = false;
    // A width of its own for each wait: a late notice of an earlier one must
    // not count.
    m_markWidth = m_markWidth % 1000 + 1;
    for (const uint32_t width : {m_markWidth, 0u})
        xcb_configure_window(m_connection, marker, XCB_CONFIG_WINDOW_BORDER_WIDTH, &width);
    xcb_flush(m_connection);
    const auto answered = [this] {
        return m_asking != XCB_WINDOW_NONE && m_reported;
    };
    while (!answered() && !m_caughtUp && !xcb_connection_has_error(m_connection) && waitForInput(bound))
        readEvents();
}

void FrameWatch::place(QWidget *window, const QWidget *over)
{
    const auto id = xcb_window_t(window->winId());
    // Qt's own requests, the window's creation first, on their way.
    xcb_flush(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    const auto bound = Clock::now() + kManagerBound;

    std::optional<QMargins> margins;
    // None: another server's window, or one the server did not get in time.
    const xcb_window_t root = rootOf(id, bound);
    if (root != XCB_WINDOW_NONE)
        selectEvents(id, XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    if (knowAtoms(bound)) {
        declareFixedSize(id);
        if (root != XCB_WINDOW_NONE)
            margins = ask(id, root, window->devicePixelRatio(), bound);
    } else {
        m_undeclared.push_back(id);
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
    const QRect overFrame = over ? windowFrame(over) : QRect();
    Followed &followed = m_followed[id];
    followed = Followed();
    window->installEventFilter(this);
    placeFollowed(window, used, targetFor(window, over, overFrame));
    followed.window = window;
    followed.over = over;
    followed.used = used;
    followed.since.start();
    // A server that held the window back (a manager may hold it a while as
    // it starts) is asked again, without waiting, until it knows the window.
    if (root == XCB_WINDOW_NONE)
        followed.locating = locate(id);
}

unsigned int FrameWatch::locate(xcb_window_t id)
{
    const unsigned int sequence = xcb_get_geometry(m_connection, id).sequence;
    xcb_flush(m_connection);
    return sequence;
}

// Device pixels to logical ones and back, scaled about the screen's corner,
// which Qt keeps where it is in both.
QPoint logicalPlace(const QWidget *window, const QPoint &device)
{
    const QPoint corner = window->screen()->geometry().topLeft();
    return corner + (QPointF(device - corner) / window->devicePixelRatio()).toPoint();
}

QPoint devicePlace(const QWidget *window, const QPoint &logical)
{
    const QPoint corner = window->screen()->geometry().topLeft();
    return corner + (QPointF(logical - corner) * window->devicePixelRatio()).toPoint();
}

std::optional<QPoint> FrameWatch::placeOf(const QWidget *window)
{
    const auto id = xcb_window_t(window->internalWinId());
    const auto bound = Clock::now() + kManagerBound;
    const auto geometry = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, id).sequence, bound);
    if (!geometry)
        return std::nullopt;
    const auto inRoot = replyBy<xcb_translate_coordinates_reply_t>(
        xcb_translate_coordinates(m_connection, id, geometry->root, 0, 0).sequence, bound);
    if (!inRoot)
        return std::nullopt;
    return logicalPlace(window, QPoint(inRoot->dst_x, inRoot->dst_y));
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

// twm and its kind set no _NET_FRAME_EXTENTS; they say so by not naming
// themselves on the root (_NET_SUPPORTING_WM_CHECK).
bool FrameWatch::managerTellsFrames(xcb_window_t root, Clock::time_point bound)
{
    if (const auto known = m_reporting.find(root); known != m_reporting.end())
        return known->second;
    const auto reply = replyBy<xcb_get_property_reply_t>(
        xcb_get_property(m_connection, 0, root, m_atoms[SupportingCheck], XCB_ATOM_WINDOW, 0, 1).sequence, bound);
    if (!reply)
        return true; // not known: wait for a report rather than guess
    return m_reporting[root] = xcb_get_property_value_length(reply.get()) == 4;
}

// The frame as the window tree shows it: the window's place within the
// ancestor that is a child of the root, which the manager made to frame it.
std::optional<QMargins> FrameWatch::frameFromTree(xcb_window_t id, qreal ratio, Clock::time_point bound)
{
    xcb_window_t top = id;
    for (int depth = 0; depth < 8; ++depth) {
        const auto tree = replyBy<xcb_query_tree_reply_t>(xcb_query_tree(m_connection, top).sequence, bound);
        if (!tree)
            return std::nullopt;
        if (tree->parent == tree->root)
            break;
        top = tree->parent;
    }
    // Not framed (yet, or any more): no frame to learn.
    if (top == id)
        return std::nullopt;
    const auto client = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, id).sequence, bound);
    const auto frame = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, top).sequence, bound);
    if (!client || !frame)
        return std::nullopt;
    const auto inRoot = replyBy<xcb_translate_coordinates_reply_t>(
        xcb_translate_coordinates(m_connection, id, client->root, 0, 0).sequence, bound);
    if (!inRoot)
        return std::nullopt;
    const int outer = 2 * frame->border_width;
    const int left = inRoot->dst_x - frame->x;
    const int topMargin = inRoot->dst_y - frame->y;
    const int right = frame->x + frame->width + outer - (inRoot->dst_x + client->width);
    const int bottom = frame->y + frame->height + outer - (inRoot->dst_y + client->height);
    if (std::min({left, topMargin, right, bottom}) < 0)
        return std::nullopt;
    return QMargins(qRound(left / ratio), qRound(topMargin / ratio), qRound(right / ratio), qRound(bottom / ratio));
}

void FrameWatch::follow(xcb_window_t id, const QMargins &frame)
{
    const auto found = m_followed.find(id);
    if (found == m_followed.end())
        return;
    const Followed &followed = found->second;
    m_learnt[id] = frame;
    m_lastLearnt = frame;
    if (!followed.window || frame == followed.used || followed.since.elapsed() >= kFollowMs
        || !followed.window->isVisible() || followed.movedByProgram)
        return;
    found->second.used = frame;
    // Reading the owner's place reads events, which may end the following.
    const QPointer<QWidget> window = followed.window;
    const QPointer<const QWidget> over = followed.over;
    const QRect overFrame = over ? windowFrame(over) : QRect();
    if (window)
        placeFollowed(window, frame, targetFor(window, over, overFrame));
}

void FrameWatch::toVerify(xcb_window_t id)
{
    if (std::find(m_toVerify.cbegin(), m_toVerify.cend(), id) == m_toVerify.cend())
        m_toVerify.push_back(id);
}

// Once the manager has mapped a window and caught up, where its frame is: a
// manager may have placed it by its own rule (awesome keeps new windows
// from overlapping others) or taken the client's place for the frame's
// (i3, for a window being mapped, not for one moved later). A frame off its
// place is moved there, twice at most: a manager that insists has its way.
void FrameWatch::verify(xcb_window_t id)
{
    const auto bound = Clock::now() + kManagerBound;
    const auto geometry = replyBy<xcb_get_geometry_reply_t>(xcb_get_geometry(m_connection, id).sequence, bound);
    auto found = m_followed.find(id);
    if (!geometry || found == m_followed.end() || !found->second.window)
        return;
    const QPointer<QWidget> window = found->second.window;
    const qreal ratio = window->devicePixelRatio();
    catchUp(geometry->root, bound);
    std::optional<QMargins> frame;
    if (managerTellsFrames(geometry->root, bound))
        frame = extentsFrom(replyBy<xcb_get_property_reply_t>(getExtents(id), bound).get(), ratio);
    else
        frame = frameFromTree(id, ratio, bound);
    const auto inRoot = replyBy<xcb_translate_coordinates_reply_t>(
        xcb_translate_coordinates(m_connection, id, geometry->root, 0, 0).sequence, bound);
    found = m_followed.find(id);
    if (!frame || !inRoot || !window || found == m_followed.end() || found->second.since.elapsed() >= kFollowMs)
        return;
    m_learnt[id] = *frame;
    m_lastLearnt = frame;
    found->second.used = *frame;
    const QPointer<const QWidget> over = found->second.over;
    // Reading the owner's place reads events, which may end the following.
    const QRect overFrame = over ? windowFrame(over) : QRect();
    found = m_followed.find(id);
    if (!window || found == m_followed.end() || found->second.movedByProgram)
        return;
    const QPoint actual = logicalPlace(window, QPoint(inRoot->dst_x, inRoot->dst_y));
    const QPoint wanted = clientPlace(window, *frame, targetFor(window, over, overFrame));
    const QPoint off = wanted - actual;
    if ((qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1) || found->second.moves >= 2)
        return;
    ++found->second.moves;
    found->second.placed = wanted;
    // Asked here, not through Qt: Qt may still believe the window is where
    // it asked for it, and then asks for nothing.
    const QPoint device = devicePlace(window, wanted);
    const uint32_t place[2] = {uint32_t(int32_t(device.x())), uint32_t(int32_t(device.y()))};
    xcb_configure_window(m_connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(m_connection);
}

void FrameWatch::handle(const xcb_generic_event_t *event)
{
    constexpr uint8_t kSentByClient = 0x80;
    switch (event->response_type & ~kSentByClient) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (!knowAtoms(std::nullopt) || change->atom != m_atoms[Extents] || change->state != XCB_PROPERTY_NEW_VALUE)
            return;
        if (change->window == m_asking) {
            m_reported = true;
            return;
        }
        // Read without waiting: the manager may hold the server while it
        // maps the window.
        const auto found = m_followed.find(change->window);
        if (found == m_followed.end())
            return;
        found->second.reported = true;
        if (found->second.reading)
            found->second.readAgain = true;
        else
            found->second.reading = getExtents(change->window);
        return;
    }
    case XCB_MAP_NOTIFY: {
        // Checked once the events read so far are handled: checking waits
        // for the manager, and reads events meanwhile.
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
        if (const auto found = m_followed.find(map->window); found != m_followed.end()) {
            found->second.mapped.start();
            toVerify(map->window);
        }
        return;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto *change = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        if (event->response_type & kSentByClient) {
            // The manager telling a window just mapped that it moved it
            // (awesome may place a window again a moment after mapping
            // it); later moves are the user's, and not undone.
            const auto found = m_followed.find(change->window);
            if (found != m_followed.end() && found->second.mapped.isValid()
                && found->second.mapped.elapsed() <= kManagerSettleMs)
                toVerify(change->window);
        } else if (change->window == m_marker && change->border_width == m_markWidth) {
            m_caughtUp = true;
        }
        return;
    }
    default:
        return;
    }
}

// The frames reported once windows were mapped. True if any was read.
bool FrameWatch::readFollowedFrames()
{
    std::vector<std::pair<xcb_window_t, ReplyPointer<xcb_get_property_reply_t>>> read;
    for (auto followed = m_followed.begin(); followed != m_followed.end();) {
        Followed &state = followed->second;
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (state.locating && xcb_poll_for_reply(m_connection, state.locating, &reply, &error)) {
            state.locating = 0;
            if (reply && knowAtoms(std::nullopt)) {
                // Known at last: followed from now on, and its frame read
                // in case the manager reported it before.
                selectEvents(followed->first, XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                state.reading = getExtents(followed->first);
            } else if (state.window && state.since.elapsed() < kFollowMs) {
                state.locating = locate(followed->first);
            }
            std::free(reply);
            std::free(error);
            reply = nullptr;
            error = nullptr;
        }
        if (state.reading && xcb_poll_for_reply(m_connection, state.reading, &reply, &error)) {
            std::free(error);
            read.emplace_back(
                followed->first,
                ReplyPointer<xcb_get_property_reply_t>(static_cast<xcb_get_property_reply_t *>(reply), &std::free));
            state.reading = std::exchange(state.readAgain, false) ? getExtents(followed->first) : 0;
        }
        if (!state.reading && !state.locating && (!state.window || state.since.elapsed() >= kFollowMs)) {
            selectEvents(followed->first, XCB_EVENT_MASK_NO_EVENT);
            followed = m_followed.erase(followed);
        } else {
            ++followed;
        }
    }
    for (const auto &[id, reply] : read) {
        const auto found = m_followed.find(id);
        const QWidget *window = found != m_followed.end() ? found->second.window.data() : nullptr;
        if (!window)
            continue;
        if (const std::optional<QMargins> frame = extentsFrom(reply.get(), window->devicePixelRatio()))
            follow(id, *frame);
    }
    return !read.empty();
}

void FrameWatch::drainLater()
{
    if (m_drainPosted)
        return;
    m_drainPosted = true;
    QTimer::singleShot(0, this, [this] {
        m_drainPosted = false;
        readEvents();
    });
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
    if (!m_verifying && m_atomsKnown) {
        m_verifying = true;
        while (!m_toVerify.empty()) {
            const xcb_window_t id = m_toVerify.front();
            m_toVerify.erase(m_toVerify.begin());
            verify(id);
        }
        m_verifying = false;
    }
    if (xcb_connection_has_error(m_connection))
        m_notifier->setEnabled(false);
}

#endif

// The frame round `window`, shown, as the window manager last reported it
// (Qt may keep one it read before the manager had framed the window), where
// the server has it.
QRect windowFrame(const QWidget *window)
{
#ifdef TARVELO_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (FrameWatch *watch = FrameWatch::instance()) {
            const std::optional<QMargins> margins = watch->frameOf(window);
            const std::optional<QPoint> place = window->isVisible() ? watch->placeOf(window) : std::nullopt;
            if (margins)
                return QRect(place.value_or(window->pos()), window->size()).marginsAdded(*margins);
        }
    }
#endif
    return window->frameGeometry();
}

} // namespace

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

void placeFixedCentred(QWidget *window, const QWidget *over)
{
    const QString platform = QGuiApplication::platformName();
#ifdef TARVELO_HAVE_XCB
    if (platform == QLatin1String("xcb")) {
        if (FrameWatch *watch = FrameWatch::instance())
            watch->place(window, over);
        return;
    }
#endif
    // Windows tells the frame of a created window before it is shown (and
    // offscreen there is none); elsewhere (Wayland) the platform places
    // windows itself.
    if (platform == QLatin1String("windows") || platform == QLatin1String("offscreen")) {
        const QWindow *handle = window->windowHandle();
        placeWithFrame(window, handle ? handle->frameMargins() : QMargins(),
                       targetFor(window, over, over ? windowFrame(over) : QRect()));
    }
}

Qt::WindowFlags fixedWindowFlags(Qt::WindowType type)
{
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
#ifdef Q_OS_WIN
    // The close box needs the system menu there; the thin border, a fixed size.
    flags |= Qt::WindowSystemMenuHint | Qt::MSWindowsFixedSizeDialogHint;
#endif
    return flags;
}

} // namespace tarvelo
