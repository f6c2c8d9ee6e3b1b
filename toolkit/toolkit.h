// The program's window toolkit: one window with an OpenGL context, its event loop,
// callback slots and handler tables, and cached shape primitives.
#pragma once

#include <cstdint>

namespace toolkit {

// Display mode word bits (setDisplayMode).
enum : unsigned {
    modeIndex = 0x1,      // colour-index pixels (else RGBA)
    modeDouble = 0x2,     // double-buffered (else single)
    modeAccum = 0x8,      // accumulation buffer
    modeAlpha = 0x10,     // 8 alpha bits
    modeDepth = 0x20,     // 32-bit depth buffer (unless modeDepth16)
    modeStencil = 0x40,   // 4-bit stencil buffer
    modeDepth16 = 0x100,  // 16-bit depth buffer
    modeTakeover = 0x200, // take over the hardware palette on palette displays
};

// Mouse buttons and event kinds.
enum : int { buttonLeft = 1, buttonRight = 2, buttonMiddle = 4 };
enum : int { eventPress = 16, eventRelease = 32, eventMove = 64 };

// Key codes delivered to key handlers; letters and digits use their character code.
enum : int {
    keyReturn = 13,
    keyEscape = 27,
    keySpace = 32,
    keyLeft = 37,
    keyUp = 38,
    keyRight = 39,
    keyDown = 40
};

// Record handed to mouse handlers. data[0], data[1]: x, y from the drawing area's top-left
// corner; data[2]: unused; data[3]: the one button this call is for.
struct InputEvent {
    std::int32_t type;
    std::int32_t data[4];
};

using MouseHandler = int (*)(InputEvent* event);
using KeyHandler = void (*)();
using DrawCallback = void (*)();
using ReshapeCallback = void (*)(int width, int height);
using WindowHandle = std::uintptr_t;

// x for setWindowPlacement that lets the window system choose the place (y is then unused).
constexpr int defaultPosition = INT32_MIN;

// Outer top-left corner of the window at screen position (x, y) and a drawing area of exactly
// width x height pixels. Before any call: default position, 100 x 100.
void setWindowPlacement(int x, int y, int width, int height);
void setDisplayMode(unsigned mode);
// Creates the window, its OpenGL context of the display mode, makes it current and installs the
// default callbacks (reshape to an orthographic pixel projection, Escape ends the process with
// status 0). Failures are reported in message boxes captioned "Error". A single-buffered mode
// the window system cannot give falls back to double buffering drawn into the front buffer,
// with one "Warning" box. A window that cannot be made ends the process with status 1 once its
// "Error" box has been dismissed; when there is no window system to talk to at all, it says so
// in one line on standard error and ends the process with status 1.
int openWindow(const char* title); // 1 when a usable window is open, 0 when one already was
// Gives the open window a new title (nothing when no window is open).
void setWindowTitle(const char* title);
void setIdleCallback(DrawCallback callback);
void setReshapeCallback(ReshapeCallback callback);
// Appends a handler for one button (1, 2 or 4) and kind (eventPress, eventRelease, eventMove);
// each table holds 20, and a registration beyond that, or of another kind, is ignored. A handler
// is called once per event that has its button, with an InputEvent living for that call only.
void setMouseCallback(int button, int kind, MouseHandler handler);
// Appends a handler for a key code; the table holds 200 (Escape, bound by openWindow, included)
// and a registration beyond that is ignored.
void setKeyCallback(int key, KeyHandler handler);
// Calls the reshape callback once with the real drawing-area size, then handles every waiting
// event and calls the idle callback whenever none is left (without one, waits for the next
// event). Idle calls start at least 1/60 s apart (a call that took longer is followed at once),
// events being handled while the loop waits; while the drawing area is 0 x 0 (minimised or
// unmapped) the loop waits for the next event instead of calling idle. Returns when the window
// is destroyed, and at once when no window is open.
void runMainLoop(DrawCallback display);
void swapWindowBuffers();
void getCursorInWindow(int& x, int& y); // signed, may lie outside the drawing area
WindowHandle getWindowHandle();         // 0 when no window is open

// Pointer capture for a drag: positions and the release keep arriving while the cursor is
// outside the window (SetCapture / ReleaseCapture on Win32, a pointer grab on X11).
void captureMouse(WindowHandle window);
void releaseMouse();

// Drawing without a window, for exports: an offscreen OpenGL context of width x height with the
// buffers of the mode set by setDisplayMode, made current, in openWindow's opening state (clear
// colour black, identity). False with a one-line reason in `why` when the system gives none,
// and in every build without offscreen drawing (the Windows build, the null binding).
bool openOffscreenContext(int width, int height, const char*& why);
void closeOffscreenContext();
// Called by swapWindowBuffers just before each swap, while the finished frame is still in the
// buffer drawn into (nullptr: nothing is called). Offscreen, the swap shows nothing.
void setBeforeSwapCallback(DrawCallback callback);

// Cached shapes: drawn at the origin of the current modelview matrix.
void solidSphere(double radius);
// The same with `slices` slices and half as many stacks (the one above has 16 of each), for
// pictures large enough to show the facets.
void solidSphere(double radius, int slices);
// A lit cylinder of the radius from z = 0 to z = 1, without caps, its normals pointing out
// (square to z, so that a scale along z leaves them whole).
void solidStick(double radius, int slices);

// Error and warning boxes are on unless switched off here.
void setMessageBoxes(bool on);

} // namespace toolkit
