// Bare GLX window for drawing tests.
#include "tests/render/gl_window.h"

#include <cstdlib>

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace render_test {

namespace {
Display* display = nullptr;
Window window = 0;
} // namespace

bool openGlWindow(int width, int height, const char*& why) {
    if (display)
        return true;
    if (!std::getenv("DISPLAY")) {
        why = "DISPLAY is not set (scripts/test.sh starts an Xvfb server)";
        return false;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        why = "cannot open the X display";
        return false;
    }
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
        8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (!visual) {
        why = "no double-buffered RGBA visual with a depth buffer";
        return false;
    }
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes wa = {};
    wa.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    wa.event_mask = StructureNotifyMask;
    window = XCreateWindow(display, root, 0, 0, unsigned(width), unsigned(height), 0, visual->depth,
                           InputOutput, visual->visual, CWColormap | CWEventMask, &wa);
    XStoreName(display, window, "render tests");
    XMapWindow(display, window);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (!context || !glXMakeCurrent(display, window, context)) {
        why = "cannot make a GLX context current";
        return false;
    }
    return true;
}

void readPixel(int x, int y, int rgb[3]) {
    unsigned char pixel[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    for (int i = 0; i < 3; ++i)
        rgb[i] = pixel[i];
}

} // namespace render_test
