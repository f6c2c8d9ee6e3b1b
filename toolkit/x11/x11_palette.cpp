// The X11 binding's colormaps of palette visuals. On a PseudoColor or GrayScale visual the
// window's palette is a colormap of all the visual's entries filled from the shared palette;
// it is the window's colormap while the window lives, installed when the window is in front
// and uninstalled (the server then puts the screen's default back) when it goes behind. X11
// has no static colours to switch off and no system colour scheme that a client could change,
// so nothing more is taken over. On a true-colour visual none of this is asked for.
#include "toolkit/x11/x11_palette.h"

#include "toolkit/platform.h"
#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit {

namespace {

using x11::state;
namespace pal = toolkit::palette;

struct PaletteVisual {
    x11::palette::WindowColormap window;
    Visual* visual;     // the window's palette visual
    int entries;        // its colormap size
    Colormap installed; // the colormap this binding installed, while it stays installed
};

PaletteVisual pv{};

bool serverHasInstalled(Colormap colormap) {
    int count = 0;
    Colormap* installed =
        XListInstalledColormaps(state.display, RootWindow(state.display, state.screen), &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i) found = installed[i] == colormap;
    if (installed) XFree(installed);
    return found;
}

// A colormap of the visual holding the entries; 0 when the server refuses it.
Colormap makeColormap(const pal::PaletteEntry* entries, int count) {
    XColor colours[pal::entryCapacity];
    int stored = count < pv.entries ? count : pv.entries;
    if (stored > pal::entryCapacity) stored = pal::entryCapacity;
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

void setWindowColormap(Colormap colormap) {
    x11::beginErrorTrap(state.display); // the window may be destroyed already
    XSetWindowColormap(state.display, state.window, colormap);
    x11::endErrorTrap(state.display);
}

// Installs the window's colormap unless it is installed already; true when it was installed.
bool install() {
    Colormap colormap = pv.window.colormap;
    if (colormap == 0 || serverHasInstalled(colormap)) return false;
    x11::beginErrorTrap(state.display);
    XInstallColormap(state.display, colormap);
    if (x11::endErrorTrap(state.display) != 0) return false;
    pv.installed = colormap;
    return true;
}

// Uninstalls the colormap this binding installed, if it still is; true when it was uninstalled.
bool uninstall() {
    Colormap colormap = pv.installed;
    if (colormap == 0 || !serverHasInstalled(colormap)) return false;
    x11::beginErrorTrap(state.display);
    XUninstallColormap(state.display, colormap);
    if (x11::endErrorTrap(state.display) != 0) return false;
    pv.installed = 0;
    return true;
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

void x11::palette::formatChosen(const XVisualInfo& visual, GLXFBConfig config, bool colourIndex,
                                unsigned mode) {
    if (colourIndex || !needsPalette(visual)) return;
    int red = 0, green = 0, blue = 0;
    glXGetFBConfigAttrib(state.display, config, GLX_RED_SIZE, &red);
    glXGetFBConfigAttrib(state.display, config, GLX_GREEN_SIZE, &green);
    glXGetFBConfigAttrib(state.display, config, GLX_BLUE_SIZE, &blue);
    usePaletteVisual(visual, packedLayout(visual.depth, red, green, blue), mode);
}

void x11::palette::usePaletteVisual(const XVisualInfo& visual, const pal::PixelLayout& layout,
                                    unsigned mode) {
    pv = PaletteVisual{};
    pv.window.active = true; // a window opens in the foreground
    if (pal::paletteSize(layout) == 0) return;
    pv.window.needed = true;
    pv.visual = visual.visual;
    pv.entries = visual.colormap_size;
    pal::PaletteEntry entries[pal::entryCapacity];
    int count =
        pal::buildEntries(layout, pal::takesOver(false, mode), pal::standardStaticColours, entries);
    pv.window.colormap = makeColormap(entries, count);
    if (pv.window.colormap == 0) return;
    setWindowColormap(pv.window.colormap);
    install();
}

void x11::palette::focusChanged(const XFocusChangeEvent& event) {
    // Pointer focus and the focus of keyboard grabs say nothing about which window is in front.
    if (event.mode == NotifyGrab || event.mode == NotifyUngrab) return;
    if (event.detail == NotifyPointer || event.detail == NotifyPointerRoot ||
        event.detail == NotifyDetailNone)
        return;
    bool active = event.type == FocusIn;
    if (active == pv.window.active) return;
    pv.window.active = active;
    if (pv.window.colormap == 0 || (active && state.minimised)) return;
    if (active ? install() : uninstall()) platform::requestRedraw();
}

// Another client installing its colormap takes the hardware colormap from this window's
// colormap: it stays the other client's until this window comes to the front again.
// Notifications of this window's own installs and uninstalls, and stale ones, are passed over.
void x11::palette::colormapChanged(const XColormapEvent& event) {
    if (event.c_new || event.state != ColormapUninstalled || event.colormap == None) return;
    if (event.colormap != pv.installed || serverHasInstalled(event.colormap)) return;
    pv.installed = 0;
}

const x11::palette::WindowColormap& x11::palette::windowColormap() { return pv.window; }

void x11::palette::release() {
    if (pv.window.colormap != 0) {
        setWindowColormap(state.colormap);
        uninstall();
        x11::beginErrorTrap(state.display);
        XFreeColormap(state.display, pv.window.colormap);
        x11::endErrorTrap(state.display);
    }
    pv = PaletteVisual{};
}

} // namespace toolkit
