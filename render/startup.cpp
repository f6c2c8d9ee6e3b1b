// Graphics start-up, in the order the drawing relies on: every OpenGL state call needs the
// context that openWindow makes current.
#include "render/startup.h"

#include "render/view.h"
#include "trackball/trackball.h"

namespace render {

void runGraphics(toolkit::DrawCallback frame) {
    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    toolkit::openWindow("Molvane Version " MOLVANE_VERSION);
    toolkit::setIdleCallback(frame);
    initClearColor();
    toolkit::setReshapeCallback(reshapeView);
    initDrawingState();
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, trackball::trackballPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease,
                              trackball::trackballRelease);
    trackball::trackballInit(300, 300);
    toolkit::runMainLoop(frame);
}

} // namespace render
