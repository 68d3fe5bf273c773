// Starts one program and measures, from just before its exec, the time until
// its first window is mapped and first painted, then its resident memory
// once it has settled. Under X the map and the first paint are seen from
// outside (substructure events on the root window, structure events and
// XDamage on each new window of the program: a window manager reparents it
// and draws frames of its own); offscreen, the program reports its first paint itself.
//
//   xstartup x|offscreen SETTLE_MS PROGRAM [ARGS...]
// prints: map_ms=... paint_ms=... rss_kib=...

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long residentKiB(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *status = std::fopen(path.c_str(), "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kib = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(status);
    return kib;
}

// A window may be gone before its damage is watched (Qt creates and drops
// helper windows at start); Xlib's default handler would end this process.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

// Whether `window` belongs to process `pid` (Qt sets _NET_WM_PID before mapping).
bool ownedBy(Display *display, Window window, pid_t pid)
{
    static const Atom wmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const bool owned
        = XGetWindowProperty(display, window, wmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && format == 32 && count == 1 && pid_t(*reinterpret_cast<long *>(data)) == pid;
    if (data)
        XFree(data);
    return owned;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "xstartup: %s\n", what);
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        fail("usage: xstartup x|offscreen SETTLE_MS PROGRAM [ARGS...]");
    const bool offscreen = std::strcmp(argv[1], "offscreen") == 0;
    const int settleMs = std::atoi(argv[2]);

    Display *display = nullptr;
    int damageEvent = 0;
    int damageError = 0;
    if (!offscreen) {
        display = XOpenDisplay(nullptr);
        if (!display)
            fail("cannot open the X display");
        XSetErrorHandler(ignoreXError);
        if (!XDamageQueryExtension(display, &damageEvent, &damageError))
            fail("the X server has no DAMAGE extension");
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, False);
    }

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        fail("pipe");
    const long long start = nowNs();
    const pid_t child = fork();
    if (child == 0) {
        if (offscreen)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        execv(argv[3], argv + 3);
        _exit(127);
    }
    close(pipeFds[1]);

    long long mapped = 0;
    long long painted = 0;
    const long long deadline = start + 20'000'000'000LL;
    if (offscreen) {
        FILE *out = fdopen(pipeFds[0], "r");
        char line[128];
        while (!painted && std::fgets(line, sizeof line, out)) {
            long long at = 0;
            if (std::sscanf(line, "first-paint-ns %lld", &at) == 1)
                painted = mapped = at;
        }
    } else {
        std::set<Window> watched;
        std::set<Window> shown;
        pollfd xfd{ConnectionNumber(display), POLLIN, 0};
        while (!painted && nowNs() < deadline) {
            if (!XPending(display)) {
                poll(&xfd, 1, 100);
                continue;
            }
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify) {
                // Watch before the program can draw: it maps and paints later.
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
                XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
                watched.insert(event.xcreatewindow.window);
            } else if (event.type == MapNotify && watched.count(event.xmap.window)
                       && ownedBy(display, event.xmap.window, child)) {
                shown.insert(event.xmap.window);
                if (!mapped)
                    mapped = nowNs();
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto *damage = reinterpret_cast<XDamageNotifyEvent *>(&event);
                if (shown.count(damage->drawable))
                    painted = nowNs();
            }
        }
    }
    if (!painted) {
        kill(child, SIGKILL);
        fail("no first paint seen");
    }

    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long rss = residentKiB(child);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    std::printf("map_ms=%.3f paint_ms=%.3f rss_kib=%ld\n", (mapped - start) / 1e6, (painted - start) / 1e6, rss);
    return 0;
}
