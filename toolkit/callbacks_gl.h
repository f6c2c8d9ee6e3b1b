// The callback layer's few GL calls, kept apart so that a binding without GL (the null binding for
// tests) can stand in for them.
#pragma once

namespace toolkit::gl {

// Clear colour (0, 0, 0, 1), clear index 0 and the identity in the current matrix.
void setOpeningState();
// Draws into the front buffer (single-buffer fallback).
void drawIntoFrontBuffer();
// The default reshape: viewport and an orthographic projection of the drawing area's pixels,
// (0, 0) bottom left; modelview identity and selected.
void defaultReshape(int width, int height);

} // namespace toolkit::gl
