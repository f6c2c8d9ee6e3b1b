// Graphics start-up once the console dialogue has filled the renderer's blocks: the window,
// the drawing set-up it shares with the GIF export, the trackball's bindings and the event loop.
#pragma once

#include "toolkit/toolkit.h"

namespace render {

// The display mode of every drawing of the vibration, in the window and offscreen: RGBA, double
// buffer, 16-bit depth.
constexpr unsigned drawingMode = toolkit::modeDouble | toolkit::modeDepth16;

// The drawing set-up that the window and the GIF export share, once their context is current
// and its modelview matrix still the identity: the grey clear colour, the fixed drawing state
// with its light (view.h), and the trackball at rest as for a 300 x 300 drawing area.
void prepareDrawing();

// Opens "Molvane Version <version>" at (50, 10) with a 400 x 400 drawing area (RGBA, double
// buffer, 16-bit depth), registers `frame` as idle callback and reshapeView as reshape
// callback, sets the clear colour, drawing state and light, binds the left button to the
// trackball, and runs the event loop with `frame` as display callback too. Returns when the
// window has been closed. The program passes drawFrame; a benchmark may pass a wrapper of it.
void runGraphics(toolkit::DrawCallback frame);

} // namespace render
