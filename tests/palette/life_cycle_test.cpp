// The window's palette life cycle through the null binding: made at open, realised on
// activation, deactivation, other windows' palette changes and the deferred request, rebuilt on
// new system colours, the takeover of the system palette and its hand-back, and the release
// before the OpenGL context.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/events.h"
#include "toolkit/null/null_binding.h"
#include "toolkit/null/null_palette.h"
#include "toolkit/palette_window.h"
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"

namespace {

using namespace toolkit;

constexpr palette::PixelLayout threeThreeTwo = {8, 3, 0, 3, 3, 2, 6};

class PaletteLifeCycle : public testing::Test {
  protected:
    void SetUp() override {
        null::reset();
        null::setPaletteFormat(threeThreeTwo, false);
    }
    static void open(unsigned mode) {
        setWindowPlacement(50, 10, 400, 400);
        setDisplayMode(mode);
        ASSERT_EQ(openWindow("palette test"), 1);
    }
    // Opens, then forgets what the open asked for.
    static void openAndClear(unsigned mode) {
        open(mode);
        null::clearPaletteLog();
    }
    // Delivers the scripted events, one at a time, checking that no more than one deferred
    // request ever waits.
    static void deliver() {
        while (null::queuedEvents() > 0) {
            ASSERT_LE(null::queuedDeferredRequests(), 1);
            platform::handleNextEvent();
            ASSERT_LE(null::queuedDeferredRequests(), 1);
        }
    }
    static std::string log() { return null::paletteRecord().log; }
    static const palette::WindowPalette& window() { return palette::windowPalette(); }
    static int redraws() { return null::record().redrawRequests; }
};

bool sameColour(const palette::ElementColour& c, int r, int g, int b, bool paletteRelative) {
    return c.red == r && c.green == g && c.blue == b && c.paletteRelative == paletteRelative;
}

// The colour the null binding gives element i before anything changes it.
bool initialColour(const palette::ElementColour& c, int i) {
    return sameColour(c, 10 + i, 100 + i, 200 + i, false);
}

TEST_F(PaletteLifeCycle, TrueColourFormatMakesNoPaletteAndAsksNothing) {
    null::clearPaletteFormat();
    open(0x102);
    null::pushActivate(false, false);
    null::pushActivate(true, false);
    null::pushPaletteChanged(false);
    null::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_FALSE(window().needed);
    EXPECT_TRUE(inputQueryNewPalette()) << "answered all the same";
    platform::destroyWindow();
    EXPECT_STREQ(null::record().releaseOrder, "context forget");
}

TEST_F(PaletteLifeCycle, OpenMakesTheFittedPaletteAndRealisesItAsForeground) {
    null::setChangedEntries(12);
    open(0x102);
    EXPECT_EQ(log(), "create 1, select 1, realise");
    EXPECT_EQ(window().handle, 1u);
    EXPECT_FALSE(window().takeover);
    const null::PaletteRecord& r = null::paletteRecord();
    ASSERT_EQ(r.lastCount, 256);
    int withoutFlags = 0;
    for (const palette::PaletteEntry& e : r.lastEntries)
        withoutFlags += e.flags == 0;
    EXPECT_EQ(withoutFlags, 20) << "the static colours are fitted in";
    EXPECT_EQ(r.lastEntries[3].red, 128) << "dark red took entry 3";
    EXPECT_EQ(redraws(), 0) << "the new window is painted anyway";
}

TEST_F(PaletteLifeCycle, StaticColoursComeFromTheBinding) {
    palette::Rgb statics[palette::staticCount];
    for (int s = 0; s < palette::staticCount; ++s)
        statics[s] = palette::standardStaticColours[s];
    statics[1] = {1, 2, 3};
    null::setStaticColours(statics);
    open(0x102);
    const palette::PaletteEntry& e = null::paletteRecord().lastEntries[0];
    EXPECT_EQ(e.red, 0) << "black took entry 0";
    const palette::PaletteEntry& near = null::paletteRecord().lastEntries[3];
    EXPECT_EQ(near.red, 139) << "dark red is no static colour now";
    bool found = false;
    for (const palette::PaletteEntry& p : null::paletteRecord().lastEntries)
        found |= p.red == 1 && p.green == 2 && p.blue == 3 && p.flags == 0;
    EXPECT_TRUE(found);
}

TEST_F(PaletteLifeCycle, FormatsBeyondEightColourBitsGetNoPalette) {
    null::setPaletteFormat({16, 5, 0, 6, 5, 5, 11}, false);
    open(0x102);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(window().handle, 0u);
}

TEST_F(PaletteLifeCycle, ActivationRealisesForegroundAndRedrawsOnlyWhenEntriesChanged) {
    openAndClear(0x102);
    null::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "select 1, realise");
    EXPECT_EQ(redraws(), 0) << "nothing changed";
    null::setChangedEntries(3);
    null::pushActivate(true, false);
    deliver();
    EXPECT_EQ(redraws(), 1);
}

TEST_F(PaletteLifeCycle, DeactivationRealisesBackgroundAndRedrawsOnlyWhenEntriesChanged) {
    openAndClear(0x102);
    null::pushActivate(false, false);
    deliver();
    EXPECT_EQ(log(), "select 1 bg, realise");
    EXPECT_EQ(redraws(), 0);
    null::setChangedEntries(40);
    null::pushActivate(false, true);
    deliver();
    EXPECT_EQ(redraws(), 1) << "also when deactivated while minimised";
}

TEST_F(PaletteLifeCycle, ActivationWhileMinimisedRealisesNothing) {
    openAndClear(0x102);
    null::setChangedEntries(3);
    null::pushActivate(true, true);
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_EQ(redraws(), 0);
    EXPECT_FALSE(window().foreground);
}

TEST_F(PaletteLifeCycle, AnotherWindowsPaletteChangeRealisesBackgroundWithoutRedraw) {
    openAndClear(0x102);
    null::setChangedEntries(9);
    null::pushPaletteChanged(true); // this window's own change: nothing
    null::pushPaletteChanged(false);
    deliver();
    EXPECT_EQ(log(), "select 1 bg, realise");
    EXPECT_EQ(redraws(), 0);
}

TEST_F(PaletteLifeCycle, NewSystemColoursRebuildFromTheNewStaticColours) {
    openAndClear(0x102);
    palette::Rgb statics[palette::staticCount];
    for (int s = 0; s < palette::staticCount; ++s)
        statics[s] = palette::standardStaticColours[s];
    statics[12] = {130, 130, 130};
    null::setStaticColours(statics);
    null::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create 2, select 2, realise, delete 1");
    EXPECT_EQ(window().handle, 2u);
    EXPECT_EQ(null::paletteRecord().lastEntries[91].red, 130);
    EXPECT_EQ(redraws(), 1) << "after a rebuild, changed entries or not";
}

TEST_F(PaletteLifeCycle, ARebuildThatFailsKeepsTheOldPalette) {
    openAndClear(0x102);
    null::refusePalettes(1);
    null::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create refused");
    EXPECT_EQ(window().handle, 1u);

    null::clearPaletteLog();
    null::setRealiseFails(true);
    null::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create 2, select 2, realise, select 1, delete 2");
    EXPECT_EQ(window().handle, 1u);
    EXPECT_EQ(null::paletteRecord().selected, 1u);
    EXPECT_EQ(redraws(), 0);
}

TEST_F(PaletteLifeCycle, APaletteRefusedAtOpenIsMadeByTheNextRebuild) {
    null::refusePalettes(1);
    open(0x102);
    EXPECT_EQ(window().handle, 0u);
    null::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "create refused");
    null::pushSystemColoursChanged();
    deliver();
    EXPECT_EQ(log(), "create refused, create 1, select 1, realise");
    EXPECT_EQ(window().handle, 1u);
}

TEST_F(PaletteLifeCycle, ReleaseSelectsTheDefaultAndDeletesBeforeTheContext) {
    openAndClear(0x102);
    platform::destroyWindow();
    EXPECT_EQ(log(), "select default, delete 1");
    EXPECT_STREQ(null::record().releaseOrder, "palette context forget");
    EXPECT_EQ(window().handle, 0u);
    EXPECT_FALSE(window().needed);
}

TEST_F(PaletteLifeCycle, ModeBit0x200TakesOverAtOpen) {
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, read elements 25, set elements 25, broadcast, "
                     "select 1, realise");
    EXPECT_TRUE(window().takeover);
    EXPECT_TRUE(window().takenOver);
    const null::PaletteRecord& r = null::paletteRecord();
    EXPECT_FALSE(r.staticInUse);
    EXPECT_EQ(r.lastEntries[0].flags, 0);
    EXPECT_EQ(r.lastEntries[255].flags, 0);
    EXPECT_EQ(r.lastEntries[3].flags, palette::flagNoCollapse) << "no static colours fitted";
    EXPECT_EQ(r.lastEntries[3].red, 139);
    for (int i = 0; i < palette::elementCount; ++i) {
        const palette::ElementColour& want = palette::displayElements[i].takenOver;
        EXPECT_TRUE(sameColour(r.elements[i], want.red, want.green, want.blue, true)) << i;
    }
    for (int i = 0; i < palette::elementCount; ++i)
        EXPECT_TRUE(initialColour(window().saved[i], i)) << i;
}

TEST_F(PaletteLifeCycle, AFormatNeedingTheSystemPaletteTakesOverWithoutTheModeBit) {
    null::setPaletteFormat(threeThreeTwo, true);
    open(0x102);
    EXPECT_TRUE(window().takeover);
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, OnWindowsNt351ATakeoverChangesTwentyOneElements) {
    null::setSystemVersion({true, 3, 51});
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, read elements 21, set elements 21, broadcast, "
                     "select 1, realise");
    const null::PaletteRecord& r = null::paletteRecord();
    EXPECT_TRUE(sameColour(r.elements[20], 0, 0, 0, true));
    EXPECT_TRUE(initialColour(r.elements[21], 21));
    EXPECT_TRUE(initialColour(r.elements[24], 24));
}

TEST_F(PaletteLifeCycle, DeactivationHandsBackTheUsersColoursElseTheSavedOnes) {
    null::setUserColour(0, "1 2 3");
    null::setUserColour(13, "not a colour");
    null::setUserColour(23, "4 5 6");
    openAndClear(0x302);
    null::pushActivate(false, false);
    deliver();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select 1 bg, realise");
    const null::PaletteRecord& r = null::paletteRecord();
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
    null::pushPaletteChanged(false);
    deliver();
    EXPECT_EQ(log(), "");
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, AlreadyTakenOverAForegroundRealisationGoesStraightOn) {
    openAndClear(0x302);
    null::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "select 1, realise") << "no second takeover, no waiting";
    EXPECT_EQ(null::paletteRecord().deferredPosts, 0);
}

TEST_F(PaletteLifeCycle, TakeoverWaitsWhileStaticColoursAreOffWithOneDeferredRequest) {
    null::setStaticColoursInUse(false); // another program holds the whole palette
    null::setChangedEntries(2);
    open(0x302);
    EXPECT_EQ(log(), "create 1, static off, yield, post") << "this realisation is skipped";
    EXPECT_FALSE(window().takenOver);
    EXPECT_TRUE(window().deferredPending);
    EXPECT_EQ(null::queuedDeferredRequests(), 1);

    // Foreground realisations before the request is handled wait too, without a second post.
    null::pushActivate(true, false);
    null::pushActivate(true, false);
    null::clearPaletteLog();
    platform::handleNextEvent(); // the deferred request: still off, posted anew
    platform::handleNextEvent(); // activation
    platform::handleNextEvent(); // activation
    EXPECT_EQ(log(), "static off, yield, post, static off, yield, static off, yield");
    EXPECT_EQ(null::paletteRecord().deferredPosts, 2);
    EXPECT_EQ(null::queuedDeferredRequests(), 1);
    EXPECT_EQ(redraws(), 0);

    null::setStaticColoursInUse(true); // the other program has let go
    null::clearPaletteLog();
    deliver();
    EXPECT_EQ(log(), "static off, read elements 25, set elements 25, broadcast, select 1, "
                     "realise");
    EXPECT_TRUE(window().takenOver);
    EXPECT_FALSE(window().deferredPending);
    EXPECT_EQ(redraws(), 1) << "the deferred realisation changed entries";
}

TEST_F(PaletteLifeCycle, AWindowInTheBackgroundDoesNotTakeTheSystemPaletteBack) {
    openAndClear(0x302);
    null::pushActivate(false, false); // hands back and broadcasts the colour change...
    null::pushSystemColoursChanged(); // ...which comes back to this window as well
    deliver();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select 1 bg, realise, "
                     "create 2, select 2, realise, delete 1");
    EXPECT_FALSE(window().takenOver);
    EXPECT_TRUE(null::paletteRecord().staticInUse);

    null::clearPaletteLog();
    null::pushActivate(true, false);
    deliver();
    EXPECT_EQ(log(), "static off, read elements 25, set elements 25, broadcast, select 2, "
                     "realise");
    EXPECT_TRUE(window().takenOver);
}

TEST_F(PaletteLifeCycle, ReleaseWhileTakenOverHandsBackThroughTheDefaultPalette) {
    null::setUserColour(1, "9 9 9");
    openAndClear(0x302);
    platform::destroyWindow();
    EXPECT_EQ(log(), "set elements 25, static on, broadcast, select default bg, realise, "
                     "delete 1");
    EXPECT_STREQ(null::record().releaseOrder, "palette context forget");
    EXPECT_TRUE(sameColour(null::paletteRecord().elements[1], 9, 9, 9, false));
    EXPECT_TRUE(initialColour(null::paletteRecord().elements[2], 2));
    EXPECT_TRUE(null::paletteRecord().staticInUse);
    EXPECT_FALSE(window().takenOver);
}

TEST_F(PaletteLifeCycle, ReleaseWithTheTakeoverFlagButNothingTakenOverRealisesTheDefault) {
    openAndClear(0x302);
    null::pushActivate(false, false);
    deliver();
    null::clearPaletteLog();
    platform::destroyWindow();
    EXPECT_EQ(log(), "select default bg, realise, delete 1");
}

TEST_F(PaletteLifeCycle, TheNextWindowStartsAfresh) {
    null::setStaticColoursInUse(false);
    open(0x302);
    ASSERT_TRUE(window().deferredPending);
    platform::destroyWindow();
    EXPECT_FALSE(window().deferredPending);
    EXPECT_EQ(null::queuedDeferredRequests(), 0) << "the request went with the window";
    null::setStaticColoursInUse(true);
    null::clearPaletteLog();
    open(0x102);
    EXPECT_EQ(log(), "create 2, select 2, realise");
    EXPECT_FALSE(window().takeover);
    EXPECT_TRUE(window().foreground);
}

} // namespace
