// Labels as textured quads in the viewport's pixels: the glyphs of glyphs.h, a white halo
// drawn at eight offsets, then the letters in near-black.
#include "render/labels.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "reader/format_support.h"
#include "render/animation.h"
#include "render/glyphs.h"
#include "render/run_blocks.h"
#include "render/style.h"

namespace render {

namespace {

// One pass of a label's glyphs from the pen position (x, y) on the baseline.
void drawText(const char* text, int length, double x, double y, int pixels) {
    for (int i = 0; i < length; ++i) {
        const glyphs::Glyph* g = glyphs::glyph(text[i], pixels);
        if (!g) return;
        if (g->texture != 0) {
            const double left = x + g->left, top = y + g->top;
            glBindTexture(GL_TEXTURE_2D, g->texture);
            glBegin(GL_QUADS);
            glTexCoord2d(0, 0);
            glVertex2d(left, top);
            glTexCoord2d(0, 1);
            glVertex2d(left, top - g->height);
            glTexCoord2d(1, 1);
            glVertex2d(left + g->width, top - g->height);
            glTexCoord2d(1, 0);
            glVertex2d(left + g->width, top);
            glEnd();
        }
        x += g->advance;
    }
}

void drawLabel(const char* text, int length, double x, double y, int pixels) {
    const double halo = std::max(1.0, pixels / 9.0);
    glColor4d(1.0, 1.0, 1.0, 1.0);
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159265358979323846 / 4;
        drawText(text, length, x + halo * std::cos(a), y + halo * std::sin(a), pixels);
    }
    glColor4d(0.05, 0.05, 0.05, 1.0);
    drawText(text, length, x, y, pixels);
}

// Opens the pixel frame of the viewport over the scene; closeOverlay puts everything back.
void openOverlay(const GLint viewport[4]) {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void closeOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

} // namespace

double labelPixelsFor(int height) { return std::max(12.0, std::round(0.035 * height)); }

int atomLabel(int index, float atomicNumber, char (&text)[16]) {
    const bool known = atomicNumber >= 1.0f && atomicNumber < 119.0f;
    const std::string_view symbol =
        known ? reader::scan::elementSymbol(int(atomicNumber)) : std::string_view("X");
    const int n =
        std::snprintf(text, sizeof text, "%.*s%d", int(symbol.size()), symbol.data(), index + 1);
    return std::clamp(n, 0, int(sizeof text) - 1);
}

void drawLabels(float s, double pixels) {
    const int size = int(std::lround(pixels));
    if (size < 1 || glyphs::fontMissing()) return;
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // Pixels per Angstrom across the picture: the orthographic scale of the projection's x row.
    const double scale = std::hypot(projection[0], projection[4], projection[8]) * viewport[2] / 2;
    const GLint origin[4] = {0, 0, viewport[2], viewport[3]};
    openOverlay(viewport);
    const int count = std::clamp(atomCount, 0, reader::atomCapacity);
    for (int i = 0; i < count; ++i) {
        double p[3], w[3];
        displayedPosition(atomTable, motionTable, i, s, p);
        if (!gluProject(p[0], p[1], p[2], modelview, projection, origin, &w[0], &w[1], &w[2]))
            continue;
        char text[16];
        const int length = atomLabel(i, atomTable[i][0], text);
        // From half way to the sphere's right edge, the letters' middle level with the centre.
        const double r = sphereRadius(atomTable[i][0]) * scale;
        drawLabel(text, length, w[0] + 0.5 * r, w[1] - 0.36 * size, size);
    }
    closeOverlay();
}

} // namespace render
