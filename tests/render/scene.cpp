// Shared set-up for the drawing tests.
#include "tests/render/scene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <GL/gl.h>
#include <GL/glu.h>

#include "reader/run_data.h"
#include "render/animation.h"
#include "render/run_blocks.h"
#include "render/view.h"
#include "tests/support/gl_window.h"
#include "toolkit/toolkit.h"
#include "trackball/trackball.h"

namespace render_test {

bool prepareWindow(const char*& why) {
    static bool prepared = false;
    if (prepared) return true;
    if (!testsupport::openGlWindow(400, 400, why)) return false;
    // Once, with the identity modelview, as at start-up: the light is fixed in the scene.
    render::initClearColor();
    render::initDrawingState();
    prepared = true;
    return true;
}

void DrawingTest::SetUp() {
    const char* why = "";
    if (!prepareWindow(why)) {
        if (std::getenv("DISPLAY")) FAIL() << why;
        GTEST_SKIP() << why;
    }
}

void loadMolecule(const TestAtom* atoms, int count, int frame) {
    reader::atomCount = count;
    reader::amplitude = 1.0f;
    for (int i = 0; i < count; ++i) {
        const TestAtom& a = atoms[i];
        const double g[4] = {a.atomicNumber, a.x, a.y, a.z};
        const float d[4] = {a.atomicNumber, a.dx, a.dy, a.dz};
        for (int k = 0; k < 4; ++k) {
            reader::geometry[i][k] = g[k];
            reader::modeVector[i][k] = d[k];
        }
    }
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
    render::reshapeView(400, 400);

    // No motion between a press and the next sample stops any spin; init resets the rotation.
    int x = 0, y = 0;
    toolkit::getCursorInWindow(x, y);
    toolkit::InputEvent event = {toolkit::eventPress, {x, y, 0, toolkit::buttonLeft}};
    trackball::trackballPress(&event);
    float m[16];
    trackball::trackballRotationMatrix(m);
    event.type = toolkit::eventRelease;
    trackball::trackballRelease(&event);
    trackball::trackballInit(400, 400);
    render::setFrameCounter(frame);
}

void project(const double p[3], const float* m, double window[3]) {
    double modelview[16], projection[16];
    GLint viewport[4];
    for (int k = 0; k < 16; ++k) modelview[k] = (m ? m[k] : (k % 5 == 0 ? 1.0 : 0.0));
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p[0], p[1], p[2], modelview, projection, viewport, &window[0], &window[1],
               &window[2]);
}

void expectedSphereCentre(const double c[3], const double centre[3], double radius, double rgb[3]) {
    const double eyeLength = std::sqrt(4.0 + 4.0 + 25.0);
    const double n[3] = {2.0 / eyeLength, 2.0 / eyeLength, 5.0 / eyeLength};
    double l[3], length = 0.0;
    for (int k = 0; k < 3; ++k) {
        l[k] = 3.0 - (centre[k] + radius * n[k]);
        length += l[k] * l[k];
    }
    length = std::sqrt(length);
    const double diffuse = std::max(0.0, (n[0] * l[0] + n[1] * l[1] + n[2] * l[2]) / length);
    for (int k = 0; k < 3; ++k) rgb[k] = 255.0 * std::min(1.0, c[k] * (0.2 + diffuse));
}

} // namespace render_test
