// The Win32 window's palette life cycle on scripted system calls: made at open, realised on
// activation, deactivation, other windows' palette changes and the deferred request, rebuilt on
// new system colours, the takeover of the system palette and its hand-back, and the release.
#include <gtest/gtest.h>

#include <string>

#include "tests/windows/scripted_palette.h"
#include "toolkit/palette.h"
#include "toolkit/win32/palette_cycle.h"

namespace {

using namespace toolkit;

constexpr palette::PixelLayout threeThreeTwo = {8, 3, 0, 3, 3, 2, 6};

class PaletteLifeCycle : public testing::Test {
  protected:
    void SetUp() override {
        scripted::reset();
        format = threeThreeTwo;
    }
    void TearDown() override { scripted::reset(); }
    // The window opens with a format of this layout; noPalette: a true-colour format.
    void setPaletteFormat(const palette::PixelLayout& layout, bool needsSystemPalette) {
        format = layout;
        needsSystemPalette_ = needsSystemPalette;
    }
    void open(unsigned mode) {
        if (!trueColour) win32::palette::paletteNeeded(format, needsSystemPalette_, mode);
    }
    // Opens, then forgets what the open asked for.
    void openAndClear(unsigned mode) {
        open(mode);
        scripted::clearPaletteLog();
    }
    // Delivers the scripted events, one at a time, checking that no more than one deferred
    // request ever waits.
    static void deliver() {
        while (scripted::queuedEvents() > 0) {
            ASSERT_LE(scripted::queuedDeferredRequests(), 1);
            scripted::deliverNext();
            ASSERT_LE(scripted::queuedDeferredRequests(), 1);
        }
    }
    static std::string log() { return scripted::paletteRecord().log; }
    static const win32::palette::WindowPalette& window() { return win32::palette::windowPalette(); }
    static int redraws() { return scripted::redraws(); }

    palette::PixelLayout format{};
    bool needsSystemPalette_ = false;
    bool trueColour = false;
};

bool sameColour(const win32::palette::ElementColour& c, int r, int g, int b, bool paletteRelative) {
    return c.red == r && c.green == g && c.blue == b && c.paletteRelative == paletteRelative;
}

// The colour the null binding gives element i before anything changes it.
bool initialColour(const win32::palette::ElementColour& c, int i) {
    return sameColour(c, 10 + i, 100 + i, 200 + i, false);
}

TEST_F(PaletteLifeCycle, TrueColourFormatMakesNoPaletteAndAsksNothing) {
    trueColour = true;
    open(0x102);
    scripted::pushActivate(false, false);
    scripted::pushActivate(true, false);
    scripted::pushPaletteChanged(false);
    scripted::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_FALSE(window().needed);
    win32::palette::release();
    EXPECT_EQ(log(), "");
}

TEST_F(PaletteLifeCycle, OpenMakesTheFittedPaletteAndRealisesItAsForeground) {
    scripted::setChangedEntries(12);
    open(0x102);
    EXPECT_EQ(log(), "create 1, select 1, realise");
    EXPECT_EQ(window().handle, 1u);
    EXPECT_FALSE(window().takeover);
    const scripted::PaletteRecord& r = scripted::paletteRecord();
    ASSERT_EQ(r.lastCount, 256);
    int withoutFlags = 0;
    for (const palette::PaletteEntry& e : r.lastEntries) withoutFlags += e.flags == 0;
    EXPECT_EQ(withoutFlags, 20) << "the static colours are fitted in";
    EXPECT_EQ(r.lastEntries[3].red, 128) << "dark red took entry 3";
    EXPECT_EQ(redraws(), 0) << "the new window is painted anyway";
}

TEST_F(PaletteLifeCycle, StaticColoursComeFromTheBinding) {
    palette::Rgb statics[palette::staticCount];
    for (int s = 0; s < palette::staticCount; ++s) statics[s] = palette::standardStaticColours[s];
    statics[1] = {1, 2, 3};
    scripted::setStaticColours(statics);
    open(0x102);
    const palette::PaletteEntry& e = scripted::paletteRecord().lastEntries[0];
    EXPECT_EQ(e.red, 0) << "black took entry 0";
    const palette::PaletteEntry& near = scripted::paletteRecord().lastEntries[3];
    EXPECT_EQ(near.red, 139) << "dark red is no static colour now";
    bool found = false;
    for (const palette::PaletteEntry& p : scripted::paletteRecord().lastEntries)
        found |= p.red == 1 && p.green == 2 && p.blue == 3 && p.flags == 0;
    EXPECT_TRUE(found);
}

TEST_F(PaletteLifeCycle, FormatsBeyondEightColourBitsGetNoPalette) {
    setPaletteFormat({16, 5, 0, 6, 5, 5, 11}, false);
    open(0x102);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(window().handle, 0u);
}

TEST_F(PaletteLifeCycle, ActivationRealisesForegroundAndRedrawsOnlyWhenEntriesChanged) {
    openAndClear(0x102);
    scripted::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "select 1, realise");
    EXPECT_EQ(redraws(), 0) << "nothing changed";
    scripted::setChangedEntries(3);
    scripted::pushActivate(true, false);
    deliver();
    EXPECT_EQ(redraws(), 1);
}

TEST_F(PaletteLifeCycle, DeactivationRealisesBackgroundAndRedrawsOnlyWhenEntriesChanged) {
    openAndClear(0x102);
    scripted::pushActivate(false, false);
    deliver();
    EXPECT_EQ(log(), "select 1 bg, realise");
    EXPECT_EQ(redraws(), 0);
    scripted::setChangedEntries(40);
    scripted::pushActivate(false, true);
    deliver();
    EXPECT_EQ(redraws(), 1) << "also when deactivated while minimised";
}

TEST_F(PaletteLifeCycle, ActivationWhileMinimisedRealisesNothing) {
    openAndClear(0x102);
    scripted::setChangedEntries(3);
    scripted::pushActivate(true, true);
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_EQ(redraws(), 0);
    EXPECT_FALSE(window().foreground);
}

TEST_F(PaletteLifeCycle, AnotherWindowsPaletteChangeRealisesBackgroundWithoutRedraw) {
    openAndClear(0x102);
    scripted::setChangedEntries(9);
    scripted::pushPaletteChanged(true); // this window's own change: nothing
    scripted::pushPaletteChanged(false);
    deliver();
    EXPECT_EQ(log(), "select 1 bg, realise");
    EXPECT_EQ(redraws(), 0);
}

TEST_F(PaletteLifeCycle, NewSystemColoursRebuildFromTheNewStaticColours) {
    openAndClear(0x102);
    palette::Rgb statics[palette::staticCount];
    for (int s = 0; s < palette::staticCount; ++s) statics[s] = palette::standardStaticColours[s];
    statics[12] = {130, 130, 130};
    scripted::setStaticColours(statics);
    scripted::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create 2, select 2, realise, delete 1");
    EXPECT_EQ(window().handle, 2u);
    EXPECT_EQ(scripted::paletteRecord().lastEntries[91].red, 130);
    EXPECT_EQ(redraws(), 1) << "after a rebuild, changed entries or not";
}

TEST_F(PaletteLifeCycle, ARebuildThatFailsKeepsTheOldPalette) {
    openAndClear(0x102);
    scripted::refusePalettes(1);
    scripted::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create refused");
    EXPECT_EQ(window().handle, 1u);

    scripted::clearPaletteLog();
    scripted::setRealiseFails(true);
    scripted::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create 2, select 2, realise, select 1, delete 2");
    EXPECT_EQ(window().handle, 1u);
    EXPECT_EQ(scripted::paletteRecord().selected, 1u);
    EXPECT_EQ(redraws(), 0);
}

TEST_F(PaletteLifeCycle, APaletteRefusedAtOpenIsMadeByTheNextRebuild) {
    scripted::refusePalettes(1);
    open(0x102);
    EXPECT_EQ(window().handle, 0u);
    scripted::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "create refused");
    scripted::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create refused, create 1, select 1, realise");
    EXPECT_EQ(window().handle, 1u);
}

TEST_F(PaletteLifeCycle, ReleaseSelectsTheDefaultAndDeletesBeforeTheContext) {
    openAndClear(0x102);
    win32::palette::release();
    EXPECT_EQ(log(), "select default, delete 1");
    EXPECT_EQ(window().handle, 0u);
    EXPECT_FALSE(window().needed);
}

TEST_F(PaletteLifeCycle, ModeBit0x200TakesOverAtOpen) {
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, read elements 25, set elements 25, broadcast, "
                     "select 1, realise");
    EXPECT_TRUE(window().takeover);
    EXPECT_TRUE(window().takenOver);
    const scripted::PaletteRecord& r = scripted::paletteRecord();
    EXPECT_FALSE(r.staticInUse);
    EXPECT_EQ(r.lastEntries[0].flags, 0);
    EXPECT_EQ(r.lastEntries[255].flags, 0);
    EXPECT_EQ(r.lastEntries[3].flags, palette::flagNoCollapse) << "no static colours fitted";
    EXPECT_EQ(r.lastEntries[3].red, 139);
    for (int i = 0; i < win32::palette::elementCount; ++i) {
        const win32::palette::ElementColour& want = win32::palette::displayElements[i].takenOver;
        EXPECT_TRUE(sameColour(r.elements[i], want.red, want.green, want.blue, true)) << i;
    }
    for (int i = 0; i < win32::palette::elementCount; ++i)
        EXPECT_TRUE(initialColour(window().saved[i], i)) << i;
}

TEST_F(PaletteLifeCycle, AFormatNeedingTheSystemPaletteTakesOverWithoutTheModeBit) {
    setPaletteFormat(threeThreeTwo, true);
    open(0x102);
    EXPECT_TRUE(window().takeover);
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, OnWindowsNt351ATakeoverChangesTwentyOneElements) {
    scripted::setSystemVersion({true, 3, 51});
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, read elements 21, set elements 21, broadcast, "
                     "select 1, realise");
    const scripted::PaletteRecord& r = scripted::paletteRecord();
    EXPECT_TRUE(sameColour(r.elements[20], 0, 0, 0, true));
    EXPECT_TRUE(initialColour(r.elements[21], 21));
    EXPECT_TRUE(initialColour(r.elements[24], 24));
}

TEST_F(PaletteLifeCycle, DeactivationHandsBackTheUsersColoursElseTheSavedOnes) {
    scripted::setUserColour(0, "1 2 3");
    scripted::setUserColour(13, "not a colour");
    scripted::setUserColour(23, "4 5 6");
    openAndClear(0x302);
    scripted::pushActivate(false, false);
    deliver();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select 1 bg, realise");
    const scripted::PaletteRecord& r = scripted::paletteRecord();
    EXPECT_EQ(r.userReads, 25);
    EXPECT_TRUE(sameColour(r.elements[0], 1, 2, 3, false));
    EXPECT_TRUE(sameColour(r.elements[23], 4, 5, 6, false));
    EXPECT_TRUE(initialColour(r.elements[13], 13)) << "unreadable: the colour saved at takeover";
    EXPECT_TRUE(initialColour(r.elements[5], 5)) << "no value at all: likewise";
    EXPECT_TRUE(initialColour(r.elements[24], 24)) << "saved beyond element 20 too";
    EXPECT_TRUE(r.staticInUse);
    EXPECT_FALSE(window().takenOver);
}

TEST_F(PaletteLifeCycle, TakenOverAnotherWindowsPaletteChangeRealisesNothing) {
    openAndClear(0x302);
    scripted::pushPaletteChanged(false);
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, AlreadyTakenOverAForegroundRealisationGoesStraightOn) {
    openAndClear(0x302);
    scripted::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "select 1, realise") << "no second takeover, no waiting";
    EXPECT_EQ(scripted::paletteRecord().deferredPosts, 0);
}

TEST_F(PaletteLifeCycle, TakeoverWaitsWhileStaticColoursAreOffWithOneDeferredRequest) {
    scripted::setStaticColoursInUse(false); // another program holds the whole palette
    scripted::setChangedEntries(2);
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, yield, post") << "this realisation is skipped";
    EXPECT_FALSE(window().takenOver);
    EXPECT_TRUE(window().deferredPending);
    EXPECT_EQ(scripted::queuedDeferredRequests(), 1);

    // Foreground realisations before the request is handled wait too, without a second post.
    scripted::pushActivate(true, false);
    scripted::pushActivate(true, false);
    scripted::clearPaletteLog();
    scripted::deliverNext(); // the deferred request: still off, posted anew
    scripted::deliverNext(); // activation
    scripted::deliverNext(); // activation
    EXPECT_EQ(log(), "static off, yield, post, static off, yield, static off, yield");
    EXPECT_EQ(scripted::paletteRecord().deferredPosts, 2);
    EXPECT_EQ(scripted::queuedDeferredRequests(), 1);
    EXPECT_EQ(redraws(), 0);

    scripted::setStaticColoursInUse(true); // the other program has let go
    scripted::clearPaletteLog();
    deliver();
    EXPECT_EQ(log(), "static off, read elements 25, set elements 25, broadcast, select 1, "
                     "realise");
    EXPECT_TRUE(window().takenOver);
    EXPECT_FALSE(window().deferredPending);
    EXPECT_EQ(redraws(), 1) << "the deferred realisation changed entries";
}

TEST_F(PaletteLifeCycle, AWindowInTheBackgroundDoesNotTakeTheSystemPaletteBack) {
    openAndClear(0x302);
    scripted::pushActivate(false, false); // hands back and broadcasts the colour change...
    scripted::pushSystemColoursChanged(); // ...which comes back to this window as well
    deliver();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select 1 bg, realise, "
                     "create 2, select 2, realise, delete 1");
    EXPECT_FALSE(window().takenOver);
    EXPECT_TRUE(scripted::paletteRecord().staticInUse);

    scripted::clearPaletteLog();
    scripted::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "static off, read elements 25, set elements 25, broadcast, select 2, "
                     "realise");
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, ReleaseWhileTakenOverHandsBackThroughTheDefaultPalette) {
    scripted::setUserColour(1, "9 9 9");
    openAndClear(0x302);
    win32::palette::release();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select default bg, realise, "
                     "delete 1");
    EXPECT_TRUE(sameColour(scripted::paletteRecord().elements[1], 9, 9, 9, false));
    EXPECT_TRUE(initialColour(scripted::paletteRecord().elements[2], 2));
    EXPECT_TRUE(scripted::paletteRecord().staticInUse);
    EXPECT_FALSE(window().takenOver);
}

TEST_F(PaletteLifeCycle, ReleaseWithTheTakeoverFlagButNothingTakenOverRealisesTheDefault) {
    openAndClear(0x302);
    scripted::pushActivate(false, false);
    deliver();
    scripted::clearPaletteLog();
    win32::palette::release();
    EXPECT_EQ(log(), "select default bg, realise, delete 1");
}

TEST_F(PaletteLifeCycle, TheNextWindowStartsAfresh) {
    scripted::setStaticColoursInUse(false);
    open(0x302);
    ASSERT_TRUE(window().deferredPending);
    win32::palette::release();
    EXPECT_FALSE(window().deferredPending);
    // The request went with the window: Windows drops the messages of a destroyed window.
    while (scripted::queuedEvents() > 0) scripted::deliverNext();
    EXPECT_FALSE(window().takenOver) << "a request arriving late finds no palette";
    scripted::setStaticColoursInUse(true);
    scripted::clearPaletteLog();
    open(0x102);
    EXPECT_EQ(log(), "create 2, select 2, realise");
    EXPECT_FALSE(window().takeover);
    EXPECT_TRUE(window().foreground);
}

} // namespace
