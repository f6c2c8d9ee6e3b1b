// The palette of palette displays: building, realising, the system palette takeover and the
// user's display colours, and the release at the window's end.
#include "toolkit/win32/win32_palette.h"

#include <cstdio>

#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/palette_entries.h"

namespace toolkit {

namespace {

constexpr COLORREF white = PALETTERGB(255, 255, 255);
constexpr COLORREF black = PALETTERGB(0, 0, 0);

struct PaletteState {
    HPALETTE palette;
    PIXELFORMATDESCRIPTOR format; // the chosen format, for a rebuild
    bool takeover;                // this window takes over the system palette
    bool takenOver;               // the system palette is taken over now
    bool deferredPending;         // a deferred realise request is waiting
    int changedCount;             // display elements a takeover changes
    COLORREF saved[win32::palette::elementCount];
};

PaletteState ps{};

HDC windowDc() { return win32::state.dc; }

bool changed(UINT realised) { return realised != 0 && realised != GDI_ERROR; }

void broadcastColourChange() { PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0); }

void setElementColours(const COLORREF* colours) {
    INT elements[win32::palette::elementCount];
    for (int i = 0; i < ps.changedCount; ++i) elements[i] = i;
    SetSysColors(ps.changedCount, elements, colours);
}

void postDeferredRealise() {
    if (ps.deferredPending || !win32::state.window) return;
    ps.deferredPending = true;
    PostMessageA(win32::state.window, win32::palette::deferredRealise, 0, 0);
}

// False when another program still holds the system palette: the realisation is skipped and
// tried again from the deferred request.
bool takeOverSystemPalette() {
    if (SetSystemPaletteUse(windowDc(), SYSPAL_NOSTATIC) != SYSPAL_STATIC) {
        Sleep(0);
        postDeferredRealise();
        return false;
    }
    COLORREF colours[win32::palette::elementCount];
    for (int i = 0; i < ps.changedCount; ++i) {
        ps.saved[i] = GetSysColor(i);
        colours[i] = win32::palette::displayElements[i].takenOverColour;
    }
    setElementColours(colours);
    ps.takenOver = true;
    broadcastColourChange();
    return true;
}

void giveBackSystemPalette() {
    if (!ps.takenOver) return;
    COLORREF colours[win32::palette::elementCount];
    for (int i = 0; i < ps.changedCount; ++i) {
        if (!win32::palette::userColour(win32::palette::displayElements[i].registryValue,
                                        colours[i]))
            colours[i] = ps.saved[i];
    }
    setElementColours(colours);
    SetSystemPaletteUse(windowDc(), SYSPAL_STATIC);
    broadcastColourChange();
    ps.takenOver = false;
}

// Selects palette into the window's device context and realises it; the number of entries
// that changed, or 0 when the realisation was skipped.
UINT realise(HPALETTE palette, bool foreground) {
    if (foreground) {
        if (ps.takeover && !ps.takenOver && !takeOverSystemPalette()) return 0;
    } else {
        giveBackSystemPalette();
    }
    SelectPalette(windowDc(), palette, foreground ? FALSE : TRUE);
    return RealizePalette(windowDc());
}

void redrawIfChanged(UINT realised) {
    if (changed(realised)) platform::requestRedraw();
}

// On a change of system colours: a new palette from the current static colours; the old one
// stays when the new one cannot be made or realised.
void rebuild() {
    HPALETTE fresh = win32::palette::build(ps.format, ps.takeover);
    if (!fresh) return;
    HPALETTE old = ps.palette;
    if (realise(fresh, true) == GDI_ERROR || (ps.takeover && !ps.takenOver)) {
        SelectPalette(windowDc(), old, FALSE);
        DeleteObject(fresh);
        return;
    }
    ps.palette = fresh;
    DeleteObject(old);
    platform::requestRedraw();
}

} // namespace

const win32::palette::DisplayElement win32::palette::displayElements[elementCount] = {
    {"Scrollbar", white},    {"Background", black},    {"ActiveTitle", black},
    {"InactiveTitle", white}, {"Menu", white},         {"Window", white},
    {"WindowFrame", black},  {"MenuText", black},      {"WindowText", black},
    {"TitleText", white},    {"ActiveBorder", white},  {"InactiveBorder", white},
    {"AppWorkspace", white}, {"Hilight", black},       {"HilightText", white},
    {"ButtonFace", white},   {"ButtonShadow", black},  {"GrayText", black},
    {"ButtonText", black},   {"InactiveTitleText", black}, {"ButtonHilight", black},
    {"ButtonDkShadow", black}, {"ButtonLight", white}, {"InfoText", black},
    {"InfoWindow", white},
};

int win32::palette::changedElementCount(DWORD version) {
    bool nt = (version & 0x80000000u) == 0;
    unsigned major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    return nt && major == 3 && (minor == 50 || minor == 51) ? 21 : elementCount;
}

void win32::palette::prepare() {
    ps = PaletteState{};
    ps.changedCount = changedElementCount(GetVersion());
}

HPALETTE win32::palette::build(const PIXELFORMATDESCRIPTOR& format, bool takeover) {
    ::toolkit::palette::Layout layout = {format.cColorBits, format.cRedBits, format.cRedShift,
                                         format.cGreenBits, format.cGreenShift,
                                         format.cBlueBits,  format.cBlueShift};
    ::toolkit::palette::Colour statics[::toolkit::palette::staticColourCount] = {};
    PALETTEENTRY system[::toolkit::palette::staticColourCount] = {};
    GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                      ::toolkit::palette::staticColourCount, system);
    for (int i = 0; i < ::toolkit::palette::staticColourCount; ++i)
        statics[i] = {system[i].peRed, system[i].peGreen, system[i].peBlue};
    ::toolkit::palette::Entry entries[::toolkit::palette::maxEntries];
    ::toolkit::palette::rgbEntries(layout, takeover, statics, entries);

    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[::toolkit::palette::maxEntries];
    } logical;
    logical.version = 0x300;
    logical.count = WORD(::toolkit::palette::entryCount(layout));
    for (int i = 0; i < logical.count; ++i)
        logical.entries[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
}

void win32::palette::create(HDC, const PIXELFORMATDESCRIPTOR& format, unsigned mode) {
    ps.format = format;
    ps.takeover = (format.dwFlags & PFD_NEED_SYSTEM_PALETTE) || (mode & modeTakeover);
    ps.palette = build(format, ps.takeover);
    if (ps.palette) realise(ps.palette, true);
}

bool win32::palette::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    if (message == WM_QUERYNEWPALETTE) {
        result = TRUE;
        return true;
    }
    if (!ps.palette) return false;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            redrawIfChanged(realise(ps.palette, false));
            return false;
        }
        if (HIWORD(wParam) != 0) return false; // activated while minimised
        redrawIfChanged(realise(ps.palette, true));
        return true;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != state.window && !ps.takenOver)
            realise(ps.palette, false);
        return true;
    case deferredRealise:
        ps.deferredPending = false;
        redrawIfChanged(realise(ps.palette, true));
        return true;
    case WM_SYSCOLORCHANGE: rebuild(); return false;
    default: return false;
    }
}

bool win32::palette::parseColour(const char* text, COLORREF& colour) {
    long red = 0, green = 0, blue = 0;
    if (std::sscanf(text, "%ld %ld %ld", &red, &green, &blue) != 3) return false;
    colour = RGB(BYTE(red), BYTE(green), BYTE(blue));
    return true;
}

bool win32::palette::userColour(const char* registryValue, COLORREF& colour) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    char text[64] = {};
    DWORD type = 0, size = sizeof text - 1;
    LONG read = RegQueryValueExA(key, registryValue, nullptr, &type,
                                 reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ && parseColour(text, colour);
}

HPALETTE win32::palette::handle() { return ps.palette; }

void win32::palette::forget() { ps.palette = nullptr; }

// Hands the palette back: with the takeover flag the default palette is realised in the
// background, which gives the system colours back; otherwise it is only selected.
void platform::releasePalette() {
    if (!ps.palette) return;
    HPALETTE standard = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (windowDc()) {
        if (ps.takeover)
            realise(standard, false);
        else
            SelectPalette(windowDc(), standard, FALSE);
    }
    DeleteObject(ps.palette);
    ps.palette = nullptr;
}

} // namespace toolkit
