// The window layer's shared state: the callback slots that the callback layer fills, the
// placement and mode handed to the binding, the before-swap callback, the drawing area's size
// and origin, and the quit request.
#pragma once

#include "toolkit/platform.h"
#include "toolkit/toolkit.h"

namespace toolkit::layer {

using KeySlot = int (*)(int key, int status);         // nonzero asks for a redraw
using MouseSlot = int (*)(int x, int y, int buttons); // nonzero asks for a redraw

struct Slots {
    ReshapeCallback reshape;
    DrawCallback display;
    DrawCallback idle;
    KeySlot key;
    MouseSlot press;
    MouseSlot release;
    MouseSlot move;
};

struct State {
    Slots slots;
    platform::WindowRequest request; // placement, mode and title of the next open; the one
                                     // copy of the display mode word
    DrawCallback beforeSwap;         // called just before each swap (window or offscreen)
    int width, height;               // drawing-area size
    int originX, originY;            // drawing-area origin on the screen
    bool quitRequested;              // posted when the window is destroyed; taken by the loop
};

extern State state;

void setPlacement(int x, int y, int width, int height);
void setMode(unsigned mode);
platform::OpenResult open(const char* title);
void requestRedraw();
void clearSlots();

// Back to the state before any call: default position, 100 x 100, mode 0, empty slots, no
// before-swap callback.
void reset();

} // namespace toolkit::layer
