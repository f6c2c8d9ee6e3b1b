// The Win32 binding's palette primitives on GDI, USER32 and the registry, and the palette's
// life cycle on a real window. (Wine has no 8-bit OpenGL display: the realisation into a
// hardware palette and the takeover itself are left to a real palette display.)
#include <gtest/gtest.h>

#include "toolkit/callbacks.h"
#include "toolkit/palette.h"
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/palette_cycle.h"
#include "toolkit/win32/palette_system.h"
#include "toolkit/win32/win32_state.h"

namespace {

namespace pal = toolkit::palette;
namespace platform = toolkit::win32::system;
namespace cycle = toolkit::win32::palette;

constexpr pal::PixelLayout rgb332 = {8, 3, 0, 3, 3, 2, 6};

TEST(Win32Palette, StaticColoursAreTheDefaultPalettesOwn) {
    pal::Rgb statics[pal::staticCount];
    platform::staticColours(statics);
    PALETTEENTRY system[pal::staticCount] = {};
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                                pal::staticCount, system),
              UINT(pal::staticCount));
    for (int i = 0; i < pal::staticCount; ++i) {
        EXPECT_EQ(statics[i].red, system[i].peRed) << i;
        EXPECT_EQ(statics[i].green, system[i].peGreen) << i;
        EXPECT_EQ(statics[i].blue, system[i].peBlue) << i;
    }
}

TEST(Win32Palette, GdiKeepsEveryEntryAndFlag) {
    pal::Rgb statics[pal::staticCount];
    platform::staticColours(statics);
    pal::PaletteEntry entries[pal::entryCapacity];
    int count = pal::buildEntries(rgb332, false, statics, entries);
    ASSERT_EQ(count, 256);
    platform::PaletteHandle handle = platform::createPalette(entries, count);
    ASSERT_NE(handle, 0u);
    HPALETTE palette = reinterpret_cast<HPALETTE>(handle);
    PALETTEENTRY got[257] = {};
    EXPECT_EQ(GetPaletteEntries(palette, 0, 257, got), 256u);
    int unflagged = 0;
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(got[i].peRed, entries[i].red) << i;
        ASSERT_EQ(got[i].peGreen, entries[i].green) << i;
        ASSERT_EQ(got[i].peBlue, entries[i].blue) << i;
        ASSERT_EQ(got[i].peFlags, entries[i].flags) << i;
        unflagged += got[i].peFlags == 0;
    }
    EXPECT_EQ(unflagged, pal::staticCount);
    EXPECT_EQ(got[0x9D].peRed, 200); // red 5, green 3, blue 2 of the 3-3-2 layout
    EXPECT_EQ(got[0x9D].peGreen, 139);
    EXPECT_EQ(got[0x9D].peBlue, 191);
    platform::deletePalette(handle);
    EXPECT_EQ(GetObjectType(palette), 0u);
    EXPECT_EQ(platform::createPalette(entries, 0), 0u);
    EXPECT_EQ(platform::createPalette(entries, 257), 0u);
}

TEST(Win32Palette, DisplayElementColoursGoAndComeBack) {
    cycle::ElementColour saved[2];
    platform::displayElementColours(saved, 2);
    EXPECT_EQ(RGB(saved[1].red, saved[1].green, saved[1].blue), GetSysColor(COLOR_BACKGROUND));
    const cycle::ElementColour set[2] = {{10, 20, 30, false}, {40, 50, 60, false}};
    platform::setDisplayElementColours(set, 2);
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR), RGB(10, 20, 30));
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(40, 50, 60));
    cycle::ElementColour read[2];
    platform::displayElementColours(read, 2);
    EXPECT_EQ(read[1].blue, 60);
    platform::setDisplayElementColours(saved, 2);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(saved[1].red, saved[1].green, saved[1].blue));
}

TEST(Win32Palette, UserColoursComeFromControlPanelColors) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char text[] = "1 2 3";
    RegSetValueExA(key, "MolvaneTestColour", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   sizeof text);
    char got[64] = "x";
    EXPECT_TRUE(platform::userElementColour("MolvaneTestColour", got, sizeof got));
    EXPECT_STREQ(got, "1 2 3");
    EXPECT_FALSE(platform::userElementColour("MolvaneNoSuchColour", got, sizeof got));
    RegDeleteValueA(key, "MolvaneTestColour");
    RegCloseKey(key);
    // Windows NT of some version: 25 display elements change in a takeover.
    cycle::SystemVersion version = platform::systemVersion();
    EXPECT_TRUE(version.windowsNt);
    EXPECT_GE(version.major, 5);
    EXPECT_EQ(cycle::changedElementCount(version), 25);
}

// A palette made for the window as a palette display would have it: selected into the
// window's device context, then handed back and deleted first when the window goes.
TEST(Win32Palette, TheWindowsPaletteIsSelectedAndGoesWithTheWindow) {
    toolkit::callbacks::reset();
    toolkit::setMessageBoxes(false);
    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    ASSERT_EQ(toolkit::openWindow("Win32 palette test"), 1);
    HWND window = reinterpret_cast<HWND>(toolkit::getWindowHandle());
    HDC dc = wglGetCurrentDC();
    EXPECT_EQ(cycle::windowPalette().handle, 0u); // a true-colour display needs none
    cycle::paletteNeeded(rgb332, false, 0);
    HPALETTE made = reinterpret_cast<HPALETTE>(cycle::windowPalette().handle);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), made);
    EXPECT_EQ(SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0), TRUE);
    DestroyWindow(window);
    EXPECT_EQ(GetObjectType(made), 0u); // deleted
    EXPECT_EQ(cycle::windowPalette().handle, 0u);
    toolkit::callbacks::reset();
}

} // namespace
