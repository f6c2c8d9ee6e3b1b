// Drawing of one frame: axes, atom spheres, bonds, arrows and labels.
#include "render/frame.h"

#include <algorithm>
#include <cmath>

#include <GL/gl.h>

#include "render/animation.h"
#include "render/arrows.h"
#include "render/bonds.h"
#include "render/elements.h"
#include "render/labels.h"
#include "render/run_blocks.h"
#include "render/style.h"
#include "toolkit/toolkit.h"
#include "trackball/trackball.h"

namespace render {

namespace {

void axisLines(float sign) {
    glBegin(GL_LINES);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(sign * 4.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, sign * 4.0f, 0.0f);
    glColor3f(0.0f, 0.8f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, sign * 5.0f);
    glEnd();
}

void drawAxes(int scale) {
    glLineWidth(1.0f * float(scale));
    axisLines(1.0f);
    glLineStipple(2 * scale, 0x1C47);
    glEnable(GL_LINE_STIPPLE);
    axisLines(-1.0f);
    glDisable(GL_LINE_STIPPLE);
}

void sphere(const ScenePass& pass, float atomicNumber) {
    const double radius = sphereRadius(atomicNumber);
    if (pass.sphereSlices > 0)
        toolkit::solidSphere(radius, pass.sphereSlices);
    else
        toolkit::solidSphere(radius);
}

// Half a bond: a cylinder from `from` towards `to`, half their distance long, in the colour of
// the atom at `from`.
void halfBond(const double from[3], const double to[3], float atomicNumber, int slices) {
    const double d[3] = {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    const double length = std::hypot(d[0], d[1], d[2]);
    if (!(length > 1e-6) || !std::isfinite(length)) return;
    const double u[3] = {d[0] / length, d[1] / length, d[2] / length};
    const ElementStyle& style = elementStyle(atomicNumber);
    glColor3d(style.red, style.green, style.blue);
    glPushMatrix();
    glTranslated(from[0], from[1], from[2]);
    turnZOnto(u);
    glScaled(1.0, 1.0, 0.5 * length);
    toolkit::solidStick(stickRadius, slices);
    glPopMatrix();
}

void drawBonds(const ScenePass& pass, float s) {
    const int atoms = std::clamp(atomCount, 0, reader::atomCapacity);
    for (int b = 0; b < bondCount; ++b) {
        const Bond& bond = bondList[b];
        if (bond.first < 0 || bond.second >= atoms || bond.first >= bond.second) continue;
        double p[3], q[3];
        displayedPosition(atomTable, motionTable, bond.first, s, p);
        displayedPosition(atomTable, motionTable, bond.second, s, q);
        halfBond(p, q, atomTable[bond.first][0], pass.stickSlices);
        halfBond(q, p, atomTable[bond.second][0], pass.stickSlices);
    }
}

} // namespace

ScenePass windowPass(int height) {
    ScenePass pass;
    pass.labelPixels = labelPixelsFor(height);
    // The balls of ball and stick: 16 slices as the spheres alone, but 8 stacks rather than 16,
    // the same angle apart, so that the bonds' cylinders cost no more than they save.
    if (drawingStyle.ballAndStick) pass.sphereSlices = 16;
    return pass;
}

void drawScene(const ScenePass& pass, float s) {
    if (pass.axes) drawAxes(pass.lineScale);
    glShadeModel(GL_SMOOTH);

    const int count = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < count; ++i) {
        glPopMatrix();
        glPushMatrix();
        double position[3];
        displayedPosition(atomTable, motionTable, i, s, position);
        glTranslated(position[0], position[1], position[2]);
        const ElementStyle& style = elementStyle(atomTable[i][0]);
        glColor3d(style.red, style.green, style.blue);
        sphere(pass, atomTable[i][0]);
    }
    if (drawingStyle.ballAndStick) {
        glPopMatrix();
        glPushMatrix();
        drawBonds(pass, s);
    }
    if (arrowsShown()) {
        glPopMatrix();
        glPushMatrix();
        drawArrows(s, pass.arrowSlices);
    }
    if (drawingStyle.labels) {
        glPopMatrix();
        glPushMatrix();
        drawLabels(s, pass.labelPixels);
    }
}

void drawFrame() {
    glLoadIdentity();
    float rotation[16];
    trackball::trackballRotationMatrix(rotation);
    glMultMatrixf(rotation);
    glPushMatrix();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLint viewport[4] = {0, 0, 0, 0};
    if (drawingStyle.labels) glGetIntegerv(GL_VIEWPORT, viewport); // (the labels' size)
    drawScene(windowPass(viewport[3]), phaseFactor());
    toolkit::swapWindowBuffers();
    glPopMatrix();
    advanceFrameCounter();
}

} // namespace render
