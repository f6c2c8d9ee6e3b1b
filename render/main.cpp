// Molvane's entry point: the console dialogue, then the window with the animated mode.
#include <GL/gl.h>

#include "driver/dialogue.h"
#include "render/frame.h"
#include "render/run_blocks.h"
#include "render/view.h"
#include "toolkit/toolkit.h"
#include "trackball/trackball.h"

int main() {
    // The dialogue finishes before any window exists; it fills the renderer's blocks.
    driver::runDialogue(render::atomCount, render::atomTable, render::motionTable,
                        render::viewVolume);

    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    toolkit::openWindow("Molvane Version 1.14");
    toolkit::setIdleCallback(render::drawFrame);
    render::initClearColor();
    toolkit::setReshapeCallback(render::reshapeView);

    glEnable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The modelview matrix is still the identity: the light stays put while the scene turns.
    const GLfloat lightPosition[4] = {3.0f, 3.0f, 3.0f, 1.0f};
    const GLfloat spotDirection[3] = {-1.0f, -1.0f, -1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spotDirection);

    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, trackball::trackballPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease,
                              trackball::trackballRelease);
    trackball::trackballInit(300, 300);
    toolkit::runMainLoop(render::drawFrame);
    return 0;
}
