// Times programs from process start to what their user waits for on an X display, and reads
// each program's peak resident memory. Usage:
//   startup_timing <runs> <program>[@x,y[=rrggbb]...] [<program>[@x,y[=rrggbb]...] ...]
// Two measures per run: the MapNotify of the program's first top-level window, and the moment
// the screen shows the program's content at its probe points (offsets from the mapped window's
// top-left; without probes, the window's centre): the photograph's centre and one circle for
// the card page, the first paint for the floor. The root window's pixels there are polled
// with XGetImage until they show the probe's colour: the one given, or else the one the probe
// settles on, read in a first run of each program that is not timed. (Give the colour where
// a later window covers the probe, as the help window covers the photograph's centre.) The first program is the floor the others are compared
// with; runs are interleaved, so that all see the same machine load, and medians are printed.
//
// Without a window manager top-level windows map on the root at once; a window asked to open
// maximized keeps its normal size there (the floor's is small). Under a window manager both
// are maximized and the map of the window's frame is caught, so compare memory there.
// Each run lets the program settle for 500 ms after its content shows (the idle-time build and
// the first timer tick), then ends it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

struct Probe
{
    int x = 0;
    int y = 0;
    unsigned long colour = 0;
    bool given = false; // the colour is the command line's, not the calibration's
};

struct Program
{
    std::string path;
    std::vector<Probe> probes; // empty: the window's centre, found at the first map
    bool calibrated = false;
    std::vector<double> mapped;
    std::vector<double> shown;
    long peakKiB = 0;
};

struct Sample
{
    double mappedMs = -1;
    double shownMs = -1;
    long peakKiB = 0;
};

Program Parse(const std::string &argument)
{
    Program program;
    const std::size_t at = argument.find('@');
    program.path = argument.substr(0, at);
    for (std::size_t from = at; from != std::string::npos;) {
        const std::size_t next = argument.find('@', from + 1);
        const std::string spec = argument.substr(from + 1, next == std::string::npos ? next : next - from - 1);
        Probe probe;
        const int fields = std::sscanf(spec.c_str(), "%d,%d=%lx", &probe.x, &probe.y, &probe.colour);
        if (fields < 2) {
            std::fprintf(stderr, "bad probe '%s' (want x,y or x,y=rrggbb)\n", spec.c_str());
            std::exit(2);
        }
        probe.given = fields == 3;
        program.probes.push_back(probe);
        from = next;
    }
    return program;
}

unsigned long RootPixel(Display *display, int x, int y)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

// The root coordinates of the mapped window's top-left and its size.
void Place(Display *display, Window window, int *x, int *y, int *width, int *height)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, x, y, &child);
    *width = attributes.width;
    *height = attributes.height;
}

// Colours as a 24-bit TrueColor visual holds them, within a few steps per channel.
bool Near(unsigned long a, unsigned long b)
{
    for (int shift : {0, 8, 16}) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 4)
            return false;
    }
    return true;
}

// A window manager may still move or maximize the window after its map: the probes follow it.
bool AllShown(Display *display, const Program &program, Window window)
{
    int originX = 0, originY = 0, width = 0, height = 0;
    Place(display, window, &originX, &originY, &width, &height);
    for (const Probe &probe : program.probes) {
        if (!Near(RootPixel(display, originX + probe.x, originY + probe.y), probe.colour))
            return false;
    }
    return true;
}

// Starts the program and waits for its map and, once calibrated, for its content; a
// calibration run instead lets the program settle and reads the colours its probes show.
Sample RunOnce(Display *display, Program &program)
{
    XSync(display, True);
    const bool timed = program.calibrated;
    const auto start = Clock::now();
    const auto elapsed = [start] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
    const pid_t child = fork();
    if (child == 0) {
        execl(program.path.c_str(), program.path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    Sample sample;
    Window window = 0;
    int originX = 0, originY = 0, width = 0, height = 0;
    const auto deadline = start + std::chrono::seconds(20);
    while (Clock::now() < deadline && (sample.mappedMs < 0 || (timed && sample.shownMs < 0))) {
        while (!window && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                sample.mappedMs = elapsed();
                window = event.xmap.window;
                Place(display, window, &originX, &originY, &width, &height);
                if (program.probes.empty())
                    program.probes.push_back({width / 2, height / 2, 0});
            }
        }
        if (window && timed && AllShown(display, program, window))
            sample.shownMs = elapsed();
        else
            usleep(window ? 1000 : 200);
    }
    if (window && !timed) {
        usleep(1500 * 1000);
        Place(display, window, &originX, &originY, &width, &height);
        for (Probe &probe : program.probes) {
            if (!probe.given)
                probe.colour = RootPixel(display, originX + probe.x, originY + probe.y);
        }
        program.calibrated = true;
    } else {
        usleep(500 * 1000);
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    if (!window || (timed && sample.shownMs < 0)) {
        std::fprintf(stderr, "%s: %s\n", program.path.c_str(), window ? "content never shown" : "no window mapped");
        std::exit(1);
    }
    sample.peakKiB = usage.ru_maxrss;
    return sample;
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
        std::fprintf(stderr, "usage: %s <runs> <program>[@x,y[=rrggbb]...]...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The pointer off every window, so that no hover changes what the probes show.
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 0, 0);

    std::vector<Program> programs;
    for (int p = 2; p < argc; ++p)
        programs.push_back(Parse(argv[p]));
    for (Program &program : programs)
        RunOnce(display, program);
    for (int run = 0; run < runs; ++run) {
        for (Program &program : programs) {
            const Sample s = RunOnce(display, program);
            program.mapped.push_back(s.mappedMs);
            program.shown.push_back(s.shownMs);
            program.peakKiB = std::max(program.peakKiB, s.peakKiB);
        }
    }
    const Program &floor = programs.front();
    const double floorMapped = Median(floor.mapped);
    const double floorShown = Median(floor.shown);
    for (const Program &program : programs) {
        const double mapped = Median(program.mapped);
        const double shown = Median(program.shown);
        // The fastest run beside the median: the one the shared machine disturbed least.
        const double fastest = *std::min_element(program.shown.begin(), program.shown.end());
        std::printf("%-16s mapped %6.1f ms (x%.2f)  shown %6.1f ms (x%.2f, fastest %6.1f)  peak RSS %5.1f MiB (%+.1f MiB)\n",
                    program.path.substr(program.path.rfind('/') + 1).c_str(), mapped, mapped / floorMapped, shown,
                    shown / floorShown, fastest, program.peakKiB / 1024.0, (program.peakKiB - floor.peakKiB) / 1024.0);
    }
    XCloseDisplay(display);
    return 0;
}
