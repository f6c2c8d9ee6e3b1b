// Catching X protocol errors around the requests that may fail, instead of Xlib's default
// handler ending the process.
#pragma once

#include <X11/Xlib.h>

namespace toolkit::x11 {

// Starts catching errors of this display (the trap does not nest).
void beginErrorTrap(Display* display);
// Waits until the server has handled every request so far, stops catching and returns the
// error code of the first error caught (0 when none).
int endErrorTrap(Display* display);

} // namespace toolkit::x11
