// Times a program from its start to its first painted top-level window on the X display in
// DISPLAY: the window's mapping, then the first moment its pixels are not all one colour.
// Prints "map_ms paint_ms cpu_ms" (cpu: the program's user + system time until then), or
// fails after the time limit. Usage: first_paint_probe SECONDS PROGRAM [ARGS...]

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
struct ImageDestroyer {
    void operator()(XImage* i) const { XDestroyImage(i); }
};

// Whether anything was drawn: a window Qt has not painted yet is one flat colour.
bool painted(Display* display, Window window, int width, int height)
{
    const std::unique_ptr<XImage, ImageDestroyer> image(
        XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap));
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image.get(), 0, 0);
    for (int y = 0; y < height; y += 3)
        for (int x = 0; x < width; x += 3)
            if (XGetPixel(image.get(), x, y) != first)
                return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_paint_probe SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double limitMs = std::atof(argv[1]) * 1000;
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "first_paint_probe: no X display\n");
        return 2;
    }
    Display* d = display.get();
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, ::environ) != 0) {
        std::fprintf(stderr, "first_paint_probe: cannot start %s\n", argv[2]);
        return 2;
    }
    double mapMs = -1, paintMs = -1;
    Window window = 0;
    int width = 0, height = 0;
    while (paintMs < 0 && millisecondsSince(start) < limitMs) {
        while (XPending(d)) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == MapNotify && !window && !event.xmap.override_redirect) {
                XWindowAttributes a;
                if (XGetWindowAttributes(d, event.xmap.window, &a) && a.width >= 200 && a.height >= 150) {
                    window = event.xmap.window;
                    width = a.width, height = a.height;
                    mapMs = millisecondsSince(start);
                }
            }
        }
        if (window && painted(d, window, width, height))
            paintMs = millisecondsSince(start);
        else
            std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                         + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    if (paintMs < 0) {
        std::fprintf(stderr, "first_paint_probe: no painted window within %s s\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f %.1f\n", mapMs, paintMs, cpuMs);
    return 0;
}
