// The display elements of a Win32 palette takeover: their names and takeover colours, how many
// the platform's version changes, and the colour each gets back.
#include <gtest/gtest.h>

#include "toolkit/win32/display_elements.h"

namespace {

using namespace toolkit::win32::palette;

TEST(PaletteTakeover, TwentyFiveDisplayElementsWithTheirNamesAndColours) {
    const char* names[elementCount] = {
        "Scrollbar",     "Background",     "ActiveTitle",  "InactiveTitle", "Menu",
        "Window",        "WindowFrame",    "MenuText",     "WindowText",    "TitleText",
        "ActiveBorder",  "InactiveBorder", "AppWorkspace", "Hilight",       "HilightText",
        "ButtonFace",    "ButtonShadow",   "GrayText",     "ButtonText",    "InactiveTitleText",
        "ButtonHilight", "ButtonDkShadow", "ButtonLight",  "InfoText",      "InfoWindow"};
    const bool white[elementCount] = {1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1,
                                      0, 1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1};
    for (int i = 0; i < elementCount; ++i) {
        EXPECT_STREQ(displayElements[i].userValueName, names[i]) << i;
        const ElementColour& c = displayElements[i].takenOver;
        int level = white[i] ? 255 : 0;
        EXPECT_EQ(c.red, level) << i;
        EXPECT_EQ(c.green, level) << i;
        EXPECT_EQ(c.blue, level) << i;
        EXPECT_TRUE(c.paletteRelative) << i;
    }
}

TEST(PaletteTakeover, OnlyWindowsNt35And351ChangeTwentyOneElements) {
    EXPECT_EQ(changedElementCount({true, 3, 50}), 21);
    EXPECT_EQ(changedElementCount({true, 3, 51}), 21);
    EXPECT_EQ(changedElementCount({true, 3, 10}), 25);
    EXPECT_EQ(changedElementCount({true, 4, 0}), 25);
    EXPECT_EQ(changedElementCount({false, 3, 51}), 25);
    EXPECT_EQ(changedElementCount({false, 4, 0}), 25);
}

TEST(PaletteTakeover, HandBackTakesTheUsersColourElseTheSavedOne) {
    const ElementColour saved = {7, 8, 9, false};
    auto same = [](const ElementColour& a, const ElementColour& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue &&
               a.paletteRelative == b.paletteRelative;
    };
    EXPECT_TRUE(same(handBackColour("12 34 56", saved), {12, 34, 56, false}));
    EXPECT_TRUE(same(handBackColour("  0 255\t128", saved), {0, 255, 128, false}));
    EXPECT_TRUE(same(handBackColour(nullptr, saved), saved)) << "unreadable";
    EXPECT_TRUE(same(handBackColour("", saved), saved));
    EXPECT_TRUE(same(handBackColour("12 34", saved), saved));
    EXPECT_TRUE(same(handBackColour("red green blue", saved), saved));
    EXPECT_TRUE(same(handBackColour("256 0 0", saved), saved)) << "not a colour component";
    EXPECT_TRUE(same(handBackColour("0 -1 0", saved), saved));
}

} // namespace
