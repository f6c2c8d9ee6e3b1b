// RGB palette entries and the fitting of the static system colours.
#include "toolkit/win32/palette_entries.h"

namespace toolkit::palette {

namespace {

constexpr unsigned char oneBit[2] = {0, 255};
constexpr unsigned char twoBits[4] = {0, 116, 191, 255};
constexpr unsigned char threeBits[8] = {0, 63, 104, 139, 171, 200, 229, 255};

unsigned field(unsigned index, int bits, int shift) {
    if (bits <= 0) return 0;
    return (index >> shift) & ((1u << bits) - 1);
}

bool isThreeThreeTwo(const Layout& l) {
    return l.redBits == 3 && l.redShift == 0 && l.greenBits == 3 && l.greenShift == 3 &&
           l.blueBits == 2 && l.blueShift == 6;
}

bool sameColour(const Entry& e, const Colour& c) {
    return e.red == c.red && e.green == c.green && e.blue == c.blue;
}

long distance(const Entry& e, const Colour& c) {
    long r = long(e.red) - c.red, g = long(e.green) - c.green, b = long(e.blue) - c.blue;
    return r * r + g * g + b * b;
}

void fitStaticColours(const Colour (&statics)[staticColourCount], Entry* entries) {
    int entryOf[staticColourCount];
    bool taken[maxEntries] = {};
    for (int s = 0; s < staticColourCount; ++s) {
        entryOf[s] = -1;
        for (int i = 0; i < maxEntries && entryOf[s] < 0; ++i) {
            if (!taken[i] && sameColour(entries[i], statics[s])) {
                entryOf[s] = i;
                taken[i] = true;
            }
        }
    }
    for (int s = 0; s < staticColourCount; ++s) {
        if (entryOf[s] >= 0) continue;
        int nearest = -1;
        long nearestDistance = 0;
        for (int i = 0; i < maxEntries; ++i) {
            if (taken[i]) continue;
            long d = distance(entries[i], statics[s]);
            if (nearest < 0 || d < nearestDistance) {
                nearest = i;
                nearestDistance = d;
            }
        }
        entryOf[s] = nearest;
        taken[nearest] = true;
    }
    for (int s = 0; s < staticColourCount; ++s)
        entries[entryOf[s]] = {statics[s].red, statics[s].green, statics[s].blue, 0};
}

} // namespace

unsigned char expandComponent(unsigned value, int bits) {
    if (bits <= 0) return 0;
    switch (bits) {
    case 1: return oneBit[value & 1];
    case 2: return twoBits[value & 3];
    case 3: return threeBits[value & 7];
    default: {
        unsigned top = (1u << (bits > 8 ? 8 : bits)) - 1;
        unsigned v = value > top ? top : value;
        return static_cast<unsigned char>((v * 255 + top / 2) / top);
    }
    }
}

int entryCount(const Layout& layout) {
    int bits = layout.colourBits < 0 ? 0 : layout.colourBits > 8 ? 8 : layout.colourBits;
    return 1 << bits;
}

void rgbEntries(const Layout& layout, bool takeover, const Colour (&statics)[staticColourCount],
                Entry* entries) {
    int count = entryCount(layout);
    for (int i = 0; i < count; ++i) {
        entries[i].red = expandComponent(field(unsigned(i), layout.redBits, layout.redShift),
                                         layout.redBits);
        entries[i].green = expandComponent(
            field(unsigned(i), layout.greenBits, layout.greenShift), layout.greenBits);
        entries[i].blue = expandComponent(field(unsigned(i), layout.blueBits, layout.blueShift),
                                          layout.blueBits);
        entries[i].flags = noCollapse;
    }
    if (count != maxEntries) return;
    if (takeover) {
        entries[0].flags = 0;
        entries[maxEntries - 1].flags = 0;
    } else if (isThreeThreeTwo(layout)) {
        fitStaticColours(statics, entries);
    }
}

} // namespace toolkit::palette
