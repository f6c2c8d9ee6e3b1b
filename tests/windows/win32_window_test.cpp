// The Win32 binding with a real window (under Wine in CI): class, styles and placement, pixel
// format and context, the cursor relative to the drawing area, and the event loop with its
// message translation, capture, coalesced repaints and the end by closing. The loop tests
// drive the window from the idle callback, one step per idle call, and close it at the end.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "toolkit/callbacks.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/palette_cycle.h"
#include "toolkit/win32/win32_state.h"

namespace {

std::string calls;
void note(const std::string& call) { calls += (calls.empty() ? "" : ", ") + call; }

HWND window() { return reinterpret_cast<HWND>(toolkit::getWindowHandle()); }

int displays = 0;
void display() { ++displays; }

// The idle steps of a loop test: step(n) runs at the n-th idle call; the window is closed
// after the last step, or after far too many idle calls.
std::function<bool(int)> script; // false once the script is done
int idleCalls = 0;
void idle() {
    if (!window()) return;
    bool more = script(idleCalls++);
    if (!more || idleCalls > 2000) PostMessageA(window(), WM_CLOSE, 0, 0);
    Sleep(1);
}

void post(UINT message, WPARAM wParam, int x = 0, int y = 0) {
    PostMessageA(window(), message, wParam, MAKELPARAM(x, y));
}

std::string position(const toolkit::InputEvent* e) {
    return std::to_string(e->data[0]) + " " + std::to_string(e->data[1]) + " b" +
           std::to_string(e->data[3]);
}
int press(toolkit::InputEvent* e) {
    note("press " + position(e) + (GetCapture() == window() ? " captured" : ""));
    return 0;
}
int release(toolkit::InputEvent* e) {
    note("release " + position(e));
    return 0;
}

class Win32Window : public testing::Test {
  protected:
    void SetUp() override {
        toolkit::callbacks::reset();
        toolkit::setMessageBoxes(false); // a failure here must not wait for a click
        calls.clear();
        displays = 0;
        idleCalls = 0;
        toolkit::setWindowPlacement(50, 10, 400, 400);
        toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
        ASSERT_EQ(toolkit::openWindow("Win32 binding test"), 1);
    }
    void TearDown() override {
        if (window()) DestroyWindow(window());
        toolkit::callbacks::reset();
    }
    // Runs the loop with the script; the window must be gone when it returns.
    void run(std::function<bool(int)> steps) {
        script = std::move(steps);
        toolkit::setIdleCallback(idle);
        toolkit::runMainLoop(display);
        EXPECT_LT(idleCalls, 2000) << "the script did not finish";
        EXPECT_EQ(window(), nullptr);
    }
};

TEST_F(Win32Window, HasTheToolkitsClassStylesAndPlacement) {
    char name[32] = {};
    GetClassNameA(window(), name, sizeof name);
    EXPECT_STREQ(name, "tkLibWClass");
    EXPECT_EQ(GetClassLongPtrA(window(), GCL_STYLE), ULONG_PTR(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(GetClassLongPtrA(window(), GCLP_HBRBACKGROUND),
              ULONG_PTR(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetClassLongPtrA(window(), GCLP_HCURSOR), ULONG_PTR(LoadCursor(nullptr, IDC_ARROW)));
    LONG_PTR style = GetWindowLongPtrA(window(), GWL_STYLE);
    LONG_PTR wanted = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(GetMenu(window()), nullptr);
    RECT client{}, outer{};
    GetClientRect(window(), &client);
    GetWindowRect(window(), &outer);
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 400);
    EXPECT_NEAR(outer.left, 50, 2);
    EXPECT_NEAR(outer.top, 10, 2);
}

TEST_F(Win32Window, HasADoubleBufferedRgbaFormatAndACurrentContext) {
    HDC dc = wglGetCurrentDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), window());
    EXPECT_NE(wglGetCurrentContext(), nullptr);
    PIXELFORMATDESCRIPTOR pfd{};
    ASSERT_NE(DescribePixelFormat(dc, GetPixelFormat(dc), sizeof pfd, &pfd), 0);
    DWORD flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(pfd.dwFlags & flags, flags);
    EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(pfd.cColorBits, 24);
    EXPECT_GE(pfd.cDepthBits, 16);
    EXPECT_EQ(toolkit::win32::palette::windowPalette().handle, 0u); // a true-colour display
    // The context draws: a cleared back buffer reads back with the clear colour.
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(200, 200, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
}

TEST_F(Win32Window, CursorIsMeasuredFromTheDrawingAreaWhereverTheWindowMoves) {
    for (int move = 0; move < 2; ++move) {
        if (move) SetWindowPos(window(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        POINT origin = {0, 0};
        ClientToScreen(window(), &origin);
        SetCursorPos(origin.x + 30, origin.y + 40);
        int x = 0, y = 0;
        toolkit::getCursorInWindow(x, y);
        EXPECT_EQ(x, 30) << "move " << move;
        EXPECT_EQ(y, 40) << "move " << move;
    }
}

void reshape(int width, int height) {
    note("reshape " + std::to_string(width) + " " + std::to_string(height));
}

// Minimised, the loop calls no idle function until a timer restores the window.
TEST_F(Win32Window, ReshapeSeesTheRealSizeFirstThenEveryResizeAndIdlingStopsWhileMinimised) {
    toolkit::setReshapeCallback(reshape);
    run([](int step) {
        if (step == 0) {
            note("idle");
            RECT outer{};
            GetWindowRect(window(), &outer);
            SetWindowPos(window(), nullptr, 0, 0, outer.right - outer.left - 100,
                         outer.bottom - outer.top - 200, SWP_NOMOVE | SWP_NOZORDER);
        }
        if (step == 1) {
            ShowWindow(window(), SW_MINIMIZE);
            SetTimer(window(), 1, 300, [](HWND w, UINT, UINT_PTR id, DWORD) {
                KillTimer(w, id);
                note("restore");
                ShowWindow(w, SW_RESTORE);
            });
        }
        if (step == 2) note("idle");
        return step < 2;
    });
    EXPECT_EQ(calls.rfind("reshape 400 400, idle, reshape 300 200", 0), 0u) << calls;
    const std::size_t hidden = calls.find("reshape 0 0");
    ASSERT_NE(hidden, std::string::npos) << calls;
    const std::string after = calls.substr(hidden);
    EXPECT_NE(after.find("idle"), std::string::npos) << calls;
    EXPECT_LT(after.find("restore"), after.find("idle")) << calls;
}

// A right click during a left drag leaves the capture; the left release ends it.
TEST_F(Win32Window, TheCaptureLastsUntilNoButtonIsHeldAnyMore) {
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease, release);
    run([](int step) {
        switch (step) {
        case 0:
            post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 20);
            post(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 10, 20);
            post(WM_RBUTTONUP, MK_LBUTTON, 10, 20);
            break;
        case 1:
            note(GetCapture() == window() ? "idle captured" : "idle");
            post(WM_LBUTTONUP, 0, 500, 20);
            break;
        case 2:
            note(GetCapture() ? "idle captured" : "idle");
            break;
        }
        return step < 2;
    });
    EXPECT_EQ(calls, "idle captured, release 500 20 b1, idle");
}

TEST_F(Win32Window, PressAndReleaseArriveBeforeTheNextIdleAndTheRightButtonOnlyCaptures) {
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, press);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease, release);
    run([](int step) {
        switch (step) {
        case 0:
            post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 20);
            post(WM_LBUTTONUP, 0, 12, 22);
            break;
        case 1:
            note(GetCapture() ? "idle captured" : "idle");
            post(WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
            break;
        case 2:
            note(GetCapture() == window() ? "idle captured" : "idle");
            post(WM_RBUTTONUP, 0, 5, 6);
            break;
        case 3:
            note(GetCapture() ? "idle captured" : "idle");
            break;
        }
        return step < 3;
    });
    EXPECT_EQ(calls, "press 10 20 b1 captured, release 12 22 b1, idle, idle captured, idle");
}

int redrawingPress(toolkit::InputEvent*) { return 1; } // a handler's call asks for a redraw

TEST_F(Win32Window, RedrawRequestsCoalesceAndMovesWithoutAHandlerAskNone) {
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, redrawingPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease, redrawingPress);
    static int before = 0, quiet = 0, start = 0;
    run([](int step) {
        // The first paints settle: 20 idle calls in a row without one.
        if (start == 0) {
            quiet = displays == before ? quiet + 1 : 0;
            before = displays;
            if (quiet < 20) return true;
            start = step;
        }
        if (step == start) {
            for (int i = 0; i < 3; ++i) post(WM_MOUSEMOVE, 0, 30 + i, 40);
        } else if (step == start + 1) {
            note("moves " + std::to_string(displays - before));
            before = displays;
            for (int i = 0; i < 3; ++i) {
                post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 20);
                post(WM_LBUTTONUP, 0, 10, 20);
            }
        } else if (step == start + 2) {
            note("clicks " + std::to_string(displays - before));
        }
        return step < start + 2;
    });
    EXPECT_EQ(calls, "moves 0, clicks 1");
}

void leftKey() { note("left"); }
void letterA() { note("a"); }
void digit7() { note("7"); }

TEST_F(Win32Window, NamedKeysAndLettersReachTheirHandlersAndNothingElseDoes) {
    toolkit::setKeyCallback(toolkit::keyLeft, leftKey);
    toolkit::setKeyCallback('a', letterA);
    toolkit::setKeyCallback('7', digit7);
    run([](int step) {
        if (step == 0) {
            post(WM_KEYDOWN, VK_F1);
            post(WM_KEYDOWN, VK_LEFT);
            post(WM_CHAR, '#');
            post(WM_CHAR, 'A'); // another code than 'a'
            post(WM_CHAR, 'a');
            post(WM_CHAR, '7');
            post(WM_KEYDOWN, VK_NUMPAD7);
        }
        return step < 1;
    });
    EXPECT_EQ(calls, "left, a, 7");
}

TEST_F(Win32Window, ClosingDestroysTheWindowReleasesItsContextAndEndsTheLoop) {
    static HWND closed = nullptr;
    closed = window();
    run([](int step) {
        note("idle " + std::to_string(step));
        return step < 1;
    });
    EXPECT_EQ(calls, "idle 0, idle 1"); // no idle call after the close
    EXPECT_FALSE(IsWindow(closed));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(toolkit::getWindowHandle(), 0u);
    // A second window opens after the first has gone (the class stays registered).
    EXPECT_EQ(toolkit::openWindow("Win32 binding test, again"), 1);
    EXPECT_NE(window(), nullptr);
}

// The Windows build has no offscreen drawing: the toolkit says so, with the reason a failure
// line gives, instead of lacking the functions.
TEST(Win32Offscreen, IsNotAvailable) {
    const char* why = "";
    EXPECT_FALSE(toolkit::openOffscreenContext(64, 64, why));
    EXPECT_STREQ(why, "no offscreen OpenGL: this build has none");
    toolkit::closeOffscreenContext();
}

} // namespace
