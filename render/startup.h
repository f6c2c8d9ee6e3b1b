// Graphics start-up once the console dialogue has filled the renderer's blocks: the window,
// the fixed drawing state, the trackball's bindings and the event loop.
#pragma once

#include "toolkit/toolkit.h"

namespace render {

// Opens "Molvane Version <version>" at (50, 10) with a 400 x 400 drawing area (RGBA, double
// buffer, 16-bit depth), registers `frame` as idle callback and reshapeView as reshape
// callback, sets the clear colour, drawing state and light, binds the left button to the
// trackball, and runs the event loop with `frame` as display callback too. Returns when the
// window has been closed. The program passes drawFrame; a benchmark may pass a wrapper of it.
void runGraphics(toolkit::DrawCallback frame);

} // namespace render
