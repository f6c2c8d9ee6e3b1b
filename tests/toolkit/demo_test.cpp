// The demo program driven from outside as a user would, with XTest: it opens at the requested
// place, runs its callbacks and handlers, and ends by Escape (status 0) or by closing (return
// from the loop). A failure to open shows an "Error" box until it is dismissed, then ends with
// status 1; without any X display it says so on standard error and ends with status 1.
#include <X11/keysym.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/support/files.h"
#include "tests/toolkit/x11_test_support.h"

namespace toolkit_test {
namespace {

constexpr int timeout = 15000;

// CPU time the process has used so far, all its threads, in seconds.
double cpuSeconds(pid_t pid) {
    const std::string text = testsupport::readFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) // utime and stime are fields 14 and 15
        if (i >= 14) ticks += std::stol(field);
    return double(ticks) / double(sysconf(_SC_CLK_TCK));
}

// The number after `label` in the child's output, -1 when it is not there.
long numberAfter(const std::string& seen, const std::string& label) {
    const std::size_t at = seen.find(label);
    return at == std::string::npos ? -1 : std::stol(seen.substr(at + label.size()));
}

class Demo : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: DISPLAY is unset";
        display = x::probe();
        ASSERT_NE(display, nullptr) << "cannot open the X display " << std::getenv("DISPLAY");
        XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
        started = std::chrono::steady_clock::now();
        child = x::spawn(TOOLKIT_DEMO_PATH, std::getenv("DISPLAY"));
        ASSERT_GT(child.pid, 0);
        ASSERT_TRUE(x::waitForLine(child, "frame 1", timeout)) << child.seen;
        ASSERT_TRUE(x::waitForLine(child, "idle", timeout)) << child.seen;
        demoWindow = x::findWindow(display, "Toolkit demo", timeout);
        ASSERT_NE(demoWindow, 0u);
    }
    void TearDown() override {
        if (child.pid > 0 && child.output >= 0) x::waitForExit(child, 0);
    }
    Display* display = nullptr;
    x::Child child;
    Window demoWindow = 0;
    std::chrono::steady_clock::time_point started;
};

TEST_F(Demo, OpensAtItsPlaceRunsItsCallbacksAndHandlersAndEndsByEscapeWithStatusZero) {
    int x = 0, y = 0, w = 0, h = 0;
    x::windowGeometry(display, demoWindow, x, y, w, h);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 400);
    EXPECT_EQ(child.seen.rfind("open 1\nreshape 400 400\n", 0), 0u) << child.seen;

    x::movePointer(display, 50 + 200, 10 + 100);
    x::button(display, 1, true);
    x::movePointer(display, 50 + 220, 10 + 130);
    x::button(display, 1, false);
    EXPECT_TRUE(x::waitForLine(child, "press 1 200 100", timeout)) << child.seen;
    EXPECT_TRUE(x::waitForLine(child, "release 1 220 130", timeout)) << child.seen;

    x::key(display, XK_Escape);
    EXPECT_EQ(x::waitForExit(child, timeout), 0) << child.seen;
    EXPECT_EQ(child.seen.find("loop returned"), std::string::npos) << "ends without returning";
    EXPECT_NE(child.seen.find("display\n"), std::string::npos) << child.seen;
}

TEST_F(Demo, ClosingTheWindowReturnsFromTheLoop) {
    x::sendDeleteWindow(display, demoWindow);
    EXPECT_EQ(x::waitForExit(child, timeout), 0) << child.seen;
    EXPECT_NE(child.seen.find("loop returned\n"), std::string::npos) << child.seen;
    EXPECT_EQ(x::findWindow(display, "Toolkit demo", 0), 0u);
}

// Xvfb has no vertical sync, so only the loop's own pacing holds the rate; the count is checked
// against the whole time the program ran, an upper bound that a slow machine cannot break.
TEST_F(Demo, DrawsAtMostSixtyFramesASecondAndUsesNoCpuWhileUnmapped) {
    usleep(800 * 1000);
    XUnmapWindow(display, demoWindow);
    XSync(display, False);
    ASSERT_TRUE(x::waitForLine(child, "reshape 0 0", timeout)) << child.seen;
    usleep(200 * 1000);
    const double before = cpuSeconds(child.pid);
    usleep(1000 * 1000);
    const double hiddenCpu = cpuSeconds(child.pid) - before;
    EXPECT_LT(hiddenCpu, 0.1) << "CPU seconds used in one second unmapped";

    XMapWindow(display, demoWindow);
    XSync(display, False);
    usleep(600 * 1000);
    x::sendDeleteWindow(display, demoWindow);
    ASSERT_EQ(x::waitForExit(child, timeout), 0) << child.seen;
    const double ran =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const long frames = numberAfter(child.seen, "\nframes ");
    const long framesWhenHidden = numberAfter(child.seen, "hidden after ");
    EXPECT_LE(frames, long(60.0 * ran * 1.1) + 2) << "in " << ran << " s";
    EXPECT_GT(frames, framesWhenHidden) << "drawing goes on once mapped again";
}

TEST(DemoFailure, NoPixelFormatOnAnEightBitScreenShowsAnErrorBoxUntilReturnThenStatusOne) {
    x::Server server;
    x::startServer(server, "640x480x8");
    if (server.pid < 0) GTEST_SKIP() << "Xvfb could not be started";
    Display* display = server.display;
    x::Child child = x::spawn(TOOLKIT_DEMO_PATH, server.name.c_str());
    Window box = x::findWindow(display, "Error", timeout);
    EXPECT_NE(box, 0u) << child.seen;
    if (box) {
        usleep(300 * 1000);
        EXPECT_TRUE(x::running(child)) << "the box waits for the user";
        int x = 0, y = 0, w = 0, h = 0;
        x::windowGeometry(display, box, x, y, w, h);
        x::movePointer(display, x + w / 2, y + h / 4);
        x::key(display, XK_Return);
    }
    EXPECT_EQ(x::waitForExit(child, timeout), 1) << child.seen;
    EXPECT_EQ(child.seen, "") << "openWindow ends the run, and nothing is on the console";
}

TEST(DemoFailure, WithoutAnyDisplayOneLineOnStandardErrorAndStatusOne) {
    x::Child child = x::spawn(TOOLKIT_DEMO_PATH, ":4093");
    EXPECT_EQ(x::waitForExit(child, timeout), 1);
    EXPECT_NE(child.seen.find("cannot open the X display \":4093\": no window can be shown\n"),
              std::string::npos)
        << child.seen;
    EXPECT_EQ(child.seen.find("open"), child.seen.find("open the X"))
        << "openWindow never returned";
}

} // namespace
} // namespace toolkit_test
