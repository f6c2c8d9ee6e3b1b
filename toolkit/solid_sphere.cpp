// solidSphere and solidStick: GLU quadrics recorded once per size and replayed from their list.
#include <GL/gl.h>
#include <GL/glu.h>

#include "toolkit/shape_cache.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

// Replays the list of this kind and key, or records it (drawing it meanwhile) with `draw`;
// without a list the shape is drawn directly.
template <class Draw> void cachedShape(int kind, const double* key, int keyLength, Draw draw) {
    unsigned list = shapes::findShapeList(kind, key, keyLength);
    if (list != 0) {
        glCallList(list);
        return;
    }
    list = shapes::addShapeList(kind, key, keyLength);
    if (list != 0) glNewList(list, GL_COMPILE_AND_EXECUTE);
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricNormals(quadric, GLU_SMOOTH);
        draw(quadric);
        gluDeleteQuadric(quadric);
    }
    if (list != 0) glEndList();
}

} // namespace

void solidSphere(double radius) {
    const double key[1] = {radius};
    cachedShape(shapes::kindSolidSphere, key, 1,
                [&](GLUquadric* q) { gluSphere(q, radius, 16, 16); });
}

void solidSphere(double radius, int slices) {
    const double key[2] = {radius, double(slices)};
    cachedShape(shapes::kindSlicedSphere, key, 2,
                [&](GLUquadric* q) { gluSphere(q, radius, slices, slices / 2); });
}

void solidStick(double radius, int slices) {
    const double key[2] = {radius, double(slices)};
    cachedShape(shapes::kindSolidStick, key, 2,
                [&](GLUquadric* q) { gluCylinder(q, radius, radius, 1.0, slices, 1); });
}

} // namespace toolkit
