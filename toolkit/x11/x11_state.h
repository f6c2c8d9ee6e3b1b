// The X11 binding's module state: the display connection and the one window.
#pragma once

#include <X11/Xlib.h>

namespace toolkit::x11 {

struct State {
    Display* display; // opened by the first openWindow and kept for the run
    int screen;
    Cursor arrow;
    Atom wmProtocols, wmDeleteWindow;
    Window window;     // 0 when no window is open
    Colormap colormap; // made for the window's visual
    int width, height; // drawing-area size as last configured
    bool minimised;    // unmapped: reported as a 0 x 0 drawing area until mapped again
    bool paintPending; // the drawing area waits for a repaint
};

extern State state;

// Opens the display once. When it cannot be opened, says so in one line on standard error and
// returns false.
bool openDisplay();

} // namespace toolkit::x11
