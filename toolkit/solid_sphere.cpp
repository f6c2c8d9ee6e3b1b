// solidSphere: a GLU sphere recorded once per radius and replayed from its list.
#include <GL/gl.h>
#include <GL/glu.h>

#include "toolkit/shape_cache.h"
#include "toolkit/toolkit.h"

namespace toolkit {

void solidSphere(double radius) {
    const double key[1] = {radius};
    unsigned list = shapes::findShapeList(shapes::kindSolidSphere, key, 1);
    if (list != 0) {
        glCallList(list);
        return;
    }
    list = shapes::addShapeList(shapes::kindSolidSphere, key, 1);
    if (list != 0) glNewList(list, GL_COMPILE_AND_EXECUTE);
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluSphere(quadric, radius, 16, 16);
        gluDeleteQuadric(quadric);
    }
    if (list != 0) glEndList();
}

} // namespace toolkit
