// A bare GLX window for drawing tests and benchmarks.
#include "tests/support/gl_window.h"

#include <cstdlib>

#include <GL/gl.h>

namespace testsupport {

bool openBareWindow(BareWindow& bare, int x, int y, int width, int height, const char* title,
                    const char*& why) {
    if (!std::getenv("DISPLAY")) {
        why = "DISPLAY is not set (scripts/test.sh starts an Xvfb server)";
        return false;
    }
    bare.display = XOpenDisplay(nullptr);
    if (!bare.display) {
        why = "cannot open the X display";
        return false;
    }
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
        8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo* visual = glXChooseVisual(bare.display, DefaultScreen(bare.display), attributes);
    if (!visual) {
        why = "no double-buffered RGBA visual with a depth buffer";
        return false;
    }
    const Window root = RootWindow(bare.display, visual->screen);
    XSetWindowAttributes wa = {};
    wa.colormap = XCreateColormap(bare.display, root, visual->visual, AllocNone);
    wa.event_mask = StructureNotifyMask;
    bare.window =
        XCreateWindow(bare.display, root, x, y, unsigned(width), unsigned(height), 0, visual->depth,
                      InputOutput, visual->visual, CWColormap | CWEventMask, &wa);
    XStoreName(bare.display, bare.window, title);
    XMapWindow(bare.display, bare.window);
    XEvent event;
    do XNextEvent(bare.display, &event);
    while (event.type != MapNotify);
    bare.context = glXCreateContext(bare.display, visual, nullptr, True);
    XFree(visual);
    if (!bare.context || !glXMakeCurrent(bare.display, bare.window, bare.context)) {
        why = "cannot make a GLX context current";
        return false;
    }
    return true;
}

bool openGlWindow(int width, int height, const char*& why) {
    static BareWindow window{};
    return window.display || openBareWindow(window, 0, 0, width, height, "render tests", why);
}

void readPixel(int x, int y, int rgb[3]) {
    unsigned char pixel[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    for (int i = 0; i < 3; ++i) rgb[i] = pixel[i];
}

} // namespace testsupport
