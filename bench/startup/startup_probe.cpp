// Starts a program on the X display in DISPLAY and reports, in one line,
//   mapped_ms frame_ms rss_kb
// the time from exec to its window being mapped, to the first drawing into that
// window (the first frame, seen through the X DAMAGE extension), and its resident
// memory once shown. Then it ends the program.
// Usage: startup_probe PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Windows that cannot be drawn into (input-only ones) refuse a damage watch;
// they are of no interest, so such errors are ignored.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_probe PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    std::set<Window> mapped;
    double mappedAt = -1;
    double frameAt = -1;
    while (frameAt < 0) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "the program ended before its first frame\n");
            return 1;
        }
        if (!XPending(display)) {
            usleep(100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
            // Watch every new top-level window from its creation, before it can draw.
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            mapped.insert(event.xmap.window);
            if (mappedAt < 0) {
                mappedAt = nowMs() - start;
            }
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
            if (mapped.count(damage->drawable)) {
                frameAt = nowMs() - start;
            }
            XDamageSubtract(display, damage->damage, None, None);
        }
    }
    usleep(200000); // let the shown window settle before reading its memory
    const long rss = residentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::printf("%.2f %.2f %ld\n", mappedAt, frameAt, rss);
    return 0;
}
