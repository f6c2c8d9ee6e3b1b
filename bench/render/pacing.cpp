// Frame pacing of the program's own loop on the bundled formaldehyde example: frames per second
// and CPU time while the window is shown, CPU time while it is unmapped, and the same once it
// is mapped again. A second thread plays the user with its own X connection. Needs $DISPLAY.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include <X11/Xlib.h>

#include "reader/gaussian_reader.h"
#include "reader/run_data.h"
#include "render/frame.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "tests/support/molecules.h"
#include "toolkit/toolkit.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double phaseSeconds = 3.0;

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Frames drawn so far; read by the user thread only to take differences.
std::atomic<long> frames{0};

void countedFrame() {
    render::drawFrame();
    frames.fetch_add(1, std::memory_order_relaxed);
}

struct Phase {
    double seconds, cpu;
    long frames;
};

Phase measure() {
    const Clock::time_point start = Clock::now();
    const double cpu = processCpuSeconds();
    const long before = frames.load();
    std::this_thread::sleep_for(std::chrono::duration<double>(phaseSeconds));
    return {std::chrono::duration<double>(Clock::now() - start).count(), processCpuSeconds() - cpu,
            frames.load() - before};
}

void report(const char* what, const Phase& p) {
    std::printf("%-28s %7.1f frames/s, CPU %5.1f %% of a core\n", what, p.frames / p.seconds,
                100.0 * p.cpu / p.seconds);
}

// The user: waits for the window, measures, unmaps it, measures, maps it, measures, closes it.
void user() {
    Display* d = XOpenDisplay(nullptr);
    while (frames.load() < 10) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const Window w = Window(toolkit::getWindowHandle());
    const Phase shown = measure();
    XUnmapWindow(d, w);
    XSync(d, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const Phase hidden = measure();
    XMapWindow(d, w);
    XSync(d, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const Phase again = measure();
    report("shown:", shown);
    report("unmapped:", hidden);
    report("mapped again:", again);

    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, w, False, NoEventMask, &e);
    XCloseDisplay(d);
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "pacing_bench: set DISPLAY to an X server (e.g. Xvfb)\n");
        return 1;
    }
    testsupport::loadFirstMode(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out");
    std::printf("formaldehyde (%d atoms), mode 1, 400 x 400, %.0f s per phase "
                "(target: at most about 60 frames/s shown, about 0 %% CPU unmapped)\n",
                render::atomCount, phaseSeconds);
    std::thread player(user);
    render::runGraphics(countedFrame);
    player.join();
    return 0;
}
