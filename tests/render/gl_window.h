// A bare GLX window for drawing tests: RGBA, double-buffered, 16-bit depth, like the program's
// window. Frames are read back from the back buffer (the null binding's swap shows nothing).
#pragma once

namespace render_test {

// Opens a width x height window on $DISPLAY and makes its context current. Returns false,
// with the reason in `why`, when there is no display or no suitable visual.
bool openGlWindow(int width, int height, const char*& why);

// Red, green, blue (0..255) of pixel (x, y) of the back buffer, y counted from the bottom.
void readPixel(int x, int y, int rgb[3]);

} // namespace render_test
