// The window's palette on a palette display: made while the window opens, realised again as
// the window gains and loses the foreground, when another window changes the system palette
// and when the system colours change, handed back and deleted first when the window is
// destroyed. With the takeover flag the window also takes the whole system palette and the
// system's display-element colours while it is in the foreground. The window's messages
// (win32_palette.cpp) drive it; the system calls of palette_system.h carry it out.
#pragma once

#include "toolkit/palette.h"
#include "toolkit/win32/display_elements.h"
#include "toolkit/win32/palette_system.h"

namespace toolkit::win32::palette {

using namespace toolkit::palette;

struct WindowPalette {
    system::PaletteHandle handle;      // 0: no palette (true colour, or it could not be made)
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

// The window's format is RGBA and needs a palette (needsSystemPalette: the whole palette);
// mode is the display mode word the window was opened with.
void paletteNeeded(const PixelLayout& layout, bool needsSystemPalette, unsigned mode);

// The window's messages. Those returning bool say whether the window needs repainting.
bool activate(bool active, bool minimised); // WM_ACTIVATE
void paletteChanged(bool byThisWindow);     // WM_PALETTECHANGED
bool deferredRealise();                     // the request of postDeferredRealise has come
bool systemColoursChanged();                // WM_SYSCOLORCHANGE

// Hands the palette back and deletes it; nothing when there is none. The first step of the
// window's release, before its OpenGL context.
void release();

// Back to no palette without a system call: the state before any window.
void forget();

} // namespace toolkit::win32::palette
