// A bare GLX window: RGBA, double-buffered, 16-bit depth, like the program's window, with no
// toolkit around it. The drawing tests read their frames back from its back buffer (the null
// binding's swap shows nothing); the frame-rate benchmark draws its bare loop into one.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace testsupport {

struct BareWindow {
    Display* display; // a connection of the window's own
    Window window;
    GLXContext context;
};

// Opens a width x height window at (x, y) on $DISPLAY, waits until it is mapped and makes its
// context current. Returns false, with the reason in `why`, when there is no display or no
// suitable visual.
bool openBareWindow(BareWindow& bare, int x, int y, int width, int height, const char* title,
                    const char*& why);

// The drawing tests' window at the screen's corner, opened once and kept for the run.
bool openGlWindow(int width, int height, const char*& why);

// Red, green, blue (0..255) of pixel (x, y) of the back buffer, y counted from the bottom.
void readPixel(int x, int y, int rgb[3]);

} // namespace testsupport
