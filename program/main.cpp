// Molvane's entry point: the options, the console dialogue, then the window with the animated
// mode and the keys that step through the file's modes, or with --gif the animation written to
// a file instead; with --list only the file's modes, with --spectrum only the file's spectrum
// written as a picture.
#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "driver/mode_list.h"
#include "plot/spectrum.h"
#include "render/frame.h"
#include "render/gif_capture.h"
#include "render/mode_keys.h"
#include "render/run_blocks.h"
#include "render/startup.h"

int main(int argc, char** argv) {
    driver::Options options{};
    const int status = driver::parseCommandLine(argc, argv, options);
    if (status >= 0) return status;
    if (options.list) return driver::listModes(options.inputFile);
    if (options.spectrumFile)
        return spectrum::writeSpectrum(
            options.spectrumFile, options.inputFile ? options.inputFile : driver::namedOutputFile(),
            {options.fwhm, options.spectrumWidth, options.spectrumHeight});
    // The dialogue finishes before any window exists; it fills the renderer's blocks.
    driver::runDialogue(render::atomCount, render::atomTable, render::motionTable,
                        render::viewVolume, {options.inputFile, options.mode, options.amplitude});
    if (options.gifFile) return render::exportGif(options.gifFile, options.gifSize);
    render::bindGifKey();
    render::bindModeKeys(driver::dialogueFileName(), driver::dialogueFormat());
    render::runGraphics(render::drawFrame);
    return 0;
}
