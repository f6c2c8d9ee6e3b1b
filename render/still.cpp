// The still, tile by tile: each tile is the picture's projection narrowed to the tile's part of
// the oversampled picture, drawn, read back and averaged down into the picture's pixels.
#include "render/still.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <new>

#include "render/animation.h"
#include "render/arrows.h"
#include "render/bonds.h"
#include "render/frame.h"
#include "render/glyphs.h"
#include "render/labels.h"
#include "render/run_blocks.h"
#include "render/style.h"
#include "render/view.h"

namespace render {

namespace {

constexpr double pi = 3.14159265358979323846;
// Of the picture's width or height, on each side of a figure: room for the labels of the
// atoms at the right edge too, so that the labels do not change the framing.
constexpr double margin = 0.07;

// The camera's frame: the eye at (2, 2, 5) looking at the origin with +y up.
struct Camera {
    double side[3], up[3], back[3];
};

Camera camera() {
    const double eye[3] = {2, 2, 5};
    const double length = std::hypot(eye[0], eye[1], eye[2]);
    Camera c{};
    for (int k = 0; k < 3; ++k) c.back[k] = eye[k] / length;
    // side = (0, 1, 0) x back, up = back x side.
    const double s[3] = {c.back[2], 0.0, -c.back[0]};
    const double sl = std::hypot(s[0], s[1], s[2]);
    for (int k = 0; k < 3; ++k) c.side[k] = s[k] / sl;
    c.up[0] = c.back[1] * c.side[2] - c.back[2] * c.side[1];
    c.up[1] = c.back[2] * c.side[0] - c.back[0] * c.side[2];
    c.up[2] = c.back[0] * c.side[1] - c.back[1] * c.side[0];
    return c;
}

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

struct Bounds {
    double low[3] = {1e300, 1e300, 1e300}, high[3] = {-1e300, -1e300, -1e300};
    void take(const double p[3], double reach) {
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k] - reach);
            high[k] = std::max(high[k], p[k] + reach);
        }
    }
};

// The molecule at rest in the camera's frame (side, up, towards the eye): every sphere, and the
// arrows' tips when they are shown.
Bounds figureBounds() {
    const Camera c = camera();
    Bounds b;
    const int count = std::clamp(atomCount, 0, reader::atomCapacity);
    for (int i = 0; i < count; ++i) {
        const float* a = atomTable[i];
        const double p[3] = {a[1], a[2], a[3]};
        if (!std::isfinite(p[0] + p[1] + p[2])) continue;
        const double e[3] = {dot(p, c.side), dot(p, c.up), dot(p, c.back)};
        const double radius = sphereRadius(a[0]);
        b.take(e, radius);
        const float* d = motionTable[i];
        const double tip = radius + std::hypot(double(d[1]), double(d[2]), double(d[3]));
        if (arrowsShown() && std::isfinite(tip)) b.take(e, tip);
    }
    if (b.low[0] > b.high[0]) {
        const double origin[3] = {0, 0, 0};
        b = Bounds{};
        b.take(origin, 1.0);
    }
    return b;
}

// The figure's projection for a picture of the proportions width : height.
void multiplyFigureProjection(int width, int height) {
    const Bounds b = figureBounds();
    const double aspect = double(width) / height;
    double halfWidth =
        std::max(0.5 * (b.high[0] - b.low[0]), 0.5 * (b.high[1] - b.low[1]) * aspect);
    halfWidth = std::max(halfWidth, 0.1) / (1.0 - 2.0 * margin);
    const double halfHeight = halfWidth / aspect;
    const double cx = 0.5 * (b.low[0] + b.high[0]);
    const double cy = 0.5 * (b.low[1] + b.high[1]);
    const double eye = std::sqrt(4.0 + 4.0 + 25.0);
    glOrtho(cx - halfWidth, cx + halfWidth, cy - halfHeight, cy + halfHeight, eye - b.high[2] - 1.0,
            eye - b.low[2] + 1.0);
    gluLookAt(2.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

// Slices that keep a circle of `pixels` radius within a fifth of a pixel of round.
int slicesFor(double pixels, int least) {
    if (!(pixels > 1.0)) return least;
    const double n = pi / std::acos(std::max(0.0, 1.0 - 0.2 / pixels));
    return std::clamp(2 * int(std::ceil(n / 2)), least, 256);
}

struct Tiling {
    int factor;                // oversampling
    int wide, high;            // the oversampled picture
    int tileWidth, tileHeight; // whole multiples of factor
};

void clearColour(Background background) {
    if (background == Background::white) glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    if (background == Background::grey) glClearColor(0.75f, 0.75f, 0.75f, 1.0f);
    if (background == Background::transparent) glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
}

// The projection of the tile whose lower-left corner is (x, y) of the oversampled picture.
void loadTileProjection(const StillRequest& r, const Tiling& t, int x, int y) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double sx = double(t.wide) / t.tileWidth, sy = double(t.high) / t.tileHeight;
    glTranslated(sx - 1.0 - 2.0 * x / t.tileWidth, sy - 1.0 - 2.0 * y / t.tileHeight, 0.0);
    glScaled(sx, sy, 1.0);
    if (r.figure)
        multiplyFigureProjection(r.width, r.height);
    else
        multiplyProjection();
    glMatrixMode(GL_MODELVIEW);
}

// The whole picture's projection matrix.
void pictureProjection(const StillRequest& r, GLdouble m[16]) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    if (r.figure)
        multiplyFigureProjection(r.width, r.height);
    else
        multiplyProjection();
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// Pixels per Angstrom of the oversampled picture.
double pixelsPerAngstrom(const StillRequest& r, const Tiling& t) {
    GLdouble m[16];
    pictureProjection(r, m);
    return std::hypot(m[0], m[4], m[8]) * t.wide / 2;
}

// `windowHeight`: the height of the window whose view a still of it enlarges.
ScenePass stillPass(const StillRequest& r, const Tiling& t, int windowHeight) {
    const double scale = pixelsPerAngstrom(r, t);
    double largest = 0.0;
    const int count = std::clamp(atomCount, 0, reader::atomCapacity);
    for (int i = 0; i < count; ++i) largest = std::max(largest, sphereRadius(atomTable[i][0]));
    ScenePass pass;
    pass.axes = !r.figure;
    pass.sphereSlices = slicesFor(largest * scale / t.factor, 16);
    pass.stickSlices = slicesFor(stickRadius * scale / t.factor, 12);
    pass.arrowSlices = slicesFor(arrowHeadRadius * scale / t.factor, 12);
    const double letters = r.labelPixels > 0 ? r.labelPixels : labelPixelsFor(r.height);
    pass.labelPixels = letters * t.factor;
    if (!r.figure && windowHeight > 0)
        pass.lineScale = std::max(1, int(std::lround(double(t.high) / windowHeight)));
    return pass;
}

// Averages the tile (bottom row first, RGBA) into the picture; colours weighted by their
// alpha, so that the edges over a transparent background take no colour from it.
void averageTile(const std::vector<unsigned char>& tile, const Tiling& t, int x, int y,
                 StillPicture& picture) {
    const int f = t.factor, channels = picture.alpha ? 4 : 3;
    const int columns = std::min(t.tileWidth, t.wide - x) / f;
    const int rows = std::min(t.tileHeight, t.high - y) / f;
    for (int row = 0; row < rows; ++row) {
        const int outRow = picture.height - 1 - (y / f + row);
        for (int col = 0; col < columns; ++col) {
            double sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < f; ++dy)
                for (int dx = 0; dx < f; ++dx) {
                    const unsigned char* p =
                        &tile[4 * (std::size_t(row * f + dy) * t.tileWidth + col * f + dx)];
                    for (int k = 0; k < 3; ++k) sum[k] += double(p[k]) * p[3];
                    sum[3] += p[3];
                }
            unsigned char* out =
                &picture.pixels[std::size_t(channels) *
                                (std::size_t(outRow) * picture.width + x / f + col)];
            for (int k = 0; k < 3; ++k)
                out[k] = sum[3] > 0 ? (unsigned char)std::lround(sum[k] / sum[3]) : 0;
            if (picture.alpha) out[3] = (unsigned char)std::lround(sum[3] / (f * f));
        }
    }
}

// The phase factor of the frame the window shows: the counter has moved on past it.
float shownPhase() {
    const int counter = frameCounter();
    setFrameCounter(counter > 0 ? counter - 1 : 0);
    const float s = phaseFactor();
    setFrameCounter(counter);
    return s;
}

// `turn`: the modelview matrix the window's frame was drawn with.
void drawTile(const StillRequest& r, const Tiling& t, const ScenePass& pass,
              const GLdouble turn[16], int x, int y) {
    loadTileProjection(r, t, x, y);
    if (r.figure)
        glLoadIdentity();
    else
        glLoadMatrixd(turn);
    glPushMatrix();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene(pass, r.figure ? 0.0f : shownPhase());
    glPopMatrix();
}

} // namespace

std::string stillStem(const char* kind, int number) {
    return std::string("molvane-") + kind + std::to_string(number);
}

void stillPosition(const StillRequest& r, const double p[3], double& x, double& y) {
    GLdouble projection[16], modelview[16];
    pictureProjection(r, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview); // the shown frame's turn (drawStill)
    if (r.figure)
        for (int k = 0; k < 16; ++k) modelview[k] = k % 5 == 0 ? 1.0 : 0.0;
    const GLint viewport[4] = {0, 0, r.width, r.height};
    double z = 0;
    gluProject(p[0], p[1], p[2], modelview, projection, viewport, &x, &y, &z);
    y = r.height - y;
}

int stillOversampling(const StillRequest& request) {
    return std::max(request.width, request.height) <= 1024 ? 3 : 2;
}

bool drawStill(const StillRequest& r, int tileWidth, int tileHeight, StillPicture& picture) {
    Tiling t{};
    t.factor = stillOversampling(r);
    t.wide = r.width * t.factor;
    t.high = r.height * t.factor;
    t.tileWidth = std::min(tileWidth, t.wide) / t.factor * t.factor;
    t.tileHeight = std::min(tileHeight, t.high) / t.factor * t.factor;
    if (t.tileWidth <= 0 || t.tileHeight <= 0) return false;
    picture.width = r.width;
    picture.height = r.height;
    picture.alpha = r.background == Background::transparent;
    std::vector<unsigned char> tile;
    try {
        picture.pixels.assign(std::size_t(r.width) * r.height * (picture.alpha ? 4 : 3), 0);
        tile.resize(std::size_t(t.tileWidth) * t.tileHeight * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    GLint viewport[4];
    GLfloat clear[4];
    GLdouble turn[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, turn);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    clearColour(r.background);
    glViewport(0, 0, t.tileWidth, t.tileHeight);
    const ScenePass pass = stillPass(r, t, viewport[3]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int y = 0; y < t.high; y += t.tileHeight)
        for (int x = 0; x < t.wide; x += t.tileWidth) {
            drawTile(r, t, pass, turn, x, y);
            glReadPixels(0, 0, t.tileWidth, t.tileHeight, GL_RGBA, GL_UNSIGNED_BYTE, tile.data());
            averageTile(tile, t, x, y, picture);
        }
    glyphs::releaseGlyphs(); // drawn at the still's size
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    return true;
}

} // namespace render
