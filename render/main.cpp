// Molvane's entry point: the console dialogue, then the window with the animated mode.
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

    render::initDrawingState();
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, trackball::trackballPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease,
                              trackball::trackballRelease);
    trackball::trackballInit(300, 300);
    toolkit::runMainLoop(render::drawFrame);
    return 0;
}
