// Molvane's entry point: the console dialogue, then the window with the animated mode.
#include "driver/dialogue.h"
#include "render/frame.h"
#include "render/run_blocks.h"
#include "render/startup.h"

int main() {
    // The dialogue finishes before any window exists; it fills the renderer's blocks.
    driver::runDialogue(render::atomCount, render::atomTable, render::motionTable,
                        render::viewVolume);
    render::runGraphics(render::drawFrame);
    return 0;
}
