// The Win32 binding's side of the palette of palette displays: the GDI and USER32 primitives
// of platform.h, and the window's palette messages reported to the shared palette life cycle.
#pragma once

#include "toolkit/win32/win32_state.h"

namespace toolkit::win32::palette {

// The toolkit's own message that postDeferredRealise posts to the window.
constexpr UINT deferredRealise = WM_USER + 1;

// After the pixel format is set: an RGBA format marked as needing a palette is reported with
// its pixel layout (inputPaletteNeeded).
void formatChosen(const PIXELFORMATDESCRIPTOR& format);

// The window's palette messages. True when the message is answered here, with result; false
// when the default handling follows (after the palette has had its turn).
bool handleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result);

} // namespace toolkit::win32::palette
