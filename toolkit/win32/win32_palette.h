// The Win32 binding's side of the palette of palette displays: the window's palette messages,
// handed to the palette life cycle (palette_cycle.h), whose system calls are made on GDI,
// USER32 and the registry here.
#pragma once

#include "toolkit/win32/win32_state.h"

namespace toolkit::win32::palette {

// The toolkit's own message that system::postDeferredRealise posts to the window.
constexpr UINT deferredRealiseMessage = WM_USER + 1;

// After the pixel format is set: an RGBA format marked as needing a palette gets the window's
// palette for its pixel layout; mode is the display mode word the window is opened with.
void formatChosen(const PIXELFORMATDESCRIPTOR& format, unsigned mode);

// The window's palette messages. True when the message is answered here, with result; false
// when the default handling follows (after the palette has had its turn). WM_DESTROY hands the
// palette back and deletes it, before the window's release.
bool handleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result);

} // namespace toolkit::win32::palette
