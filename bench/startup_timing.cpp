// Times programs from process start to their main window being mapped on an X display, and
// reads each program's peak resident memory. Time it on an Xvfb display without a window
// manager, where top-level windows map on the root at once. There a window asked to open
// maximized keeps its normal size, though (the floor's is small), so compare memory under a
// window manager, where both are maximized and the map of the window's frame is caught. Usage:
//   startup_timing <runs> <program> [<program> ...]
// Each run starts the program, waits for the MapNotify of its first top-level window, lets it
// settle for 500 ms (the idle-time build and the first timer tick), then ends it.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double milliseconds;
    long peakKiB;
};

bool WaitForMap(Display *display, double timeoutSeconds)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        usleep(200);
    }
    return false;
}

Sample RunOnce(Display *display, const char *program)
{
    XSync(display, True);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    const bool mapped = WaitForMap(display, 20.0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    usleep(500 * 1000);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "%s: no window mapped\n", program);
        std::exit(1);
    }
    return {ms, usage.ru_maxrss};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <runs> <program>...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    std::vector<std::vector<double>> times(argc - 2);
    std::vector<long> peaks(argc - 2, 0);
    // Interleave the programs so that both see the same machine load.
    for (int run = 0; run < runs; ++run) {
        for (int p = 2; p < argc; ++p) {
            const Sample s = RunOnce(display, argv[p]);
            times[p - 2].push_back(s.milliseconds);
            peaks[p - 2] = std::max(peaks[p - 2], s.peakKiB);
        }
    }
    const double floor = Median(times[0]);
    for (int p = 2; p < argc; ++p) {
        const double median = Median(times[p - 2]);
        std::printf("%-40s median %7.1f ms (x%.2f of the first)  peak RSS %6.1f MiB (%+.1f MiB)\n", argv[p], median,
                    median / floor, peaks[p - 2] / 1024.0, (peaks[p - 2] - peaks[0]) / 1024.0);
    }
    XCloseDisplay(display);
    return 0;
}
