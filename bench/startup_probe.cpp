// Measures how fast a program shows its first window, from outside the program.
//
//   startup_probe [--title T] [--region X,Y,W,H] [--colour RRGGBB]... [--rss-after MS]
//                 [--cpu-from MS --cpu-to MS] [--keys-on-map] -- program [args...]
//
// Starts the program, watches the X server for the map of a top-level window (whose title
// contains T, when given), then reads the window's pixels until the region (the whole window
// unless given) holds every colour given: that is "painted". A window mapped and not painted
// yet shows black on a virtual X server, so black alone tells nothing; pick colours only the
// program's painting puts there. Prints one line:
//   map_ms=<exec to map> paint_ms=<exec to painted> rss_kb=<resident at --rss-after>
//   cpu_ms_per_s=<CPU used per second between --cpu-from and --cpu-to>
// and ends the program. Exit status 1 when nothing was mapped within 20 s.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string WindowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success && data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

bool RegionHolds(Display* display, Window window, const int region[4], unsigned long colour) {
    XImage* image = XGetImage(display, window, region[0], region[1], static_cast<unsigned>(region[2]),
                              static_cast<unsigned>(region[3]), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool found = false;
    for (int y = 0; y < region[3] && !found; ++y)
        for (int x = 0; x < region[2] && !found; ++x) found = (XGetPixel(image, x, y) & 0xFFFFFF) == colour;
    XDestroyImage(image);
    return found;
}

bool RegionHolds(Display* display, Window window, const int region[4], const std::vector<unsigned long>& colours) {
    for (const unsigned long colour : colours)
        if (!RegionHolds(display, window, region, colour)) return false;
    return true;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// User plus system CPU time of the process, in milliseconds.
double CpuMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void SleepUntil(Clock::time_point start, int ms) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
}

}  // namespace

int main(int argc, char** argv) {
    std::string title;
    int region[4] = {0, 0, 0, 0};
    std::vector<unsigned long> colours;
    int rssAfter = 3000, cpuFrom = -1, cpuTo = -1;
    bool keysOnMap = false;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--title") title = value, ++i;
        else if (option == "--region") std::sscanf(value, "%d,%d,%d,%d", &region[0], &region[1], &region[2], &region[3]), ++i;
        else if (option == "--colour") colours.push_back(std::strtoul(value, nullptr, 16)), ++i;
        else if (option == "--rss-after") rssAfter = std::atoi(value), ++i;
        else if (option == "--cpu-from") cpuFrom = std::atoi(value), ++i;
        else if (option == "--cpu-to") cpuTo = std::atoi(value), ++i;
        else if (option == "--keys-on-map") keysOnMap = true;
        else { std::fprintf(stderr, "startup_probe: unknown option %s\n", argv[i]); return 2; }
    }
    if (i + 1 >= argc) { std::fprintf(stderr, "startup_probe: no program given\n"); return 2; }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) { std::fprintf(stderr, "startup_probe: no display\n"); return 2; }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[i + 1], argv + i + 1);
        _exit(127);
    }

    Window window = 0;
    double mapMs = -1, paintMs = -1;
    const int fd = ConnectionNumber(display);
    while (window == 0 && MillisecondsSince(start) < 20000) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || window != 0) continue;
            if (!title.empty() && WindowTitle(display, event.xmap.window).find(title) == std::string::npos) continue;
            window = event.xmap.window;
            mapMs = MillisecondsSince(start);
        }
        if (window == 0) {
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 5);
        }
    }
    if (window == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::fprintf(stderr, "startup_probe: no window mapped\n");
        return 1;
    }
    if (colours.empty()) {
        paintMs = mapMs;
    } else {
        if (region[2] == 0) {
            XWindowAttributes attributes;
            XGetWindowAttributes(display, window, &attributes);
            region[2] = attributes.width;
            region[3] = attributes.height;
        }
        while (MillisecondsSince(start) < 20000) {
            if (RegionHolds(display, window, region, colours)) {
                paintMs = MillisecondsSince(start);
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    if (keysOnMap) {
        // The caller's next step (for instance an xdotool key) runs now; give it a signal.
        std::printf("mapped\n");
        std::fflush(stdout);
    }

    SleepUntil(start, rssAfter);
    const long rss = ResidentKb(pid);
    double cpuPerSecond = -1;
    if (cpuFrom >= 0 && cpuTo > cpuFrom) {
        SleepUntil(start, cpuFrom);
        const double before = CpuMs(pid);
        SleepUntil(start, cpuTo);
        cpuPerSecond = (CpuMs(pid) - before) / ((cpuTo - cpuFrom) / 1000.0);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("map_ms=%.1f paint_ms=%.1f rss_kb=%ld cpu_ms_per_s=%.3f\n", mapMs, paintMs, rss, cpuPerSecond);
    return 0;
}
