// The window's palette on a display with a hardware palette: made while the window opens,
// realised again as the window gains and loses the foreground, when another window changes the
// system palette and when the system colours change, handed back and deleted first when the
// window is destroyed. With the takeover flag the window also takes the whole system palette
// and the system's display-element colours while it is in the foreground. The binding's events
// (events.h) drive it; the binding's palette primitives (platform.h) carry it out.
#pragma once

#include "toolkit/palette.h"
#include "toolkit/platform.h"

namespace toolkit::palette {

struct WindowPalette {
    platform::PaletteHandle handle;    // 0: no palette (true colour, or it could not be made)
    bool needed;                       // the window's format needs a palette
    PixelLayout layout;                // the format's pixel layout, for a rebuild
    bool takeover;                     // this window takes over the system palette
    bool takenOver;                    // the system palette is taken over right now
    bool foreground;                   // the window is active and not minimised
    bool deferredPending;              // a deferred realise request is waiting
    int changedCount;                  // display elements a takeover changes
    ElementColour saved[elementCount]; // their colours when the takeover began
};

const WindowPalette& windowPalette();

// Hands the palette back and deletes it; nothing when there is none. The first step of the
// window's release, before its OpenGL context.
void release();

// Back to no palette without asking the binding anything: the state before any window.
void forget();

} // namespace toolkit::palette
