// Molvane's entry point: the options, the console dialogue, then the window with the animated
// mode and the keys that step through the file's modes, or with --gif the animation (with --png
// a still) written to a file instead; with --list only the file's modes, with --spectrum only
// the file's spectrum written as a picture.
#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "driver/mode_list.h"
#include "driver/summary.h"
#include "plot/spectrum.h"
#include "render/bonds.h"
#include "render/frame.h"
#include "render/gif_capture.h"
#include "render/mode_keys.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "render/still_capture.h"
#include "render/style.h"

namespace {

render::StillRequest stillRequest(const driver::Options& options) {
    render::StillRequest request;
    request.width = options.stillWidth;
    request.height = options.stillHeight;
    using driver::Background;
    request.background = options.background == Background::white  ? render::Background::white
                         : options.background == Background::grey ? render::Background::grey
                                                                  : render::Background::transparent;
    return request;
}

} // namespace

int main(int argc, char** argv) {
    driver::Options options{};
    const int status = driver::parseCommandLine(argc, argv, options);
    if (status >= 0) return status;
    if (options.summary)
        return driver::summarise(options.files, options.fileCount, options.noHeader);
    if (options.list)
        return driver::listModes(options.inputFile, options.scale, options.listFormat,
                                 options.noHeader);
    if (options.spectrumFile)
        return spectrum::writeSpectrum(
            options.spectrumFile, options.inputFile ? options.inputFile : driver::namedOutputFile(),
            {options.fwhm, options.spectrumWidth, options.spectrumHeight, options.scale,
             options.rangeLow, options.rangeHigh, options.experimentFile});
    // The dialogue finishes before any window exists; it fills the renderer's blocks.
    driver::runDialogue(render::atomCount, render::atomTable, render::motionTable,
                        render::viewVolume, {options.inputFile, options.mode, options.amplitude});
    render::updateBonds();
    render::drawingStyle = {options.bonds, options.labels, options.arrows};
    if (options.gifFile) return render::exportGif(options.gifFile, options.gifSize);
    if (options.pngFile) return render::exportStill(options.pngFile, stillRequest(options));
    render::bindGifKey();
    render::bindStillKey();
    render::bindModeKeys(driver::dialogueFileName(), driver::dialogueFormat());
    render::runGraphics(render::drawFrame);
    return 0;
}
