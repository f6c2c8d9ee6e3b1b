// The callback layer's GL calls: opening state, front-buffer drawing, default reshape.
#include "toolkit/callbacks_gl.h"

#include <GL/gl.h>

namespace toolkit::gl {

void setOpeningState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearIndex(0.0f);
    glLoadIdentity();
}

void drawIntoFrontBuffer() { glDrawBuffer(GL_FRONT); }

void defaultReshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace toolkit::gl
