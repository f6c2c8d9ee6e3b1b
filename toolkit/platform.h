// The contract between the toolkit's shared code and a window-system binding. Every binding
// (x11/, win32/, null/, and any other beside them) implements each function below; the build
// links exactly one. A binding that has no offscreen drawing says so through openOffscreen.
// Bindings never call the program's callbacks: they report what happened through
// toolkit/events.h and the shared code does the rest.
#pragma once

#include <cstdint>

#include "toolkit/toolkit.h"

namespace toolkit::platform {

// What openWindow is asked to make.
struct WindowRequest {
    const char* title;
    bool defaultPosition; // the window system places the window; x and y carry no request
    int x, y;             // outer top-left corner of the window, screen pixels
    int width, height;    // drawing area, pixels
    unsigned mode;        // display mode word
};

enum class OpenResult {
    opened,   // window shown at the requested place, its GL context current
    failed,   // a step failed and was reported; whatever was made is destroyed again
    noDisplay // no window system to talk to; the binding has said so on standard error
};

// Creates the window, the drawing surface, the GL context from request.mode (choosing the
// closest format with closestFormat), and makes the context current. Each failing step shows
// its report through reportError. A window made before the failure is destroyed again through
// destroyWindow, so inputDestroy is reported.
OpenResult openWindow(const WindowRequest& request);

// Destroys the window if there is one; inputDestroy is reported before this returns, while the
// window still exists (as Win32's DestroyWindow sends WM_DESTROY).
void destroyWindow();

// The release that inputDestroy performs, called in this order. A binding that keeps a palette
// for the window hands it back before it reports inputDestroy.
void releaseContext(); // no context current, context deleted, drawing surface released
void forgetWindow();   // window, surface and context handles cleared

bool windowOpen();
// The title the window system shows for the open window.
void setTitle(const char* title);
WindowHandle windowHandle(); // 0 when no window is open

// Current drawing-area size as the window system reports it.
void drawingAreaSize(int& width, int& height);

// Estimate of the drawing area's screen origin for a window whose outer corner goes to (x, y),
// before the window system has told where it really is.
void originEstimate(int x, int y, int& originX, int& originY);

// The event queue. eventWaiting does not block. handleNextEvent takes one event (waiting for
// one if none is queued) and reports it upward; a repaint is taken only when nothing else is
// queued, and all pending repaints of the window come as one.
bool eventWaiting();
void handleNextEvent();

// Marks the whole drawing area for repainting, unless a repaint is already pending.
void requestRedraw();

void swapBuffers();
void cursorPosition(int& x, int& y); // screen coordinates
void captureMouse(WindowHandle window);
void releaseMouse();

// A modal box with the text and an OK button; returns when the user has dismissed it.
void showMessageBox(const char* caption, const char* text);

// Offscreen drawing, with no window system at all: a GL context of its own over a surface of
// width x height pixels with the buffers of `mode` (drawn single-buffered), made current.
// False with a one-line reason in `why` when none can be made. The X11 build takes the pair
// from egl/, a file apart from the window code so that one program has both; win32/ and null/
// have none and answer "no offscreen OpenGL: ..." (as GLFW's null platform reports a feature
// it lacks).
bool openOffscreen(int width, int height, unsigned mode, const char*& why);
void closeOffscreen(); // no context current; context and surface destroyed

// Frame pacing (main_loop.cpp): at most one idle frame per 1/60 s, none while the drawing area
// is 0 x 0.
// Asks for one buffer swap per display refresh for the window just opened, where the window
// system offers it; nothing where it does not.
void requestSyncedSwaps();
// A monotonic clock in microseconds from an arbitrary start.
std::int64_t clockMicroseconds();
// Returns once an event is waiting, or after `microseconds` at the latest.
void waitForEvent(std::int64_t microseconds);

} // namespace toolkit::platform
