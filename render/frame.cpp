// Drawing of one frame: axes and atom spheres.
#include "render/frame.h"

#include <GL/gl.h>

#include "render/animation.h"
#include "render/arrows.h"
#include "render/elements.h"
#include "render/run_blocks.h"
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

void drawAxes() {
    glLineWidth(1.0f);
    axisLines(1.0f);
    glLineStipple(2, 0x1C47);
    glEnable(GL_LINE_STIPPLE);
    axisLines(-1.0f);
    glDisable(GL_LINE_STIPPLE);
}

} // namespace

void drawFrame() {
    glLoadIdentity();
    float rotation[16];
    trackball::trackballRotationMatrix(rotation);
    glMultMatrixf(rotation);
    glPushMatrix();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawAxes();
    glShadeModel(GL_SMOOTH);

    const float s = phaseFactor();
    const int count = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < count; ++i) {
        glPopMatrix();
        glPushMatrix();
        double position[3];
        displayedPosition(atomTable, motionTable, i, s, position);
        glTranslated(position[0], position[1], position[2]);
        const ElementStyle& style = elementStyle(atomTable[i][0]);
        glColor3d(style.red, style.green, style.blue);
        toolkit::solidSphere(style.radius / radiusScale);
    }
    if (arrowsShown()) {
        glPopMatrix();
        glPushMatrix();
        drawArrows(s);
    }

    toolkit::swapWindowBuffers();
    glPopMatrix();
    advanceFrameCounter();
}

} // namespace render
