// Test tool for the end-to-end runs: finds a window by its title, reports its placement,
// summarises its picture, drags across it and types into it with XTest, and asks it to close
// as a window manager would. Usage:
//   window_probe find TITLE SECONDS      prints the window id once a window has that title
//   window_probe geometry WIN            prints "x y width height" (x, y on the screen)
//   window_probe picture WIN             prints "grey N blue N X Y": background pixels, and the
//                                        count and centre of the pure blue (x axis) pixels
//   window_probe drag WIN X1 Y1 X2 Y2    left-button drag in window coordinates, held still
//                                        at the end before the release
//   window_probe key WIN KEYSYM          presses and releases a key with the pointer inside
//   window_probe close WIN               sends WM_DELETE_WINDOW
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

Display* display = nullptr;

void pause(int milliseconds) {
    timespec t = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}

Window findTitled(Window w, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, w, &name) && name) {
        const bool same = std::strcmp(name, title) == 0;
        XFree(name);
        if (same)
            return w;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, w, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = findTitled(children[i], title);
    if (children)
        XFree(children);
    return found;
}

void origin(Window w, int& x, int& y) {
    Window child;
    XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child);
}

void moveTo(Window w, int x, int y) {
    int ox, oy;
    origin(w, ox, oy);
    XTestFakeMotionEvent(display, -1, ox + x, oy + y, CurrentTime);
    XSync(display, False);
}

int find(const char* title, double seconds) {
    for (double waited = 0.0; waited < seconds; waited += 0.1) {
        const Window w = findTitled(DefaultRootWindow(display), title);
        XWindowAttributes a;
        if (w && XGetWindowAttributes(display, w, &a) && a.map_state == IsViewable) {
            std::printf("%lu\n", w);
            return 0;
        }
        pause(100);
    }
    std::fprintf(stderr, "no window titled \"%s\" within %g s\n", title, seconds);
    return 1;
}

int geometry(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a))
        return 1;
    int x, y;
    origin(w, x, y);
    std::printf("%d %d %d %d\n", x, y, a.width, a.height);
    return 0;
}

int picture(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a))
        return 1;
    XImage* image =
        XGetImage(display, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image)
        return 1;
    long grey = 0, blue = 0;
    double sx = 0.0, sy = 0.0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned r = unsigned((p & image->red_mask) >> 16);
            const unsigned g = unsigned((p & image->green_mask) >> 8);
            const unsigned b = unsigned(p & image->blue_mask);
            if (r == 191 && g == 191 && b == 191)
                ++grey;
            if (r == 0 && g == 0 && b >= 40) {
                ++blue;
                sx += x;
                sy += y;
            }
        }
    XDestroyImage(image);
    std::printf("grey %ld blue %ld %.1f %.1f\n", grey, blue, blue ? sx / blue : -1.0,
                blue ? sy / blue : -1.0);
    return 0;
}

int drag(Window w, int x1, int y1, int x2, int y2) {
    moveTo(w, x1, y1);
    pause(200);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    pause(200);
    const int steps = 25;
    for (int i = 1; i <= steps; ++i) {
        moveTo(w, x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        pause(20);
    }
    pause(500); // frames without motion: the molecule stops turning before the release
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    pause(200);
    return 0;
}

int key(Window w, const char* name) {
    const KeySym sym = XStringToKeysym(name);
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
    if (!code)
        return 1;
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a))
        return 1;
    moveTo(w, a.width / 2, a.height / 2);
    XSetInputFocus(display, w, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    pause(100);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
    return 0;
}

int close(Window w) {
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, w, False, NoEventMask, &e);
    XSync(display, False);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe find|geometry|picture|drag|key|close ...\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_probe: cannot open the X display\n");
        return 2;
    }
    const char* command = argv[1];
    if (!std::strcmp(command, "find") && argc == 4)
        return find(argv[2], std::atof(argv[3]));
    const Window w = Window(std::strtoul(argv[2], nullptr, 0));
    if (!std::strcmp(command, "geometry"))
        return geometry(w);
    if (!std::strcmp(command, "picture"))
        return picture(w);
    if (!std::strcmp(command, "drag") && argc == 7)
        return drag(w, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                    std::atoi(argv[6]));
    if (!std::strcmp(command, "key") && argc == 4)
        return key(w, argv[3]);
    if (!std::strcmp(command, "close"))
        return close(w);
    std::fprintf(stderr, "window_probe: bad command\n");
    return 2;
}
