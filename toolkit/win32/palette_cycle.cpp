// The window's palette life cycle: making, realising on the window's events, the takeover of
// the system palette and its hand-back, the rebuild on new system colours, and the release.
#include "toolkit/win32/palette_cycle.h"

namespace toolkit::win32::palette {

namespace {

constexpr int realiseFailed = -1;
constexpr int realiseSkipped = -2; // the takeover has to wait: the deferred request will retry

WindowPalette initialPalette() {
    WindowPalette p{};
    p.foreground = true; // a window opens in the foreground
    return p;
}

WindowPalette wp = initialPalette();

// A palette for the window's format from the current static colours; 0 when refused.
system::PaletteHandle makePalette() {
    Rgb statics[staticCount];
    system::staticColours(statics);
    PaletteEntry entries[entryCapacity];
    int count = buildEntries(wp.layout, wp.takeover, statics, entries);
    return system::createPalette(entries, count);
}

void postDeferredRealise() {
    if (!wp.deferredPending) wp.deferredPending = system::postDeferredRealise();
}

// Switches the static colours off and the display elements to the takeover colours. When the
// static colours are off already, another program holds the whole palette: this realisation
// waits for the deferred request instead.
bool takeOver() {
    if (!system::useStaticColours(false)) {
        system::yieldTimeSlice();
        postDeferredRealise();
        return false;
    }
    ElementColour colours[elementCount];
    system::displayElementColours(wp.saved, wp.changedCount);
    for (int i = 0; i < wp.changedCount; ++i) colours[i] = displayElements[i].takenOver;
    system::setDisplayElementColours(colours, wp.changedCount);
    wp.takenOver = true;
    system::broadcastSystemColourChange();
    return true;
}

// Each changed element gets the user's colour back, or the one saved at the takeover.
void handBack() {
    if (!wp.takenOver) return;
    ElementColour colours[elementCount];
    for (int i = 0; i < wp.changedCount; ++i) {
        char text[64];
        bool read = system::userElementColour(displayElements[i].userValueName, text, sizeof text);
        colours[i] = handBackColour(read ? text : nullptr, wp.saved[i]);
    }
    system::setDisplayElementColours(colours, wp.changedCount);
    system::useStaticColours(true);
    system::broadcastSystemColourChange();
    wp.takenOver = false;
}

// Selects and realises the palette: the entries that changed, realiseFailed or realiseSkipped.
// Only a window in the foreground takes the system palette over: a foreground realisation of a
// window in the background (a rebuild on the colour change that its own hand-back broadcast,
// a deferred request arriving late) would otherwise take it from the window that is in front.
int realise(system::PaletteHandle palette, bool foreground) {
    if (foreground) {
        if (wp.takeover && !wp.takenOver && wp.foreground && !takeOver()) return realiseSkipped;
    } else {
        handBack();
    }
    system::selectPalette(palette, !foreground);
    int changed = system::realisePalette();
    return changed < 0 ? realiseFailed : changed;
}

// A new palette from the new static colours, realised as foreground; the old one stays when
// the new one cannot be made or realised. True when the new one is in use.
bool rebuild() {
    system::PaletteHandle fresh = makePalette();
    if (!fresh) return false;
    int realised = realise(fresh, true);
    if (realised == realiseFailed) system::selectPalette(wp.handle, false);
    if (realised < 0) {
        system::deletePalette(fresh);
        return false;
    }
    if (wp.handle) system::deletePalette(wp.handle);
    wp.handle = fresh;
    return true;
}

} // namespace

const WindowPalette& windowPalette() { return wp; }

void release() {
    if (wp.handle || wp.takenOver) {
        if (wp.takeover)
            realise(0, false); // the default palette in the background hands the colours back
        else
            system::selectPalette(0, false);
    }
    if (wp.handle) system::deletePalette(wp.handle);
    wp = initialPalette();
}

void forget() { wp = initialPalette(); }

void paletteNeeded(const PixelLayout& layout, bool needsSystemPalette, unsigned mode) {
    release();
    if (paletteSize(layout) == 0) return;
    wp.needed = true;
    wp.layout = layout;
    wp.takeover = takesOver(needsSystemPalette, mode);
    wp.changedCount = changedElementCount(system::systemVersion());
    wp.handle = makePalette();
    if (wp.handle) realise(wp.handle, true);
}

bool activate(bool active, bool minimised) {
    wp.foreground = active && !minimised;
    if (!wp.handle || (active && minimised)) return false;
    return realise(wp.handle, active) > 0;
}

void paletteChanged(bool byThisWindow) {
    if (!byThisWindow && wp.handle && !wp.takenOver) realise(wp.handle, false);
}

bool deferredRealise() {
    wp.deferredPending = false;
    return wp.handle && realise(wp.handle, true) > 0;
}

bool systemColoursChanged() { return wp.needed && rebuild(); }

} // namespace toolkit::win32::palette
