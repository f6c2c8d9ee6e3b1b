// The palette's system calls on GDI, USER32 and the registry, and the window's palette messages.
#include "toolkit/win32/win32_palette.h"

#include <cstring>

#include "toolkit/palette.h"
#include "toolkit/platform.h"
#include "toolkit/win32/palette_cycle.h"
#include "toolkit/win32/palette_system.h"

namespace toolkit {

namespace {

HDC windowDc() { return win32::state.dc; }

HPALETTE paletteOf(win32::system::PaletteHandle palette) {
    return palette ? reinterpret_cast<HPALETTE>(palette)
                   : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

void redrawIf(bool needed) {
    if (needed) platform::requestRedraw();
}

} // namespace

void win32::palette::formatChosen(const PIXELFORMATDESCRIPTOR& f, unsigned mode) {
    if (f.iPixelType != PFD_TYPE_RGBA || !(f.dwFlags & PFD_NEED_PALETTE)) return;
    toolkit::palette::PixelLayout layout = {f.cColorBits,  f.cRedBits,  f.cRedShift, f.cGreenBits,
                                            f.cGreenShift, f.cBlueBits, f.cBlueShift};
    paletteNeeded(layout, (f.dwFlags & PFD_NEED_SYSTEM_PALETTE) != 0, mode);
}

bool win32::palette::handleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ACTIVATE:
        redrawIf(activate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0));
        return false; // the default handling gives the activated window the keyboard focus
    case WM_PALETTECHANGED:
        paletteChanged(reinterpret_cast<HWND>(wParam) == window);
        return true;
    case WM_QUERYNEWPALETTE:
        result = TRUE; // answered, without further action
        return true;
    case deferredRealiseMessage:
        redrawIf(palette::deferredRealise());
        return true;
    case WM_SYSCOLORCHANGE:
        redrawIf(systemColoursChanged());
        return false;
    case WM_DESTROY:
        release();
        return false;
    default:
        return false;
    }
}

void win32::system::staticColours(palette::Rgb (&colours)[palette::staticCount]) {
    PALETTEENTRY system[palette::staticCount] = {};
    UINT got = GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                                 palette::staticCount, system);
    for (int i = 0; i < palette::staticCount; ++i) {
        colours[i] = UINT(i) < got
                         ? palette::Rgb{system[i].peRed, system[i].peGreen, system[i].peBlue}
                         : palette::standardStaticColours[i];
    }
}

win32::system::PaletteHandle win32::system::createPalette(const palette::PaletteEntry* entries,
                                                          int count) {
    if (count <= 0 || count > palette::entryCapacity) return 0;
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[palette::entryCapacity];
    } logical;
    logical.version = 0x300;
    logical.count = WORD(count);
    for (int i = 0; i < count; ++i)
        logical.entries[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    return reinterpret_cast<PaletteHandle>(
        CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
}

void win32::system::deletePalette(PaletteHandle palette) {
    if (palette) DeleteObject(reinterpret_cast<HPALETTE>(palette));
}

void win32::system::selectPalette(PaletteHandle palette, bool forceBackground) {
    if (windowDc()) SelectPalette(windowDc(), paletteOf(palette), forceBackground ? TRUE : FALSE);
}

int win32::system::realisePalette() {
    if (!windowDc()) return -1;
    UINT changed = RealizePalette(windowDc());
    return changed == GDI_ERROR ? -1 : int(changed);
}

bool win32::system::useStaticColours(bool use) {
    return SetSystemPaletteUse(windowDc(), use ? SYSPAL_STATIC : SYSPAL_NOSTATIC) == SYSPAL_STATIC;
}

win32::palette::SystemVersion win32::system::systemVersion() {
    DWORD version = GetVersion();
    return {(version & 0x80000000u) == 0, LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version))};
}

void win32::system::displayElementColours(win32::palette::ElementColour* colours, int count) {
    for (int i = 0; i < count; ++i) {
        COLORREF c = GetSysColor(i);
        colours[i] = {GetRValue(c), GetGValue(c), GetBValue(c), false};
    }
}

void win32::system::setDisplayElementColours(const win32::palette::ElementColour* colours,
                                             int count) {
    INT elements[win32::palette::elementCount];
    COLORREF values[win32::palette::elementCount];
    if (count > win32::palette::elementCount) count = win32::palette::elementCount;
    for (int i = 0; i < count; ++i) {
        const win32::palette::ElementColour& c = colours[i];
        elements[i] = i;
        values[i] =
            c.paletteRelative ? PALETTERGB(c.red, c.green, c.blue) : RGB(c.red, c.green, c.blue);
    }
    SetSysColors(count, elements, values);
}

bool win32::system::userElementColour(const char* valueName, char* text, int capacity) {
    if (capacity <= 0) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = DWORD(capacity - 1);
    std::memset(text, 0, std::size_t(capacity));
    LONG read =
        RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ;
}

void win32::system::broadcastSystemColourChange() {
    PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
}

bool win32::system::postDeferredRealise() {
    return win32::state.window &&
           PostMessageA(win32::state.window, win32::palette::deferredRealiseMessage, 0, 0);
}

void win32::system::yieldTimeSlice() { Sleep(0); }

} // namespace toolkit
