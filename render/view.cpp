// Clear colour and reshape rule.
#include "render/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/run_blocks.h"
#include "trackball/trackball.h"

namespace render {

void initClearColor() { glClearColor(0.75f, 0.75f, 0.75f, 1.0f); }

void reshapeView(int width, int height) {
    trackball::trackballResize(width, height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(viewVolume[1], viewVolume[0], viewVolume[3], viewVolume[2], viewVolume[5],
            viewVolume[4]);
    gluLookAt(2.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace render
