// A still picture of the scene at any size from 16 to 8192 pixels on a side, drawn in tiles of
// the current context's drawing surface and read back: the window's key p (the window's view at
// twice its size) and `molvane --png` (a figure) both draw it. Edges are antialiased by drawing
// each tile at three times the picture's resolution (twice beyond 1024 pixels) and averaging;
// spheres and cylinders get as many slices as their size in the picture needs to look round.
#pragma once

#include <string>
#include <vector>

namespace render {

enum class Background { white, grey, transparent };

inline constexpr int stillSizeMin = 16;
inline constexpr int stillSizeMax = 8192;

struct StillRequest {
    int width = 1600, height = 1200;
    Background background = Background::white;
    // A figure: the molecule at rest, unturned, without axes, framed to fill the picture with a
    // small margin at the picture's proportions. Otherwise the window's view: its projection
    // (stretched as the window stretches it), axes, the frame of the moment and the turn of the
    // modelview matrix, which the window's last frame leaves as it was drawn with.
    bool figure = true;
    double labelPixels = 0; // the labels' height in the picture's pixels; 0: by its height
};

struct StillPicture {
    int width = 0, height = 0;
    bool alpha = false;                // RGBA (transparent background), else RGB
    std::vector<unsigned char> pixels; // rows top first, 4 or 3 bytes a pixel
};

// The name stem of a still from the window: "molvane-" kind number ("molvane-mode7" for
// stillStem("mode", 7)), to which the writer adds ".png" (or "-2.png", ...).
std::string stillStem(const char* kind, int number);

// The factor of resolution the picture is drawn at before averaging.
int stillOversampling(const StillRequest& request);

// Where the scene point p falls in the still: x from the left edge, y from the top, in the
// picture's pixels (pixel centres at .5). Needs a current context (it uses its matrix stack).
void stillPosition(const StillRequest& request, const double p[3], double& x, double& y);

// Draws the still with the drawing style (style.h) in tiles of at most tileWidth x tileHeight
// of the current context's drawing surface, which is left with whatever the last tile drew,
// and reads it into `picture`. Expects the drawing set-up of startup.h; puts the viewport, the
// matrices and the frame counter back. False when the memory for the picture is lacking.
bool drawStill(const StillRequest& request, int tileWidth, int tileHeight, StillPicture& picture);

} // namespace render
