// The RGB palette that an RGBA pixel format needs on a display with a hardware palette: plain
// computations over colours and tables, no window-system calls. The life cycles that use it are
// the bindings' own (toolkit/win32/palette_cycle.h, toolkit/x11/x11_palette.h).
#pragma once

namespace toolkit::palette {

constexpr int entryCapacity = 256; // the largest palette: 8 colour bits
constexpr int staticCount = 20;    // static colours of the system palette

constexpr unsigned char flagNoCollapse = 0x04; // the entry gets a hardware slot of its own

struct Rgb {
    unsigned char red, green, blue;
};

struct PaletteEntry {
    unsigned char red, green, blue;
    unsigned char flags; // 0 or flagNoCollapse
};

// Where a pixel value keeps red, green and blue: width in bits and shift of each field.
struct PixelLayout {
    int colourBits; // the palette has 2^colourBits entries
    int redBits, redShift;
    int greenBits, greenShift;
    int blueBits, blueShift;
};

// The 20 static colours of the standard default palette, in its order.
extern const Rgb standardStaticColours[staticCount];

// A component field of 1, 2 or 3 bits expanded to 8 bits: 1 bit 0, 255; 2 bits 0, 116, 191,
// 255; 3 bits 0, 63, 104, 139, 171, 200, 229, 255. Fields of 4 to 8 bits scale evenly from 0 to
// 255; a field of no bits, or of more than 8, is 0.
unsigned char expandBits(unsigned value, int bits);

// Entries of the palette for the layout: 2^colourBits for 1 to 8 colour bits; 0 (no palette
// can be made) for any other count.
int paletteSize(const PixelLayout& layout);

// Whether the layout is red 3 bits at 0, green 3 bits at 3, blue 2 bits at 6.
bool isThreeThreeTwo(const PixelLayout& layout);

// Fills paletteSize(layout) entries and returns that count. Entry i takes the colour of its
// bit fields and the no-collapse flag. With 256 entries: on a takeover entries 0 and 255 lose
// their flag; otherwise, for the 3-3-2 layout, the static colours are fitted in.
int buildEntries(const PixelLayout& layout, bool takeover, const Rgb (&statics)[staticCount],
                 PaletteEntry (&entries)[entryCapacity]);

// Fits the static colours into a 256-entry palette: each takes the first entry with exactly its
// colour, then each still without one takes the entry not yet taken with the smallest sum of
// squared differences (the first on a tie); every taken entry becomes its static colour with no
// flags. entryOf[s] is the entry static colour s took.
void fitStaticColours(const Rgb (&statics)[staticCount], PaletteEntry (&entries)[entryCapacity],
                      int (&entryOf)[staticCount]);

// The window takes over the system palette when its format needs the whole system palette or
// the display mode asks for it (bit 0x200).
bool takesOver(bool formatNeedsSystemPalette, unsigned mode);

} // namespace toolkit::palette
