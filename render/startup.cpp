// Graphics start-up, in the order the drawing relies on: every OpenGL state call needs the
// context that openWindow makes current.
#include "render/startup.h"

#include "render/view.h"
#include "trackball/trackball.h"

namespace render {

void prepareDrawing() {
    initClearColor();
    initDrawingState();
    trackball::trackballInit(300, 300);
}

void runGraphics(toolkit::DrawCallback frame) {
    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(drawingMode);
    toolkit::openWindow("Molvane Version " MOLVANE_VERSION);
    toolkit::setIdleCallback(frame);
    toolkit::setReshapeCallback(reshapeView);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, trackball::trackballPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease,
                              trackball::trackballRelease);
    prepareDrawing();
    toolkit::runMainLoop(frame);
}

} // namespace render
