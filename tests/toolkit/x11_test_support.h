// What the in-process X11 tests share: a fresh toolkit with the program's window open on
// $DISPLAY, a log of calls, and the toolkit's connection to sync with the tests' own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/x_helpers.h"
#include "toolkit/callbacks.h"
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit_test {

namespace x = testsupport::x;

inline std::string calls;
inline int idles = 0;

inline void note(const std::string& call) { calls += (calls.empty() ? "" : ", ") + call; }

inline int noteMouse(const char* what, toolkit::InputEvent* e) {
    note(std::string(what) + " " + std::to_string(e->data[3]) + " " + std::to_string(e->data[0]) +
         " " + std::to_string(e->data[1]));
    return 1;
}

class X11Window : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: DISPLAY is unset";
        display = x::probe();
        ASSERT_NE(display, nullptr) << "cannot open the X display " << std::getenv("DISPLAY");
        toolkit::callbacks::reset();
        calls.clear();
        idles = 0;
        toolkit::setWindowPlacement(50, 10, 400, 400);
        toolkit::setDisplayMode(0x102);
        ASSERT_EQ(toolkit::openWindow("toolkit x11 test"), 1);
        window = Window(toolkit::getWindowHandle());
        XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
        x::movePointer(display, 0, 0);
    }
    void TearDown() override {
        if (display) toolkit::platform::destroyWindow();
    }

    // Waits until every event the server has sent so far sits in the toolkit's queue.
    static void syncToolkit() { XSync(toolkit::x11::state.display, False); }

    // The user closes the window.
    static void close() {
        x::sendDeleteWindow(x::probe(), Window(toolkit::getWindowHandle()));
        syncToolkit();
    }

    Display* display = nullptr; // the tests' own connection
    Window window = 0;
};

} // namespace toolkit_test
