// The system calls of the Win32 palette life cycle (palette_cycle.cpp): GDI palettes, the
// system palette's static colours, USER32's display-element colours and the user's own ones
// from the registry. win32_palette.cpp makes them; the Windows tests script them instead.
#pragma once

#include <cstdint>

#include "toolkit/palette.h"
#include "toolkit/win32/display_elements.h"

namespace toolkit::win32::system {

// A palette is named by a handle made here; handle 0 is the default palette. Display elements
// are those of display_elements.h, 0 to count - 1.
using PaletteHandle = std::uintptr_t;

// The static colours of the system palette, in its order.
void staticColours(toolkit::palette::Rgb (&colours)[toolkit::palette::staticCount]);
// 0: refused
PaletteHandle createPalette(const toolkit::palette::PaletteEntry* entries, int count);
void deletePalette(PaletteHandle palette);
// Makes the palette the one the window's device context uses. forceBackground: realised as a
// background palette even while the window is in the foreground.
void selectPalette(PaletteHandle palette, bool forceBackground);
// Maps the selected palette into the hardware palette: the number of entries that changed, or
// -1 when it failed.
int realisePalette();
// Switches the system palette's static colours on or off; whether they were on until now.
bool useStaticColours(bool use);
palette::SystemVersion systemVersion();
void displayElementColours(palette::ElementColour* colours,
                           int count); // the current colours
void setDisplayElementColours(const palette::ElementColour* colours, int count);
// The text of the user's own colour of a display element; false when it cannot be read.
bool userElementColour(const char* valueName, char* text, int capacity);
void broadcastSystemColourChange(); // tells every top-level window the system colours changed
// Posts the deferred realise request to the window, to come back as the toolkit's own message;
// false when it could not be posted.
bool postDeferredRealise();
void yieldTimeSlice(); // lets other programs run before this one goes on

} // namespace toolkit::win32::system
