// The palette of an RGBA pixel format on a display with a hardware palette: made at the
// pixel-format setup, realised again on the window's palette messages, and handed back when
// the window is destroyed. With the takeover flag the window also takes the whole system
// palette and the system's display-element colours while it is in the foreground. On
// true-colour displays none of this happens.
#pragma once

#include "toolkit/win32/win32_state.h"

namespace toolkit::win32::palette {

constexpr int elementCount = 25;     // display elements changed during a takeover
constexpr UINT deferredRealise = WM_USER + 1; // posted to the window, at most one waiting

// Display elements in element order: the registry value with the user's colour, and the
// colour while the system palette is taken over.
struct DisplayElement {
    const char* registryValue;
    COLORREF takenOverColour;
};
extern const DisplayElement displayElements[elementCount];

// At each window open: no palette yet, nothing taken over, and the number of elements a
// takeover changes for this platform version.
void prepare();
// 25, or 21 on Windows NT 3.5 and 3.51, from the word GetVersion returns.
int changedElementCount(DWORD version);

// Builds the RGB palette for the chosen format on dc, selects and realises it as foreground.
// The takeover flag is set when the format needs the system palette or the mode asks for it
// (bit 0x200).
void create(HDC dc, const PIXELFORMATDESCRIPTOR& format, unsigned mode);
// A palette built for the format as create would build it (takeover: entries 0 and 255
// without flags), not selected anywhere; 0 when GDI refuses it.
HPALETTE build(const PIXELFORMATDESCRIPTOR& format, bool takeover);

// The window's palette messages. True when the message is answered here, with result;
// false for the default handling (after what the palette did, where it did something).
bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The user's colour of a display element: the registry value of HKEY_CURRENT_USER
// "Control Panel\Colors", text "red green blue". False when it is missing or not of that form.
bool userColour(const char* registryValue, COLORREF& colour);
bool parseColour(const char* text, COLORREF& colour);

HPALETTE handle(); // the window's palette, 0 when there is none
void forget();     // after the release: no palette

} // namespace toolkit::win32::palette
