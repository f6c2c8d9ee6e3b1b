// The X11 binding in-process on $DISPLAY: placement and buffers, the loop's first reshape,
// closing, real presses, motion and keys through XTest, the pointer grab, coalesced repaints
// and the 0 x 0 size of an unmapped window.
#include <thread>
#include <unistd.h>

#include "tests/toolkit/x11_test_support.h" // gtest before Xlib, whose macros clash with it

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <GL/gl.h>

#include "toolkit/window_layer.h"

namespace toolkit_test {
namespace {

using namespace toolkit;

TEST_F(X11Window, OpensAtTheRequestedPlaceWithExactDrawingAreaAndBuffers) {
    int x = 0, y = 0, w = 0, h = 0;
    x::windowGeometry(display, window, x, y, w, h);
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 400);
    EXPECT_EQ(x, 50) << "no window manager: no frame, the drawing area is at the outer corner";
    EXPECT_EQ(y, 10);

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display, window, &hints, &supplied));
    EXPECT_TRUE(hints.flags & USPosition);
    EXPECT_TRUE(hints.flags & USSize);
    char* title = nullptr;
    ASSERT_TRUE(XFetchName(display, window, &title));
    EXPECT_STREQ(title, "toolkit x11 test");
    XFree(title);
    setWindowTitle("toolkit x11 test, renamed");
    syncToolkit();
    ASSERT_TRUE(XFetchName(display, window, &title));
    EXPECT_STREQ(title, "toolkit x11 test, renamed");
    XFree(title);
    Atom* protocols = nullptr;
    int count = 0;
    ASSERT_TRUE(XGetWMProtocols(display, window, &protocols, &count));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(protocols[0], XInternAtom(display, "WM_DELETE_WINDOW", False));
    XFree(protocols);

    GLboolean doubleBuffer = GL_FALSE, rgba = GL_FALSE;
    GLint red = 0, depth = 0;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    glGetBooleanv(GL_RGBA_MODE, &rgba);
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_TRUE(doubleBuffer);
    EXPECT_TRUE(rgba);
    EXPECT_GE(red, 8);
    EXPECT_GE(depth, 16);
    GLfloat clear[4] = {1, 1, 1, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
    EXPECT_EQ(clear[3], 1.0f);
}

TEST_F(X11Window, FirstReshapeComesFromTheLoopBeforeAnyFrameAndClosingReturns) {
    setReshapeCallback(
        [](int w, int h) { note("reshape " + std::to_string(w) + " " + std::to_string(h)); });
    setIdleCallback([] {
        if (++idles == 1) {
            note("idle");
            close();
        }
    });
    runMainLoop([] { note("display"); });
    EXPECT_EQ(calls.rfind("reshape 400 400", 0), 0u) << calls;
    EXPECT_NE(calls.find("idle"), std::string::npos) << calls;
    EXPECT_EQ(getWindowHandle(), 0u);
    EXPECT_EQ(x::findWindow(display, "toolkit x11 test", 0), 0u) << "the window is destroyed";
}

TEST_F(X11Window, PressAndReleaseArrivingTogetherAreBothHandledBeforeTheNextIdle) {
    setMouseCallback(buttonLeft, eventPress, [](InputEvent* e) { return noteMouse("press", e); });
    setMouseCallback(buttonLeft, eventRelease,
                     [](InputEvent* e) { return noteMouse("release", e); });
    setIdleCallback([] {
        note("idle");
        if (++idles == 1) {
            Display* d = x::probe();
            x::movePointer(d, 150, 160);
            x::button(d, 1, true);
            x::button(d, 1, false);
            syncToolkit();
        } else {
            close();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "idle, press 1 100 150, release 1 100 150, idle");
}

// Another client's attempt to grab the pointer: AlreadyGrabbed while the toolkit holds the
// capture, GrabSuccess (and let go at once) when it does not.
int grabFromOutside(Display* d) {
    int result = XGrabPointer(d, DefaultRootWindow(d), False, 0, GrabModeAsync, GrabModeAsync, None,
                              None, CurrentTime);
    XUngrabPointer(d, CurrentTime);
    XSync(d, False);
    return result;
}

TEST_F(X11Window, RightPressCallsNoHandlerButGrabsThePointerUntilItsRelease) {
    setMouseCallback(buttonLeft, eventPress, [](InputEvent* e) { return noteMouse("press", e); });
    setMouseCallback(buttonRight, eventMove, [](InputEvent* e) { return noteMouse("move", e); });
    static int grabWhileHeld = -1, grabAfterRelease = -1;
    setIdleCallback([] {
        Display* d = x::probe();
        switch (++idles) {
        case 1:
            x::movePointer(d, 150, 160);
            x::button(d, 3, true);
            syncToolkit();
            break;
        case 2:
            grabWhileHeld = grabFromOutside(d);
            x::movePointer(d, 700, 600); // outside the window: the grab keeps positions coming
            syncToolkit();
            break;
        case 3:
            x::button(d, 3, false);
            syncToolkit();
            break;
        case 4:
            syncToolkit(); // the ungrab has reached the server
            grabAfterRelease = grabFromOutside(d);
            close();
            break;
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "move 2 650 590");
    EXPECT_EQ(grabWhileHeld, AlreadyGrabbed);
    EXPECT_EQ(grabAfterRelease, GrabSuccess);
}

// Left press, right press and release, out of the window, left release there: the capture
// outlives the right button, so the left release still arrives and only then ends it.
TEST_F(X11Window, TheCaptureLastsUntilNoButtonIsHeldAnyMore) {
    setMouseCallback(buttonLeft, eventPress, [](InputEvent* e) { return noteMouse("press", e); });
    setMouseCallback(buttonLeft, eventRelease,
                     [](InputEvent* e) { return noteMouse("release", e); });
    static int grabAfterRight = -1, grabAfterLeft = -1;
    setIdleCallback([] {
        Display* d = x::probe();
        switch (++idles) {
        case 1:
            x::movePointer(d, 150, 160);
            x::button(d, 1, true);
            x::button(d, 3, true);
            x::button(d, 3, false);
            syncToolkit();
            break;
        case 2:
            syncToolkit(); // an ungrab after the right release would have reached the server
            grabAfterRight = grabFromOutside(d);
            x::movePointer(d, 700, 600);
            x::button(d, 1, false);
            syncToolkit();
            break;
        case 3:
            syncToolkit();
            grabAfterLeft = grabFromOutside(d);
            close();
            break;
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "press 1 100 150, release 1 650 590");
    EXPECT_EQ(grabAfterRight, AlreadyGrabbed) << "the left button is still held";
    EXPECT_EQ(grabAfterLeft, GrabSuccess);
}

TEST_F(X11Window, CaptureGrabsThePointerWithNoButtonHeldUntilReleased) {
    captureMouse(getWindowHandle());
    syncToolkit();
    EXPECT_EQ(grabFromOutside(display), AlreadyGrabbed);
    releaseMouse();
    syncToolkit();
    EXPECT_EQ(grabFromOutside(display), GrabSuccess);
    captureMouse(0);
    syncToolkit();
    EXPECT_EQ(grabFromOutside(display), GrabSuccess) << "no window, no grab";
}

TEST_F(X11Window, WheelButtonsCallNothingAndGrabNothing) {
    setMouseCallback(buttonLeft, eventPress, [](InputEvent* e) { return noteMouse("press", e); });
    static int grabAfterWheel = -1;
    setIdleCallback([] {
        Display* d = x::probe();
        if (++idles == 1) {
            x::movePointer(d, 150, 160);
            for (unsigned b = 4; b <= 7; ++b) {
                x::button(d, b, true);
                x::button(d, b, false);
            }
            syncToolkit();
        } else {
            syncToolkit();
            grabAfterWheel = grabFromOutside(d);
            close();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(grabAfterWheel, GrabSuccess);
}

int paints = 0;
int paintsBefore = 0;

TEST_F(X11Window, RedrawRequestsWhileAPaintIsPendingAddNothing) {
    paints = 0;
    setIdleCallback([] {
        switch (++idles) {
        case 1:
            paintsBefore = paints;
            for (int i = 0; i < 5; ++i) layer::requestRedraw();
            break;
        case 2:
            note("after requests " + std::to_string(paints - paintsBefore));
            break;
        case 3:
            note("one idle later " + std::to_string(paints - paintsBefore));
            close();
            break;
        }
    });
    runMainLoop([] { ++paints; });
    EXPECT_EQ(calls, "after requests 1, one idle later 1");
}

// While unmapped the loop calls no idle function; another client maps the window again.
TEST_F(X11Window, UnmappingGivesAZeroSizeAndStopsIdleCallsUntilMappedAgain) {
    setReshapeCallback(
        [](int w, int h) { note("reshape " + std::to_string(w) + " " + std::to_string(h)); });
    static std::thread mapper;
    setIdleCallback([] {
        note("idle");
        Display* d = x::probe();
        Window w = Window(getWindowHandle());
        if (++idles == 1) {
            XUnmapWindow(d, w);
            XSync(d, False);
            syncToolkit();
            mapper = std::thread([w] {
                Display* other = XOpenDisplay(nullptr);
                usleep(300 * 1000);
                XMapWindow(other, w);
                XCloseDisplay(other);
            });
        } else {
            close();
        }
    });
    runMainLoop(nullptr);
    mapper.join();
    EXPECT_EQ(calls, "reshape 400 400, idle, reshape 0 0, reshape 400 400, idle");
}

TEST_F(X11Window, CursorIsReadRelativeToTheDrawingAreaAndMayLieOutside) {
    int x = 0, y = 0;
    x::movePointer(display, 50 + 123, 10 + 45);
    getCursorInWindow(x, y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
    x::movePointer(display, 20, 5);
    getCursorInWindow(x, y);
    EXPECT_EQ(x, -30);
    EXPECT_EQ(y, -5);
}

TEST_F(X11Window, NamedKeysLettersAndDigitsReachTheirHandlersOthersNothing) {
    setKeyCallback('a', [] { note("a"); });
    setKeyCallback('A', [] { note("A"); });
    setKeyCallback('5', [] { note("5"); });
    setKeyCallback(keySpace, [] { note("space"); });
    setKeyCallback(keyLeft, [] { note("left"); });
    setKeyCallback(keyReturn, [] { note("return"); });
    setIdleCallback([] {
        Display* d = x::probe();
        if (++idles == 1) {
            x::movePointer(d, 150, 160);
            for (KeySym k : {XK_a, XK_b, XK_5, XK_space, XK_Left, XK_Return, XK_F1, XK_Tab})
                x::key(d, k);
            x::key(d, XK_a, true);
            syncToolkit();
        } else {
            close();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "a, 5, space, left, return, A");
}

} // namespace
} // namespace toolkit_test
