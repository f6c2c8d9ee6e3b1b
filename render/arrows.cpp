// Displacement arrows: a shaft and a cone per atom, drawn with GLU quadrics.
#include "render/arrows.h"

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/animation.h"
#include "render/elements.h"
#include "render/run_blocks.h"
#include "render/style.h"

namespace render {

namespace {

// Sizes in Angstroms. Shorter displacements get no arrow: it would not reach a pixel.
constexpr double shortest = 0.01;
constexpr double shaftRadius = 0.04;
constexpr double longestHead = 0.3;

GLUquadric* outside = nullptr; // normals pointing out of the shapes
GLUquadric* inside = nullptr;  // for the head's base disk, which faces backwards

bool makeQuadrics() {
    if (!outside) outside = gluNewQuadric();
    if (!inside) inside = gluNewQuadric();
    if (!outside || !inside) return false;
    gluQuadricNormals(outside, GLU_SMOOTH);
    gluQuadricNormals(inside, GLU_SMOOTH);
    gluQuadricOrientation(inside, GLU_INSIDE);
    return true;
}

// One arrow along +z from the origin, `length` long: shaft, the head's base and the head.
void arrowAlongZ(double length, int slices) {
    const double head = std::fmin(longestHead, 0.5 * length);
    const double shaft = length - head;
    gluCylinder(outside, shaftRadius, shaftRadius, shaft, slices, 1);
    glTranslated(0.0, 0.0, shaft);
    gluDisk(inside, 0.0, arrowHeadRadius, slices, 1);
    gluCylinder(outside, arrowHeadRadius, 0.0, head, slices, 1);
}

} // namespace

void turnZOnto(const double u[3]) {
    const double sideways = std::hypot(u[0], u[1]);
    if (sideways < 1e-12) {
        if (u[2] < 0.0) glRotated(180.0, 1.0, 0.0, 0.0);
        return;
    }
    const double degrees = std::atan2(sideways, u[2]) * 180.0 / 3.14159265358979323846;
    glRotated(degrees, -u[1], u[0], 0.0);
}

bool arrowsShown() { return drawingStyle.arrows; }
void setArrowsShown(bool on) { drawingStyle.arrows = on; }

void drawArrows(float s, int slices) {
    if (!makeQuadrics()) return;
    GLfloat normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glColor3d(arrowColour[0], arrowColour[1], arrowColour[2]);
    const int count = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < count; ++i) {
        const float* d = motionTable[i];
        const double length = std::hypot(double(d[1]), double(d[2]), double(d[3]));
        if (!(length >= shortest) || !std::isfinite(length)) continue;
        const double u[3] = {d[1] / length, d[2] / length, d[3] / length};
        double position[3];
        displayedPosition(atomTable, motionTable, i, s, position);
        const double radius = sphereRadius(atomTable[i][0]);
        glPushMatrix();
        glTranslated(position[0] + radius * u[0], position[1] + radius * u[1],
                     position[2] + radius * u[2]);
        turnZOnto(u);
        arrowAlongZ(length, slices);
        glPopMatrix();
    }
    glNormal3fv(normal);
}

} // namespace render
