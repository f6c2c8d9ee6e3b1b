// The colours of the RGB palette that an RGBA pixel format needs on a display with a hardware
// palette: each entry's colour from the bit fields of its index, and the 20 static system
// colours fitted in. Plain computations with no window-system calls, so they can be tested
// anywhere.
//
// Note: these are the palette's shared computations written for the Win32 binding, the only
// binding with palette displays; they use no Win32 type and can move to toolkit/ as they are.
#pragma once

namespace toolkit::palette {

struct Colour {
    unsigned char red, green, blue;
};

struct Entry {
    unsigned char red, green, blue, flags; // flags: 0 or noCollapse
};

constexpr unsigned char noCollapse = 0x04; // PC_NOCOLLAPSE
constexpr int staticColourCount = 20;
constexpr int maxEntries = 256;

// Where a pixel value keeps its red, green and blue: width in bits and shift of each field.
struct Layout {
    int colourBits; // the palette has 2^colourBits entries (at most 256)
    int redBits, redShift;
    int greenBits, greenShift;
    int blueBits, blueShift;
};

// A component of width bits expanded to 8 bits: 1 bit -> 0, 255; 2 bits -> 0, 116, 191, 255;
// 3 bits -> 0, 63, 104, 139, 171, 200, 229, 255. Other widths scale linearly (0 bits: 0).
unsigned char expandComponent(unsigned value, int bits);

// Number of entries of the palette for the layout (2^colourBits, at most 256).
int entryCount(const Layout& layout);

// Fills entryCount(layout) entries. Every entry gets the colour of its index's bit fields and
// the no-collapse flag. With 256 entries: on a takeover entries 0 and 255 lose their flag;
// otherwise, for the 3-3-2 layout (red 3 bits at 0, green 3 at 3, blue 2 at 6), the static
// colours are fitted in: each takes the first entry of exactly its colour, each still without
// one the free entry nearest to it (sum of squared differences, the first on a tie), and every
// taken entry becomes its static colour with no flag.
void rgbEntries(const Layout& layout, bool takeover, const Colour (&statics)[staticColourCount],
                Entry* entries);

} // namespace toolkit::palette
