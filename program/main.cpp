// Molvane's entry point: the options, the console dialogue, then the window with the animated
// mode, or with --gif the animation written to a file instead.
#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "render/frame.h"
#include "render/gif_capture.h"
#include "render/run_blocks.h"
#include "render/startup.h"

int main(int argc, char** argv) {
    driver::Options options{};
    const int status = driver::parseCommandLine(argc, argv, options);
    if (status >= 0) return status;
    // The dialogue finishes before any window exists; it fills the renderer's blocks.
    driver::runDialogue(render::atomCount, render::atomTable, render::motionTable,
                        render::viewVolume);
    if (options.gifFile) return render::exportGif(options.gifFile, options.gifSize);
    render::bindGifKey();
    render::runGraphics(render::drawFrame);
    return 0;
}
