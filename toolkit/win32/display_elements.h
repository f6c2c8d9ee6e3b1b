// The display elements of a palette takeover on Windows: the system colours (scroll bar,
// background, title, ...) that the takeover sets to black or white, where the user's own colour
// of each is kept in the registry ("Control Panel\\Colors"), how many of them the platform's
// version changes, and the colour each gets back. Plain computations, no system calls; the
// palette life cycle (palette_cycle.h) uses them.
#pragma once

namespace toolkit::win32::palette {

constexpr int elementCount = 25; // display elements a takeover changes at most

// The colour of a display element. Palette-relative colours name the palette entry nearest to
// them rather than a dithered mix (the takeover colours are given so).
struct ElementColour {
    unsigned char red, green, blue;
    bool paletteRelative;
};

struct DisplayElement {
    const char* userValueName; // where the user's own colour is kept
    ElementColour takenOver;   // the colour while the system palette is taken over
};

// Display elements 0 to 24 in element order.
extern const DisplayElement displayElements[elementCount];

// Version of the platform the window runs on, as far as the takeover cares.
struct SystemVersion {
    bool windowsNt;
    int major, minor;
};

// Display elements a takeover changes: 25, or 21 on Windows NT 3.5 and 3.51.
int changedElementCount(const SystemVersion& version);

// The colour a display element gets back at the end of a takeover: the user's own colour from
// its text "red green blue" (three decimal numbers from 0 to 255), else the colour saved at the
// takeover. userText is null when the user's value could not be read.
ElementColour handBackColour(const char* userText, const ElementColour& saved);

} // namespace toolkit::win32::palette
