// The window's palette life cycle: making, realising on the window's events, the takeover of
// the system palette and its hand-back, the rebuild on new system colours, and the release.
#include "toolkit/palette_window.h"

#include "toolkit/events.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

using palette::WindowPalette;

constexpr int realiseFailed = -1;
constexpr int realiseSkipped = -2; // the takeover has to wait: the deferred request will retry

WindowPalette initialPalette() {
    WindowPalette p{};
    p.foreground = true; // a window opens in the foreground
    return p;
}

WindowPalette wp = initialPalette();

// A palette for the window's format from the current static colours; 0 when refused.
platform::PaletteHandle makePalette() {
    palette::Rgb statics[palette::staticCount];
    platform::staticColours(statics);
    palette::PaletteEntry entries[palette::entryCapacity];
    int count = palette::buildEntries(wp.layout, wp.takeover, statics, entries);
    return platform::createPalette(entries, count);
}

void postDeferredRealise() {
    if (!wp.deferredPending)
        wp.deferredPending = platform::postDeferredRealise();
}

// Switches the static colours off and the display elements to the takeover colours. When the
// static colours are off already, another program holds the whole palette: this realisation
// waits for the deferred request instead.
bool takeOver() {
    if (!platform::useStaticColours(false)) {
        platform::yieldTimeSlice();
        postDeferredRealise();
        return false;
    }
    palette::ElementColour colours[palette::elementCount];
    platform::displayElementColours(wp.saved, wp.changedCount);
    for (int i = 0; i < wp.changedCount; ++i)
        colours[i] = palette::displayElements[i].takenOver;
    platform::setDisplayElementColours(colours, wp.changedCount);
    wp.takenOver = true;
    platform::broadcastSystemColourChange();
    return true;
}

// Each changed element gets the user's colour back, or the one saved at the takeover.
void handBack() {
    if (!wp.takenOver)
        return;
    palette::ElementColour colours[palette::elementCount];
    for (int i = 0; i < wp.changedCount; ++i) {
        char text[64];
        bool read = platform::userElementColour(palette::displayElements[i].userValueName, text,
                                                sizeof text);
        colours[i] = palette::handBackColour(read ? text : nullptr, wp.saved[i]);
    }
    platform::setDisplayElementColours(colours, wp.changedCount);
    platform::useStaticColours(true);
    platform::broadcastSystemColourChange();
    wp.takenOver = false;
}

// Selects and realises the palette: the entries that changed, realiseFailed or realiseSkipped.
// Only a window in the foreground takes the system palette over: a foreground realisation of a
// window in the background (a rebuild on the colour change that its own hand-back broadcast,
// a deferred request arriving late) would otherwise take it from the window that is in front.
int realise(platform::PaletteHandle palette, bool foreground) {
    if (foreground) {
        if (wp.takeover && !wp.takenOver && wp.foreground && !takeOver())
            return realiseSkipped;
    } else {
        handBack();
    }
    platform::selectPalette(palette, !foreground);
    int changed = platform::realisePalette();
    return changed < 0 ? realiseFailed : changed;
}

void redrawIfChanged(int changedEntries) {
    if (changedEntries > 0)
        layer::requestRedraw();
}

// A new palette from the new static colours, realised as foreground; the old one stays when
// the new one cannot be made or realised.
void rebuild() {
    platform::PaletteHandle fresh = makePalette();
    if (!fresh)
        return;
    int realised = realise(fresh, true);
    if (realised == realiseFailed)
        platform::selectPalette(wp.handle, false);
    if (realised < 0) {
        platform::deletePalette(fresh);
        return;
    }
    if (wp.handle)
        platform::deletePalette(wp.handle);
    wp.handle = fresh;
    layer::requestRedraw();
}

} // namespace

const WindowPalette& palette::windowPalette() {
    return wp;
}

void palette::release() {
    if (wp.handle || wp.takenOver) {
        if (wp.takeover)
            realise(0, false); // the default palette in the background hands the colours back
        else
            platform::selectPalette(0, false);
    }
    if (wp.handle)
        platform::deletePalette(wp.handle);
    wp = initialPalette();
}

void palette::forget() {
    wp = initialPalette();
}

void inputPaletteNeeded(const palette::PixelLayout& layout, bool needsSystemPalette) {
    palette::release();
    if (palette::paletteSize(layout) == 0)
        return;
    wp.needed = true;
    wp.layout = layout;
    wp.takeover = palette::takesOver(needsSystemPalette, layer::state.request.mode);
    wp.changedCount = palette::changedElementCount(platform::systemVersion());
    wp.handle = makePalette();
    if (wp.handle)
        realise(wp.handle, true);
}

void inputActivate(bool active, bool minimised) {
    wp.foreground = active && !minimised;
    if (!wp.handle || (active && minimised))
        return;
    redrawIfChanged(realise(wp.handle, active));
}

void inputPaletteChanged(bool byThisWindow) {
    if (!byThisWindow && wp.handle && !wp.takenOver)
        realise(wp.handle, false);
}

void inputDeferredRealise() {
    wp.deferredPending = false;
    if (wp.handle)
        redrawIfChanged(realise(wp.handle, true));
}

void inputSystemColoursChanged() {
    if (wp.needed)
        rebuild();
}

bool inputQueryNewPalette() {
    return true;
}

} // namespace toolkit
