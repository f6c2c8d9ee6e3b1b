// X-side tool of the end-to-end window tests, for the Linux program and for molvane.exe under
// Wine alike (Wine shows each Win32 window as an X window of the same title, placed in the X
// screen's coordinates). Finds a window by its title, reports its placement, summarises the
// picture of a screen rectangle, and gives real input through XTest. No window manager runs
// under the test X server, so the keyboard focus is set explicitly before typing. Usage:
//   x_probe find TITLE SECONDS      prints the X window id once one with that title is viewable
//   x_probe gone TITLE SECONDS      exits 0 once no viewable window has that title
//   x_probe geometry WIN            prints "x y width height" (x, y on the screen)
//   x_probe picture X Y W H         prints "grey N blue N X Y green N X Y other N" for that
//                                   screen rectangle: background pixels, the pure blue (x axis)
//                                   and pure green (z axis) pixels with their centres in the
//                                   rectangle, and the pixels of no axis colour (the atoms)
//   x_probe drag X1 Y1 X2 Y2        left-button drag between screen points, held still before
//                                   the release
//   x_probe key WIN KEYSYM          with the pointer inside, focuses the window, then presses
//                                   and releases the key
//   x_probe close WIN               asks the window to close, as a window manager would
//   x_probe title WIN               prints the window's title
//   x_probe sweep X Y W H SECONDS MASK
//                                   pictures the rectangle again and again for SECONDS (more
//                                   than one period of the vibration: the set of pictures does
//                                   not depend on the phase it starts at), writes to the file
//                                   MASK one byte per pixel, 1 where any picture showed an atom
//                                   or an arrow there (neither background nor an axis colour),
//                                   and prints "swept N cyan N pictures N": those pixels, the
//                                   pixels any picture showed in the arrows' cyan, the pictures
//   x_probe differ MASK1 MASK2      prints how many pixels two masks of one size differ in
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "tests/support/x_helpers.h"

namespace {

Display* display = nullptr;

void pause(int milliseconds) {
    timespec t = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}

bool viewable(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(display, w, &a) && a.map_state == IsViewable;
}

Window findTitled(Window w, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, w, &name) && name) {
        const bool same = std::strcmp(name, title) == 0;
        XFree(name);
        if (same && viewable(w)) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, w, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = findTitled(children[i], title);
    if (children) XFree(children);
    return found;
}

void moveTo(int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
}

int find(const char* title, double seconds, bool wantGone) {
    for (double waited = 0.0; waited <= seconds; waited += 0.1) {
        const Window w = findTitled(DefaultRootWindow(display), title);
        if (!wantGone && w) {
            std::printf("%lu\n", w);
            return 0;
        }
        if (wantGone && !w) return 0;
        pause(100);
    }
    std::fprintf(stderr,
                 wantGone ? "a window titled \"%s\" still shown after %g s\n"
                          : "no window titled \"%s\" within %g s\n",
                 title, seconds);
    return 1;
}

int geometry(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a)) return 1;
    int x, y;
    Window child;
    XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    std::printf("%d %d %d %d\n", x, y, a.width, a.height);
    return 0;
}

// Pixels of one axis colour and their centre.
struct Axis {
    long count = 0;
    double sx = 0.0, sy = 0.0;
    void add(int x, int y) {
        ++count;
        sx += x;
        sy += y;
    }
    double x() const { return count ? sx / count : -1.0; }
    double y() const { return count ? sy / count : -1.0; }
};

int picture(int left, int top, int width, int height) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), left, top, unsigned(width),
                              unsigned(height), AllPlanes, ZPixmap);
    if (!image) return 1;
    long grey = 0, other = 0;
    Axis blue, green;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned r = unsigned((p & image->red_mask) >> 16);
            const unsigned g = unsigned((p & image->green_mask) >> 8);
            const unsigned b = unsigned(p & image->blue_mask);
            if (r == 191 && g == 191 && b == 191)
                ++grey;
            else if (r == 0 && g == 0 && b >= 40)
                blue.add(x, y);
            else if (r == 0 && b == 0 && g >= 40)
                green.add(x, y);
            else if (!(g == 0 && b == 0)) // not the red axis either
                ++other;
        }
    }
    XDestroyImage(image);
    std::printf("grey %ld blue %ld %.1f %.1f green %ld %.1f %.1f other %ld\n", grey, blue.count,
                blue.x(), blue.y(), green.count, green.x(), green.y(), other);
    return 0;
}

// The arrows' cyan, lit: no red, green and blue alike.
bool isCyan(unsigned r, unsigned g, unsigned b) {
    return r == 0 && g >= 40 && b >= 40 && (g > b ? g - b : b - g) < 12;
}

double seconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

int sweep(int left, int top, int width, int height, double duration, const char* maskFile) {
    std::vector<unsigned char> mask(std::size_t(width) * std::size_t(height), 0);
    std::vector<unsigned char> cyan(mask.size(), 0);
    int pictures = 0;
    for (const double end = seconds() + duration; seconds() < end; ++pictures) {
        XImage* image = XGetImage(display, DefaultRootWindow(display), left, top, unsigned(width),
                                  unsigned(height), AllPlanes, ZPixmap);
        if (!image) return 1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                const unsigned r = unsigned((p & image->red_mask) >> 16);
                const unsigned g = unsigned((p & image->green_mask) >> 8);
                const unsigned b = unsigned(p & image->blue_mask);
                const bool background = r == 191 && g == 191 && b == 191;
                // The axes: pure blue, pure green, pure red.
                const int zeros = (r == 0) + (g == 0) + (b == 0);
                const std::size_t at = std::size_t(y) * std::size_t(width) + std::size_t(x);
                if (!background && zeros < 2) mask[at] = 1;
                if (isCyan(r, g, b)) cyan[at] = 1;
            }
        }
        XDestroyImage(image);
    }
    FILE* out = std::fopen(maskFile, "wb");
    if (!out || std::fwrite(mask.data(), 1, mask.size(), out) != mask.size()) return 1;
    std::fclose(out);
    long swept = 0, cyanPixels = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        swept += mask[i];
        cyanPixels += cyan[i];
    }
    std::printf("swept %ld cyan %ld pictures %d\n", swept, cyanPixels, pictures);
    return 0;
}

bool readMask(const char* name, std::vector<unsigned char>& mask) {
    FILE* in = std::fopen(name, "rb");
    if (!in) return false;
    unsigned char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        mask.insert(mask.end(), buffer, buffer + n);
    std::fclose(in);
    return true;
}

int differ(const char* first, const char* second) {
    std::vector<unsigned char> a, b;
    if (!readMask(first, a) || !readMask(second, b) || a.size() != b.size()) return 1;
    long count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    std::printf("%ld\n", count);
    return 0;
}

int title(Window w) {
    char* name = nullptr;
    if (!XFetchName(display, w, &name) || !name) return 1;
    std::printf("%s\n", name);
    XFree(name);
    return 0;
}

int drag(int x1, int y1, int x2, int y2) {
    moveTo(x1, y1);
    pause(200);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    pause(200);
    const int steps = 25;
    for (int i = 1; i <= steps; ++i) {
        moveTo(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
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
    if (!code) return 1;
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a)) return 1;
    int x, y;
    Window child;
    XTranslateCoordinates(display, w, DefaultRootWindow(display), a.width / 2, a.height / 2, &x, &y,
                          &child);
    moveTo(x, y);
    XSetInputFocus(display, w, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    pause(300); // Wine activates the window on FocusIn
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XSync(display, False);
    pause(50);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
    return 0;
}

int close(Window w) {
    testsupport::x::sendDeleteWindow(display, w);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: x_probe find|gone|geometry|picture|drag|key|close|title|"
                             "sweep|differ ...\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_probe: cannot open the X display\n");
        return 2;
    }
    const char* command = argv[1];
    if (!std::strcmp(command, "find") && argc == 4) return find(argv[2], std::atof(argv[3]), false);
    if (!std::strcmp(command, "gone") && argc == 4) return find(argv[2], std::atof(argv[3]), true);
    if (!std::strcmp(command, "picture") && argc == 6)
        return picture(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]));
    if (!std::strcmp(command, "sweep") && argc == 8)
        return sweep(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     std::atof(argv[6]), argv[7]);
    if (!std::strcmp(command, "differ") && argc == 4) return differ(argv[2], argv[3]);
    if (!std::strcmp(command, "drag") && argc == 6)
        return drag(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    const Window w = Window(std::strtoul(argv[2], nullptr, 0));
    if (!std::strcmp(command, "geometry") && argc == 3) return geometry(w);
    if (!std::strcmp(command, "key") && argc == 4) return key(w, argv[3]);
    if (!std::strcmp(command, "close") && argc == 3) return close(w);
    if (!std::strcmp(command, "title") && argc == 3) return title(w);
    std::fprintf(stderr, "x_probe: unknown command or arguments\n");
    return 2;
}
