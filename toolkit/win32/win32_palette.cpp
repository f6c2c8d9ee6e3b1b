// The palette primitives on GDI, USER32 and the registry, and the window's palette messages.
#include "toolkit/win32/win32_palette.h"

#include <cstring>

#include "toolkit/events.h"
#include "toolkit/palette.h"
#include "toolkit/platform.h"

namespace toolkit {

namespace {

HDC windowDc() {
    return win32::state.dc;
}

HPALETTE paletteOf(platform::PaletteHandle palette) {
    return palette ? reinterpret_cast<HPALETTE>(palette)
                   : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

} // namespace

void win32::palette::formatChosen(const PIXELFORMATDESCRIPTOR& f) {
    if (f.iPixelType != PFD_TYPE_RGBA || !(f.dwFlags & PFD_NEED_PALETTE))
        return;
    toolkit::palette::PixelLayout layout = {f.cColorBits,  f.cRedBits,  f.cRedShift, f.cGreenBits,
                                            f.cGreenShift, f.cBlueBits, f.cBlueShift};
    inputPaletteNeeded(layout, (f.dwFlags & PFD_NEED_SYSTEM_PALETTE) != 0);
}

bool win32::palette::handleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ACTIVATE:
        inputActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
        return false; // the default handling gives the activated window the keyboard focus
    case WM_PALETTECHANGED:
        inputPaletteChanged(reinterpret_cast<HWND>(wParam) == window);
        return true;
    case WM_QUERYNEWPALETTE:
        result = inputQueryNewPalette() ? TRUE : FALSE;
        return true;
    case deferredRealise:
        inputDeferredRealise();
        return true;
    case WM_SYSCOLORCHANGE:
        inputSystemColoursChanged();
        return false;
    default:
        return false;
    }
}

void platform::staticColours(palette::Rgb (&colours)[palette::staticCount]) {
    PALETTEENTRY system[palette::staticCount] = {};
    UINT got = GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                                 palette::staticCount, system);
    for (int i = 0; i < palette::staticCount; ++i) {
        colours[i] = UINT(i) < got
                         ? palette::Rgb{system[i].peRed, system[i].peGreen, system[i].peBlue}
                         : palette::standardStaticColours[i];
    }
}

platform::PaletteHandle platform::createPalette(const palette::PaletteEntry* entries, int count) {
    if (count <= 0 || count > palette::entryCapacity)
        return 0;
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

void platform::deletePalette(PaletteHandle palette) {
    if (palette)
        DeleteObject(reinterpret_cast<HPALETTE>(palette));
}

void platform::selectPalette(PaletteHandle palette, bool forceBackground) {
    if (windowDc())
        SelectPalette(windowDc(), paletteOf(palette), forceBackground ? TRUE : FALSE);
}

int platform::realisePalette() {
    if (!windowDc())
        return -1;
    UINT changed = RealizePalette(windowDc());
    return changed == GDI_ERROR ? -1 : int(changed);
}

bool platform::useStaticColours(bool use) {
    return SetSystemPaletteUse(windowDc(), use ? SYSPAL_STATIC : SYSPAL_NOSTATIC) == SYSPAL_STATIC;
}

palette::SystemVersion platform::systemVersion() {
    DWORD version = GetVersion();
    return {(version & 0x80000000u) == 0, LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version))};
}

void platform::displayElementColours(palette::ElementColour* colours, int count) {
    for (int i = 0; i < count; ++i) {
        COLORREF c = GetSysColor(i);
        colours[i] = {GetRValue(c), GetGValue(c), GetBValue(c), false};
    }
}

void platform::setDisplayElementColours(const palette::ElementColour* colours, int count) {
    INT elements[palette::elementCount];
    COLORREF values[palette::elementCount];
    if (count > palette::elementCount)
        count = palette::elementCount;
    for (int i = 0; i < count; ++i) {
        const palette::ElementColour& c = colours[i];
        elements[i] = i;
        values[i] =
            c.paletteRelative ? PALETTERGB(c.red, c.green, c.blue) : RGB(c.red, c.green, c.blue);
    }
    SetSysColors(count, elements, values);
}

bool platform::userElementColour(const char* valueName, char* text, int capacity) {
    if (capacity <= 0)
        return false;
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

void platform::broadcastSystemColourChange() {
    PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
}

bool platform::postDeferredRealise() {
    return win32::state.window &&
           PostMessageA(win32::state.window, win32::palette::deferredRealise, 0, 0);
}

void platform::yieldTimeSlice() {
    Sleep(0);
}

} // namespace toolkit
