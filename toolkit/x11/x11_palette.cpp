// The X11 binding's palette primitives. On a PseudoColor or GrayScale visual a palette is a
// colormap of all the visual's entries filled from the shared palette; selecting it sets the
// window's colormap, realising it in the foreground installs it, in the background uninstalls
// the colormap this window installed (the server then puts the screen's default back). On a
// true-colour visual no palette is ever made and none of this is asked for.
//
// What X11 does not have:
//  - static colours. The server reserves no colours of the hardware colormap, so there are none
//    to read (the standard set is fitted in, as on a system that has them) and no switch to
//    turn: useStaticColours only remembers this window's own setting, so it never finds the
//    colours taken by another program and a takeover never has to wait.
//  - a system colour scheme. Window frames, menus and the desktop are drawn by other clients
//    from their own colours, which no client can change for them, and there is no per-user
//    colour store and no message to all top-level windows about new system colours. The
//    display-element half of a takeover therefore has nothing to act on: reading, setting,
//    the user's colours and the broadcast do nothing, and the colours saved at a takeover are
//    never handed to anything.
//  - a version that changes fewer display elements: the full count is reported.
#include "toolkit/x11/x11_palette.h"

#include <sched.h>

#include "toolkit/events.h"
#include "toolkit/platform.h"
#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit {

namespace {

using x11::state;

struct PaletteVisual {
    Visual* visual;     // the window's palette visual; null on a true-colour visual
    int entries;        // its colormap size
    Colormap selected;  // the window's colormap as last selected
    bool background;    // selected to be realised in the background
    Colormap installed; // the colormap this binding installed, while it stays installed
    bool staticOff;     // this window has switched the static colours off
    bool active;        // the window has the focus, as last reported
    Atom realiseAtom;   // type of the deferred realise request
};

PaletteVisual pv{};

bool serverHasInstalled(Colormap colormap) {
    int count = 0;
    Colormap* installed =
        XListInstalledColormaps(state.display, RootWindow(state.display, state.screen), &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = installed[i] == colormap;
    if (installed)
        XFree(installed);
    return found;
}

bool paletteWindow() {
    return state.display && state.window && pv.visual;
}

} // namespace

bool x11::palette::needsPalette(const XVisualInfo& visual) {
    return (visual.c_class == PseudoColor || visual.c_class == GrayScale) &&
           visual.colormap_size >= 2;
}

toolkit::palette::PixelLayout x11::palette::packedLayout(int colourBits, int redBits, int greenBits,
                                                         int blueBits) {
    return {colourBits, redBits, 0, greenBits, redBits, blueBits, redBits + greenBits};
}

void x11::palette::formatChosen(const XVisualInfo& visual, GLXFBConfig config, bool colourIndex) {
    if (colourIndex || !needsPalette(visual))
        return;
    int red = 0, green = 0, blue = 0;
    glXGetFBConfigAttrib(state.display, config, GLX_RED_SIZE, &red);
    glXGetFBConfigAttrib(state.display, config, GLX_GREEN_SIZE, &green);
    glXGetFBConfigAttrib(state.display, config, GLX_BLUE_SIZE, &blue);
    usePaletteVisual(visual, packedLayout(visual.depth, red, green, blue));
}

void x11::palette::usePaletteVisual(const XVisualInfo& visual,
                                    const toolkit::palette::PixelLayout& layout) {
    pv = PaletteVisual{};
    pv.visual = visual.visual;
    pv.entries = visual.colormap_size;
    pv.active = true; // a window opens in the foreground
    pv.realiseAtom = XInternAtom(state.display, "_MOLVANE_REALISE_PALETTE", False);
    inputPaletteNeeded(layout, false);
}

void x11::palette::focusChanged(const XFocusChangeEvent& event) {
    // Pointer focus and the focus of keyboard grabs say nothing about which window is in front.
    if (event.mode == NotifyGrab || event.mode == NotifyUngrab)
        return;
    if (event.detail == NotifyPointer || event.detail == NotifyPointerRoot ||
        event.detail == NotifyDetailNone)
        return;
    bool active = event.type == FocusIn;
    if (active == pv.active)
        return;
    pv.active = active;
    inputActivate(active, state.minimised);
}

// Another client installing its colormap takes the hardware colormap from this window's
// palette: X11's message that another window changed the system palette. Notifications of
// this window's own installs and uninstalls, and stale ones, are passed over.
void x11::palette::colormapChanged(const XColormapEvent& event) {
    if (event.c_new || event.state != ColormapUninstalled || event.colormap == None)
        return;
    if (event.colormap != pv.installed || serverHasInstalled(event.colormap))
        return;
    pv.installed = 0;
    inputPaletteChanged(false);
}

bool x11::palette::isDeferredRealise(const XClientMessageEvent& event) {
    return pv.realiseAtom != None && event.message_type == pv.realiseAtom;
}

void x11::palette::forget() {
    pv = PaletteVisual{};
}

// The primitives.

void platform::staticColours(toolkit::palette::Rgb (&colours)[toolkit::palette::staticCount]) {
    for (int i = 0; i < toolkit::palette::staticCount; ++i)
        colours[i] = toolkit::palette::standardStaticColours[i];
}

platform::PaletteHandle platform::createPalette(const toolkit::palette::PaletteEntry* entries,
                                                int count) {
    if (!paletteWindow())
        return 0;
    XColor colours[toolkit::palette::entryCapacity];
    int stored = count < pv.entries ? count : pv.entries;
    if (stored > toolkit::palette::entryCapacity)
        stored = toolkit::palette::entryCapacity;
    for (int i = 0; i < stored; ++i) {
        colours[i].pixel = unsigned(i);
        colours[i].red = static_cast<unsigned short>(entries[i].red * 257);
        colours[i].green = static_cast<unsigned short>(entries[i].green * 257);
        colours[i].blue = static_cast<unsigned short>(entries[i].blue * 257);
        colours[i].flags = DoRed | DoGreen | DoBlue;
    }
    x11::beginErrorTrap(state.display);
    Colormap colormap = XCreateColormap(state.display, RootWindow(state.display, state.screen),
                                        pv.visual, AllocAll);
    XStoreColors(state.display, colormap, colours, stored);
    if (x11::endErrorTrap(state.display) != 0) {
        x11::beginErrorTrap(state.display);
        XFreeColormap(state.display, colormap);
        x11::endErrorTrap(state.display);
        return 0;
    }
    return colormap;
}

void platform::deletePalette(PaletteHandle palette) {
    if (!state.display || palette == 0)
        return;
    if (pv.installed == palette)
        pv.installed = 0;
    if (pv.selected == palette)
        pv.selected = 0;
    x11::beginErrorTrap(state.display);
    XFreeColormap(state.display, Colormap(palette));
    x11::endErrorTrap(state.display);
}

// Handle 0 is the window's own colormap made with it, which the release puts back.
void platform::selectPalette(PaletteHandle palette, bool forceBackground) {
    if (!paletteWindow())
        return;
    Colormap colormap = palette ? Colormap(palette) : state.colormap;
    x11::beginErrorTrap(state.display); // the window may be destroyed already
    XSetWindowColormap(state.display, state.window, colormap);
    x11::endErrorTrap(state.display);
    pv.selected = colormap;
    pv.background = forceBackground;
}

int platform::realisePalette() {
    if (!paletteWindow() || pv.selected == 0)
        return 0;
    Colormap change = None;
    if (!pv.background) {
        if (!serverHasInstalled(pv.selected))
            change = pv.selected;
    } else if (pv.installed && serverHasInstalled(pv.installed)) {
        change = pv.installed;
    }
    if (change == None)
        return 0;
    x11::beginErrorTrap(state.display);
    if (pv.background)
        XUninstallColormap(state.display, change);
    else
        XInstallColormap(state.display, change);
    if (x11::endErrorTrap(state.display) != 0)
        return -1;
    pv.installed = pv.background ? 0 : change;
    return pv.entries;
}

bool platform::useStaticColours(bool use) {
    bool wasOn = !pv.staticOff;
    pv.staticOff = !use;
    return wasOn;
}

toolkit::palette::SystemVersion platform::systemVersion() {
    return {false, 0, 0};
}

// No system colour scheme on X11 (see the top of this file): nothing to read or set.
void platform::displayElementColours(toolkit::palette::ElementColour* colours, int count) {
    for (int i = 0; i < count; ++i)
        colours[i] = {0, 0, 0, false};
}
void platform::setDisplayElementColours(const toolkit::palette::ElementColour*, int) {}
bool platform::userElementColour(const char*, char*, int) {
    return false;
}
void platform::broadcastSystemColourChange() {}

bool platform::postDeferredRealise() {
    if (!paletteWindow() || pv.realiseAtom == None)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = state.window;
    event.xclient.message_type = pv.realiseAtom;
    event.xclient.format = 32;
    Status sent = XSendEvent(state.display, state.window, False, NoEventMask, &event);
    XFlush(state.display);
    return sent != 0;
}

void platform::yieldTimeSlice() {
    sched_yield();
}

} // namespace toolkit
