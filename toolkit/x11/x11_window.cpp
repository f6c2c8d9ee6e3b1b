// The X11 window: opening with its GLX context, destruction and release, size and origin,
// cursor, pointer grab and redraw requests.
//
// The steps of opening and the reports of their failures, as the Win32 window layer has them:
//   display cannot be opened     no window system: one line on standard error, noDisplay
//   no GLX or no FBConfig fits   "Selecting a pixel format failed\n" (an X window's visual is
//                                fixed when it is created, so the format is chosen first)
//   colormap or window refused   "create window failed\n"
//   no GLX drawable for it       "Could not get an HDC for window 0x%08lX\n" (the drawable is
//                                what Win32's device context is to the context)
//   glXCreateNewContext fails    "wglCreateContext Failed\n"
//   glXMakeContextCurrent fails  "wglMakeCurrent Failed\n"
// X11 registers no window class and sets no format on an existing window, so "Failed to
// register window class\n" and "SetPixelFormat failed\n" have no step here. The chosen format
// is known from the start, so the reports of reading it back for a palette do not arise either;
// on a palette visual the window's palette is made once the window exists (x11_palette.h).
#include <cstdio>

#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include "textio/textio.h"
#include "toolkit/events.h"
#include "toolkit/pixel_format.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"
#include "toolkit/x11/glx_context.h"
#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_palette.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit {

x11::State x11::state{};

namespace {

using x11::state;

constexpr long eventMask = ExposureMask | StructureNotifyMask | ButtonPressMask |
                           ButtonReleaseMask | PointerMotionMask | KeyPressMask | FocusChangeMask |
                           ColormapChangeMask;

char windowClassName[] = "tkLibWClass";

void setWindowManagerHints(const platform::WindowRequest& r) {
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = USSize | PSize | PWinGravity;
        if (!r.defaultPosition) size->flags |= USPosition | PPosition;
        size->x = r.x;
        size->y = r.y;
        size->width = r.width;
        size->height = r.height;
        size->win_gravity =
            NorthWestGravity; // (x, y) is the outer corner of the window manager's border
        XSetWMNormalHints(state.display, state.window, size);
        XFree(size);
    }
    XClassHint* classHint = XAllocClassHint();
    if (classHint) {
        classHint->res_name = windowClassName;
        classHint->res_class = windowClassName;
        XSetClassHint(state.display, state.window, classHint);
        XFree(classHint);
    }
    XStoreName(state.display, state.window, r.title ? r.title : "");
    XSetWMProtocols(state.display, state.window, &state.wmDeleteWindow, 1);
}

bool createWindow(const platform::WindowRequest& r, XVisualInfo* visual) {
    Display* display = state.display;
    Window root = RootWindow(display, state.screen);
    XSetWindowAttributes a{};
    x11::beginErrorTrap(display);
    state.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    a.colormap = state.colormap;
    a.background_pixel = 0; // black
    a.border_pixel = 0;
    a.cursor = state.arrow;
    a.event_mask = eventMask;
    state.window =
        XCreateWindow(display, root, r.x, r.y, unsigned(r.width), unsigned(r.height), 0,
                      visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWCursor | CWEventMask, &a);
    if (x11::endErrorTrap(display) != 0) {
        x11::beginErrorTrap(display);
        if (state.window) XDestroyWindow(display, state.window);
        if (state.colormap) XFreeColormap(display, state.colormap);
        x11::endErrorTrap(display);
        state.window = 0;
        state.colormap = 0;
        return false;
    }
    state.width = r.width;
    state.height = r.height;
    state.minimised = false;
    state.paintPending = false;
    setWindowManagerHints(r);
    return true;
}

// Screen position of the drawing area's top-left corner.
void drawingAreaOrigin(int& x, int& y) {
    Window child = 0;
    x = y = 0;
    XTranslateCoordinates(state.display, state.window, RootWindow(state.display, state.screen), 0,
                          0, &x, &y, &child);
}

platform::OpenResult failAfterWindow() {
    platform::destroyWindow();
    return platform::OpenResult::failed;
}

} // namespace

bool x11::openDisplay() {
    if (state.display) return true;
    state.display = XOpenDisplay(nullptr);
    if (!state.display) {
        const char* name = XDisplayName(nullptr);
        if (name && *name)
            textio::writeFailureLine(
                {"cannot open the X display \"", name, "\": no window can be shown"});
        else
            textio::writeFailureLine(
                {"no X display is named (DISPLAY is not set): no window can be shown"});
        return false;
    }
    state.screen = DefaultScreen(state.display);
    state.arrow = XCreateFontCursor(state.display, XC_left_ptr);
    state.wmProtocols = XInternAtom(state.display, "WM_PROTOCOLS", False);
    state.wmDeleteWindow = XInternAtom(state.display, "WM_DELETE_WINDOW", False);
    return true;
}

platform::OpenResult platform::openWindow(const WindowRequest& request) {
    if (!x11::openDisplay()) return OpenResult::noDisplay;
    BufferRequest buffers = bufferRequestFromMode(request.mode);
    GLXFBConfig config = nullptr;
    XVisualInfo* visual = nullptr;
    if (!x11::glx::chooseConfig(buffers, config, visual)) {
        reportError("Selecting a pixel format failed\n");
        return OpenResult::failed;
    }
    bool created = createWindow(request, visual);
    if (created) x11::palette::formatChosen(*visual, config, buffers.colourIndex, request.mode);
    XFree(visual);
    if (!created) {
        reportError("create window failed\n");
        return OpenResult::failed;
    }
    if (!x11::glx::createSurface(config, state.window)) {
        reportError("Could not get an HDC for window 0x%08lX\n", state.window);
        return failAfterWindow();
    }
    XMapWindow(state.display, state.window);
    XSync(state.display, False);
    if (request.defaultPosition) {
        int x = 0, y = 0;
        drawingAreaOrigin(x, y);
        inputMove(x, y);
    }
    if (!x11::glx::createContext(config, buffers.colourIndex)) {
        reportError("wglCreateContext Failed\n");
        return failAfterWindow();
    }
    if (!x11::glx::makeCurrent()) {
        reportError("wglMakeCurrent Failed\n");
        return failAfterWindow();
    }
    return OpenResult::opened;
}

void platform::destroyWindow() {
    if (!state.window) return;
    Window window = state.window;
    Colormap colormap = state.colormap;
    x11::palette::release();
    inputDestroy();
    x11::beginErrorTrap(state.display); // the window may be gone already
    XDestroyWindow(state.display, window);
    if (colormap) XFreeColormap(state.display, colormap);
    x11::endErrorTrap(state.display);
}

void platform::releaseContext() { x11::glx::release(); }

void platform::forgetWindow() {
    state.window = 0;
    state.colormap = 0;
    state.paintPending = false;
    state.minimised = false;
}

bool platform::windowOpen() { return state.window != 0; }

void platform::setTitle(const char* title) {
    XStoreName(state.display, state.window, title);
    XFlush(state.display);
}

WindowHandle platform::windowHandle() { return state.window; }

void platform::drawingAreaSize(int& width, int& height) {
    width = state.minimised ? 0 : state.width;
    height = state.minimised ? 0 : state.height;
    Window root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    if (state.window && !state.minimised &&
        XGetGeometry(state.display, state.window, &root, &x, &y, &w, &h, &border, &depth)) {
        width = int(w);
        height = int(h);
    }
}

void platform::originEstimate(int x, int y, int& originX, int& originY) {
    // The border a window manager may add is not known before the window is mapped.
    originX = x;
    originY = y;
}

void platform::requestRedraw() {
    if (state.window) state.paintPending = true;
}

void platform::swapBuffers() { x11::glx::swapBuffers(); }

void platform::cursorPosition(int& x, int& y) {
    x = y = 0;
    if (!state.display) return;
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(state.display, RootWindow(state.display, state.screen), &root, &child, &x, &y,
                  &windowX, &windowY, &mask);
}

void platform::captureMouse(WindowHandle window) {
    if (!state.display || window == 0) return;
    XGrabPointer(state.display, Window(window), False,
                 ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XFlush(state.display);
}

void platform::releaseMouse() {
    if (!state.display) return;
    XUngrabPointer(state.display, CurrentTime);
    XFlush(state.display);
}

} // namespace toolkit
