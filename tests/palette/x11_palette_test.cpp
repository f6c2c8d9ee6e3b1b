// The X11 binding's palette on a private 8-bit X server. No GLX config of such a screen is
// RGBA (Mesa's Xvfb offers none at all at depth 8), so openWindow cannot get that far: the
// tests make a plain PseudoColor or GrayScale window, hand it to the binding as its window and
// report the palette format as openWindow does once its window exists. From there on the
// binding's own calls run against the server: the colormap made and stored, selected, installed
// on focus in, handed back on focus out, left alone when another client installs its own, the
// takeover mode's colour cube, and the hand-back at destruction. A true-colour window opened
// for real on $DISPLAY gets no palette at all.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <vector>

#include "tests/support/x_helpers.h"
#include "toolkit/callbacks.h"
#include "toolkit/palette.h"
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/x11/x11_palette.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit_test {
namespace {

namespace x = testsupport::x;

using namespace toolkit;

const palette::PixelLayout threeThreeTwo = {8, 3, 0, 3, 3, 2, 6};

std::vector<Colormap> installedColormaps(Display* display) {
    int count = 0;
    Colormap* list = XListInstalledColormaps(display, DefaultRootWindow(display), &count);
    std::vector<Colormap> installed(list, list + count);
    if (list) XFree(list);
    return installed;
}

Colormap colormapOf(Display* display, Window window) {
    XWindowAttributes a{};
    XGetWindowAttributes(display, window, &a);
    return a.colormap;
}

// The toolkit's connection after everything asked so far: every event it caused is queued.
void pump(Display* observer) {
    XSync(observer, False);
    XSync(x11::state.display, False);
    while (XPending(x11::state.display) > 0) platform::handleNextEvent();
}

class EightBitScreen : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: DISPLAY is unset";
        x::startServer(server, "640x480x8");
        if (server.pid < 0) GTEST_SKIP() << "Xvfb could not be started";
        observer = server.display;
        callbacks::reset();
        x11::state = x11::State{};
        x11::state.display = XOpenDisplay(server.name.c_str());
        ASSERT_NE(x11::state.display, nullptr);
        x11::state.screen = DefaultScreen(x11::state.display);
    }
    void TearDown() override {
        if (x11::state.window) platform::destroyWindow();
        if (x11::state.display) XCloseDisplay(x11::state.display);
        x11::state = x11::State{};
    }

    // A window of the visual class, given to the binding as the program's window; then the
    // palette format as openWindow reports it.
    void openPaletteWindow(int visualClass, unsigned mode) {
        Display* d = x11::state.display;
        ASSERT_TRUE(XMatchVisualInfo(d, x11::state.screen, 8, visualClass, &visual));
        Window root = RootWindow(d, x11::state.screen);
        x11::state.colormap = XCreateColormap(d, root, visual.visual, AllocNone);
        XSetWindowAttributes a{};
        a.colormap = x11::state.colormap;
        a.event_mask = FocusChangeMask | ColormapChangeMask | StructureNotifyMask;
        x11::state.window = XCreateWindow(d, root, 0, 0, 100, 100, 0, visual.depth, InputOutput,
                                          visual.visual, CWColormap | CWEventMask, &a);
        x11::state.width = x11::state.height = 100;
        XMapWindow(d, x11::state.window);
        XSync(d, False);
        x11::palette::usePaletteVisual(visual, threeThreeTwo, mode);
        window = x11::state.window;
        handle = x11::palette::windowColormap().colormap;
        pump(observer);
    }

    void focus(Window to) {
        XSetInputFocus(observer, to, RevertToNone, CurrentTime);
        pump(observer);
    }
    void focusOut() { focus(DefaultRootWindow(observer)); }

    x::Server server;
    Display* observer = nullptr; // the tests' own connection to the private server
    XVisualInfo visual{};
    Window window = 0;
    Colormap handle = 0; // the palette's colormap
};

TEST_F(EightBitScreen, PseudoColorWindowGetsTheFittedPaletteSelectedAndInstalled) {
    openPaletteWindow(PseudoColor, 0x102);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(colormapOf(observer, window), handle);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle});

    palette::PaletteEntry want[palette::entryCapacity];
    palette::buildEntries(threeThreeTwo, false, palette::standardStaticColours, want);
    XColor stored[256];
    for (int i = 0; i < 256; ++i) stored[i].pixel = unsigned(i);
    XQueryColors(observer, handle, stored, 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(stored[i].red >> 8, want[i].red) << i;
        EXPECT_EQ(stored[i].green >> 8, want[i].green) << i;
        EXPECT_EQ(stored[i].blue >> 8, want[i].blue) << i;
    }
    EXPECT_EQ(stored[3].red >> 8, 128) << "a static colour fitted in";
}

TEST_F(EightBitScreen, FocusOutHandsTheHardwareColormapBackAndFocusInInstallsItAgain) {
    openPaletteWindow(PseudoColor, 0x102);
    Colormap standard = DefaultColormap(observer, DefaultScreen(observer));
    focus(window);
    focusOut();
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{standard});
    EXPECT_FALSE(x11::palette::windowColormap().active);
    EXPECT_EQ(colormapOf(observer, window), handle) << "still the window's colormap";
    focus(window);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle});
    EXPECT_TRUE(x11::palette::windowColormap().active);
}

TEST_F(EightBitScreen, AnotherClientsColormapIsLeftInstalledUntilTheWindowIsActivatedAgain) {
    openPaletteWindow(PseudoColor, 0x102);
    focus(window);
    Colormap other =
        XCreateColormap(observer, DefaultRootWindow(observer), visual.visual, AllocNone);
    XInstallColormap(observer, other);
    pump(observer); // the window hears of it as a palette change: background, nothing to undo
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{other});
    focusOut();
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{other})
        << "a window in the background does not uninstall another client's colormap";
    focus(window);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle});
    XFreeColormap(observer, other);
}

TEST_F(EightBitScreen, GrayScaleWindowGetsItsPaletteToo) {
    openPaletteWindow(GrayScale, 0x102);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(colormapOf(observer, window), handle);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle});
}

TEST_F(EightBitScreen, DestructionHandsTheDefaultColormapBackAndFreesThePalette) {
    openPaletteWindow(PseudoColor, 0x102);
    Colormap standard = DefaultColormap(observer, DefaultScreen(observer));
    focus(window);
    platform::destroyWindow();
    XSync(observer, False);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{standard});
    EXPECT_EQ(x11::palette::windowColormap().colormap, 0u);
}

TEST_F(EightBitScreen, TakeoverWindowHandsBackAtDestructionToo) {
    openPaletteWindow(PseudoColor, 0x302);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle})
        << "nothing on X11 holds the palette";
    Colormap standard = DefaultColormap(observer, DefaultScreen(observer));
    platform::destroyWindow();
    XSync(observer, False);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{standard});
}

// X11 has no static colours to give up: a takeover window's colormap is the plain colour cube,
// and it comes and goes with the focus like any other.
TEST_F(EightBitScreen, TakeoverWindowGetsTheColourCubeInstalledWithTheFocus) {
    openPaletteWindow(PseudoColor, 0x302);
    palette::PaletteEntry want[palette::entryCapacity];
    palette::buildEntries(threeThreeTwo, true, palette::standardStaticColours, want);
    XColor stored[256];
    for (int i = 0; i < 256; ++i) stored[i].pixel = unsigned(i);
    XQueryColors(observer, handle, stored, 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(stored[i].red >> 8, want[i].red) << i;
    EXPECT_EQ(stored[3].red >> 8, 139) << "no static colour fitted in";
    Colormap standard = DefaultColormap(observer, DefaultScreen(observer));
    focus(window);
    focusOut();
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{standard});
    focus(window);
    EXPECT_EQ(installedColormaps(observer), std::vector<Colormap>{handle});
}

TEST(X11PaletteVisuals, OnlyPseudoColorAndGrayScaleNeedAPalette) {
    XVisualInfo v{};
    v.colormap_size = 256;
    v.c_class = PseudoColor;
    EXPECT_TRUE(x11::palette::needsPalette(v));
    v.c_class = GrayScale;
    EXPECT_TRUE(x11::palette::needsPalette(v));
    for (int c : {TrueColor, DirectColor, StaticColor, StaticGray}) {
        v.c_class = c;
        EXPECT_FALSE(x11::palette::needsPalette(v)) << c;
    }
}

TEST(X11PaletteVisuals, ComponentsArePackedFromTheLowestBitRedFirst) {
    palette::PixelLayout l = x11::palette::packedLayout(8, 3, 3, 2);
    EXPECT_TRUE(palette::isThreeThreeTwo(l));
    EXPECT_EQ(l.colourBits, 8);
    l = x11::palette::packedLayout(4, 1, 2, 1);
    EXPECT_EQ(l.greenShift, 1);
    EXPECT_EQ(l.blueShift, 3);
}

TEST(X11TrueColour, TheProgramsWindowGetsNoPaletteAndInstallsNothing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: DISPLAY is unset";
    callbacks::reset();
    setWindowPlacement(50, 10, 200, 200);
    setDisplayMode(0x102);
    ASSERT_EQ(openWindow("palette true colour"), 1);
    Display* observer = x::probe();
    ASSERT_NE(observer, nullptr);
    Window window = Window(getWindowHandle());
    EXPECT_FALSE(x11::palette::windowColormap().needed);
    EXPECT_EQ(x11::palette::windowColormap().colormap, 0u);
    std::vector<Colormap> before = installedColormaps(observer);
    XSetInputFocus(observer, window, RevertToNone, CurrentTime);
    pump(observer);
    XSetInputFocus(observer, PointerRoot, RevertToPointerRoot, CurrentTime);
    pump(observer);
    EXPECT_EQ(installedColormaps(observer), before);
    platform::destroyWindow();
    EXPECT_EQ(installedColormaps(observer), before);
}

} // namespace
} // namespace toolkit_test
