// The RGB palette's entries and the fitting of the static colours.
#include "toolkit/palette.h"

#include "toolkit/toolkit.h"

namespace toolkit::palette {

namespace {

constexpr unsigned char oneBit[2] = {0, 255};
constexpr unsigned char twoBits[4] = {0, 116, 191, 255};
constexpr unsigned char threeBits[8] = {0, 63, 104, 139, 171, 200, 229, 255};

unsigned field(unsigned index, int bits, int shift) {
    if (bits <= 0 || bits > 8 || shift < 0 || shift > 7) return 0;
    return (index >> shift) & ((1u << bits) - 1);
}

bool sameColour(const PaletteEntry& e, const Rgb& c) {
    return e.red == c.red && e.green == c.green && e.blue == c.blue;
}

long squaredDistance(const PaletteEntry& e, const Rgb& c) {
    long r = long(e.red) - c.red, g = long(e.green) - c.green, b = long(e.blue) - c.blue;
    return r * r + g * g + b * b;
}

int exactFreeEntry(const PaletteEntry (&entries)[entryCapacity], const bool (&taken)[entryCapacity],
                   const Rgb& colour) {
    for (int i = 0; i < entryCapacity; ++i)
        if (!taken[i] && sameColour(entries[i], colour)) return i;
    return -1;
}

int nearestFreeEntry(const PaletteEntry (&entries)[entryCapacity],
                     const bool (&taken)[entryCapacity], const Rgb& colour) {
    int nearest = -1;
    long nearestDistance = 0;
    for (int i = 0; i < entryCapacity; ++i) {
        if (taken[i]) continue;
        long d = squaredDistance(entries[i], colour);
        if (nearest < 0 || d < nearestDistance) {
            nearest = i;
            nearestDistance = d;
        }
    }
    return nearest;
}

} // namespace

const Rgb standardStaticColours[staticCount] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

unsigned char expandBits(unsigned value, int bits) {
    switch (bits) {
    case 1:
        return oneBit[value & 1];
    case 2:
        return twoBits[value & 3];
    case 3:
        return threeBits[value & 7];
    default:
        break;
    }
    if (bits < 1 || bits > 8) return 0;
    unsigned top = (1u << bits) - 1;
    return static_cast<unsigned char>(((value & top) * 255 + top / 2) / top);
}

int paletteSize(const PixelLayout& layout) {
    if (layout.colourBits < 1 || layout.colourBits > 8) return 0;
    return 1 << layout.colourBits;
}

bool isThreeThreeTwo(const PixelLayout& l) {
    return l.redBits == 3 && l.redShift == 0 && l.greenBits == 3 && l.greenShift == 3 &&
           l.blueBits == 2 && l.blueShift == 6;
}

int buildEntries(const PixelLayout& layout, bool takeover, const Rgb (&statics)[staticCount],
                 PaletteEntry (&entries)[entryCapacity]) {
    int count = paletteSize(layout);
    for (int i = 0; i < count; ++i) {
        unsigned index = unsigned(i);
        PaletteEntry& e = entries[i];
        e.red = expandBits(field(index, layout.redBits, layout.redShift), layout.redBits);
        e.green = expandBits(field(index, layout.greenBits, layout.greenShift), layout.greenBits);
        e.blue = expandBits(field(index, layout.blueBits, layout.blueShift), layout.blueBits);
        e.flags = flagNoCollapse;
    }
    if (count != entryCapacity) return count;
    if (takeover) {
        entries[0].flags = 0;
        entries[entryCapacity - 1].flags = 0;
    } else if (isThreeThreeTwo(layout)) {
        int entryOf[staticCount];
        fitStaticColours(statics, entries, entryOf);
    }
    return count;
}

void fitStaticColours(const Rgb (&statics)[staticCount], PaletteEntry (&entries)[entryCapacity],
                      int (&entryOf)[staticCount]) {
    bool taken[entryCapacity] = {};
    for (int s = 0; s < staticCount; ++s) {
        entryOf[s] = exactFreeEntry(entries, taken, statics[s]);
        if (entryOf[s] >= 0) taken[entryOf[s]] = true;
    }
    for (int s = 0; s < staticCount; ++s) {
        if (entryOf[s] >= 0) continue;
        entryOf[s] = nearestFreeEntry(entries, taken, statics[s]);
        taken[entryOf[s]] = true;
    }
    for (int s = 0; s < staticCount; ++s)
        entries[entryOf[s]] = {statics[s].red, statics[s].green, statics[s].blue, 0};
}

bool takesOver(bool formatNeedsSystemPalette, unsigned mode) {
    return formatNeedsSystemPalette || (mode & modeTakeover) != 0;
}

} // namespace toolkit::palette
