// The palette's computations: expansion tables, entries from bit fields and their flags, the
// fitting of the static colours into the 3-3-2 layout and the takeover flag.
#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/palette.h"

namespace {

using namespace toolkit::palette;

constexpr PixelLayout threeThreeTwo = {8, 3, 0, 3, 3, 2, 6};
constexpr unsigned char three[8] = {0, 63, 104, 139, 171, 200, 229, 255};
constexpr unsigned char two[4] = {0, 116, 191, 255};

TEST(PaletteTables, ComponentFieldsExpandThroughTheFixedTables) {
    EXPECT_EQ(expandBits(0, 1), 0);
    EXPECT_EQ(expandBits(1, 1), 255);
    for (unsigned v = 0; v < 4; ++v) EXPECT_EQ(expandBits(v, 2), two[v]) << v;
    for (unsigned v = 0; v < 8; ++v) EXPECT_EQ(expandBits(v, 3), three[v]) << v;
    EXPECT_EQ(expandBits(2, 1), 0) << "only the field's own bits count";
    EXPECT_EQ(expandBits(9, 3), 63);
}

TEST(PaletteTables, WiderFieldsScaleEvenlyAndEmptyOrOversizedFieldsAreBlack) {
    EXPECT_EQ(expandBits(0, 4), 0);
    EXPECT_EQ(expandBits(15, 4), 255);
    EXPECT_EQ(expandBits(8, 4), 136);
    EXPECT_EQ(expandBits(255, 8), 255);
    EXPECT_EQ(expandBits(128, 8), 128);
    EXPECT_EQ(expandBits(1, 0), 0);
    EXPECT_EQ(expandBits(1, 9), 0);
    EXPECT_EQ(expandBits(1, -2), 0);
}

TEST(PaletteTables, TwoToTheColourBitsEntriesUpToEightBits) {
    PixelLayout l = threeThreeTwo;
    EXPECT_EQ(paletteSize(l), 256);
    l.colourBits = 4;
    EXPECT_EQ(paletteSize(l), 16);
    l.colourBits = 1;
    EXPECT_EQ(paletteSize(l), 2);
    l.colourBits = 0;
    EXPECT_EQ(paletteSize(l), 0);
    l.colourBits = 16;
    EXPECT_EQ(paletteSize(l), 0) << "no palette beyond 256 entries";
}

TEST(PaletteTables, TakeoverGivesPlainBitFieldColoursAndFreesOnlyTheEnds) {
    PaletteEntry entries[entryCapacity];
    ASSERT_EQ(buildEntries(threeThreeTwo, true, standardStaticColours, entries), 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i].red, three[i & 7]) << i;
        EXPECT_EQ(entries[i].green, three[(i >> 3) & 7]) << i;
        EXPECT_EQ(entries[i].blue, two[i >> 6]) << i;
        EXPECT_EQ(entries[i].flags, i == 0 || i == 255 ? 0 : flagNoCollapse) << i;
    }
}

TEST(PaletteTables, OtherLayoutsTakeTheirFieldsAndNoStaticColours) {
    const PixelLayout blueLow = {8, 3, 5, 3, 2, 2, 0};
    PaletteEntry entries[entryCapacity];
    ASSERT_EQ(buildEntries(blueLow, false, standardStaticColours, entries), 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i].red, three[i >> 5]) << i;
        EXPECT_EQ(entries[i].green, three[(i >> 2) & 7]) << i;
        EXPECT_EQ(entries[i].blue, two[i & 3]) << i;
        ASSERT_EQ(entries[i].flags, flagNoCollapse) << i;
    }

    const PixelLayout small = {4, 1, 0, 2, 1, 1, 3};
    ASSERT_EQ(buildEntries(small, true, standardStaticColours, entries), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(entries[i].red, (i & 1) ? 255 : 0) << i;
        EXPECT_EQ(entries[i].green, two[(i >> 1) & 3]) << i;
        EXPECT_EQ(entries[i].blue, (i & 8) ? 255 : 0) << i;
        EXPECT_EQ(entries[i].flags, flagNoCollapse) << "a takeover frees ends of 256 only";
    }
}

// Worked out by hand from the tables: black, the six full primaries and secondaries and white
// match exactly; the others take their nearest free entry in static-colour order, e.g. sky blue
// (166, 202, 240) the entry (171, 200, 255) at 4 + 5 * 8 + 3 * 64. Cream (255, 251, 240) finds
// white taken and takes the next nearest, (255, 229, 255).
constexpr int expectedEntryOf[staticCount] = {0,   3,   24, 27, 64, 67, 88,  173, 181, 236,
                                              247, 164, 91, 7,  56, 63, 192, 199, 248, 255};

TEST(PaletteFitting, StandardStaticColoursTakeTwentyDistinctEntriesExactMatchesFirst) {
    PaletteEntry entries[entryCapacity];
    buildEntries(threeThreeTwo, true, standardStaticColours, entries); // plain colours
    int entryOf[staticCount];
    fitStaticColours(standardStaticColours, entries, entryOf);
    for (int s = 0; s < staticCount; ++s)
        EXPECT_EQ(entryOf[s], expectedEntryOf[s]) << "static colour " << s;
    for (int s = 0; s < staticCount; ++s)
        for (int t = s + 1; t < staticCount; ++t)
            EXPECT_NE(entryOf[s], entryOf[t]) << s << " and " << t;
}

TEST(PaletteFitting, FittedPaletteHasTheStaticColoursWithoutFlagsAndTheRestUntouched) {
    PaletteEntry plain[entryCapacity], fitted[entryCapacity];
    buildEntries(threeThreeTwo, true, standardStaticColours, plain);
    ASSERT_EQ(buildEntries(threeThreeTwo, false, standardStaticColours, fitted), 256);
    bool isStatic[entryCapacity] = {};
    for (int s = 0; s < staticCount; ++s) {
        const PaletteEntry& e = fitted[expectedEntryOf[s]];
        const Rgb& c = standardStaticColours[s];
        EXPECT_EQ(e.red, c.red) << s;
        EXPECT_EQ(e.green, c.green) << s;
        EXPECT_EQ(e.blue, c.blue) << s;
        EXPECT_EQ(e.flags, 0) << s;
        isStatic[expectedEntryOf[s]] = true;
    }
    int flagged = 0;
    for (int i = 0; i < 256; ++i) {
        if (isStatic[i]) continue;
        ++flagged;
        EXPECT_EQ(fitted[i].flags, flagNoCollapse) << i;
        EXPECT_EQ(std::memcmp(&fitted[i], &plain[i], 3), 0) << i;
    }
    EXPECT_EQ(flagged, 236);
}

TEST(PaletteFitting, AnExactMatchIsNotLostToAnEarlierColourThatIsOnlyNear) {
    // Static 0 is nearest to pure red, which static 1 matches exactly; the other 18 match other
    // entries exactly.
    PaletteEntry entries[entryCapacity];
    buildEntries(threeThreeTwo, true, standardStaticColours, entries);
    Rgb statics[staticCount];
    statics[0] = {250, 0, 0};
    statics[1] = {255, 0, 0};
    for (int s = 2; s < staticCount; ++s)
        statics[s] = {entries[100 + s].red, entries[100 + s].green, entries[100 + s].blue};
    int entryOf[staticCount];
    fitStaticColours(statics, entries, entryOf);
    EXPECT_EQ(entryOf[1], 7);
    EXPECT_EQ(entryOf[0], 6) << "the next nearest: (229, 0, 0)";
    for (int s = 2; s < staticCount; ++s) EXPECT_EQ(entryOf[s], 100 + s);
    EXPECT_EQ(entries[6].red, 250);
    EXPECT_EQ(entries[7].red, 255);
}

TEST(PaletteFitting, RepeatedStaticColoursStillTakeDistinctEntries) {
    PaletteEntry entries[entryCapacity];
    buildEntries(threeThreeTwo, true, standardStaticColours, entries);
    Rgb statics[staticCount];
    for (Rgb& c : statics) c = {0, 0, 0};
    int entryOf[staticCount];
    fitStaticColours(statics, entries, entryOf);
    EXPECT_EQ(entryOf[0], 0);
    EXPECT_EQ(entryOf[1], 1) << "(63, 0, 0), as near as (0, 63, 0) at 8 and first";
    EXPECT_EQ(entryOf[2], 8);
    bool seen[entryCapacity] = {};
    for (int s = 0; s < staticCount; ++s) {
        ASSERT_GE(entryOf[s], 0);
        EXPECT_FALSE(seen[entryOf[s]]) << s;
        seen[entryOf[s]] = true;
        EXPECT_EQ(entries[entryOf[s]].red + entries[entryOf[s]].green + entries[entryOf[s]].blue,
                  0);
    }
}

TEST(PaletteTakeover, FormatDemandOrModeBit0x200) {
    EXPECT_FALSE(takesOver(false, 0x102));
    EXPECT_TRUE(takesOver(true, 0x102));
    EXPECT_TRUE(takesOver(false, 0x302));
    EXPECT_TRUE(takesOver(false, 0x200));
    EXPECT_FALSE(takesOver(false, 0x1FF));
}

} // namespace
