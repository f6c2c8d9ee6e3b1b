// molvane --path: reads the path once, then lists it, writes a step or its energy profile, or
// shows it.
#include "program/path_run.h"

#include "driver/path_command.h"
#include "path/steps.h"
#include "plot/energy_profile.h"
#include "render/bonds.h"
#include "render/gif_capture.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "render/step_keys.h"
#include "render/still_capture.h"
#include "render/style.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

#include <string>
#include <vector>

namespace {

int writeProfile(const char* target, const driver::Options& options) {
    const char* file = driver::pathFileName();
    if (!path::index.hasEnergies) {
        textio::writeFailureLine({file, " gives no energies to plot"});
        return 1;
    }
    const int count = path::index.count;
    std::vector<double> x(std::size_t(count), 0.0), y(std::size_t(count), 0.0);
    for (int i = 0; i < count; ++i) {
        x[std::size_t(i)] =
            path::index.kind == path::Kind::irc || path::index.kind == path::Kind::scan
                ? path::steps[i].coordinate
                : double(i + 1);
        y[std::size_t(i)] = path::relativeEnergy(i);
        // A dihedral scanned through 180 degrees goes on past it rather than jump back.
        if (i > 0 && path::index.kind == path::Kind::scan) {
            const double step = x[std::size_t(i)] - x[std::size_t(i - 1)];
            if (step > 180) x[std::size_t(i)] -= 360;
            if (step < -180) x[std::size_t(i)] += 360;
        }
    }
    plot::Profile profile;
    profile.count = count;
    profile.x = x.data();
    profile.y = y.data();
    profile.lowest = path::index.lowest;
    profile.marked = path::index.transitionState;
    profile.xTitle = path::index.kind == path::Kind::irc    ? "Reaction coordinate / bohr amu^1/2"
                     : path::index.kind == path::Kind::scan ? "Scanned value"
                                                            : "Step";
    profile.fileName = file;
    const char* why = "";
    if (!plot::writeEnergyProfile(target, profile, options.spectrumWidth, options.spectrumHeight,
                                  why)) {
        textio::writeFailureLine({"cannot write \"", target, "\": ", why});
        return 1;
    }
    textio::writeListLine({textio::out("Wrote "), textio::out(target),
                           textio::out(std::string(" (") + std::to_string(count) + " steps)")});
    return 0;
}

// A step into the renderer's atoms; the view volume of the first step shown stays.
void loadShownStep(int i) {
    reader::ViewVolume kept;
    driver::loadStep(i, render::atomCount, render::atomTable, render::motionTable, kept);
}

// p: a still of the window, named by the step shown.
void writeStepStill() {
    render::writeWindowStill(render::stillStem("step", render::shownStep() + 1));
}

// The window on the path, or with --gif the path written as a GIF.
int showPath(const driver::Options& options) {
    const render::StepSource steps{path::index.count, loadShownStep, driver::describeStep};
    const int first = options.step > 0 ? options.step - 1 : 0;
    driver::loadStep(first, render::atomCount, render::atomTable, render::motionTable,
                     render::viewVolume);
    render::updateBonds();
    render::drawingStyle = {options.bonds, options.labels, false};
    if (options.gifFile) return render::exportPathGif(options.gifFile, options.gifSize, steps);
    char line[200];
    driver::describeStep(first, line, sizeof line);
    textio::writeListLine({textio::out(line)});
    render::bindStepKeys(steps, first);
    render::bindPathGifKey(steps);
    toolkit::setKeyCallback('p', writeStepStill);
    toolkit::setKeyCallback('P', writeStepStill);
    render::runGraphics(render::drawPathFrame);
    return 0;
}

} // namespace

int runPath(const driver::Options& options) {
    const int status = driver::openPath(options.inputFile, options.step);
    if (status >= 0) return status;
    if (options.list) return driver::listPath();
    if (options.xyzFile) return driver::writeStepXyz(options.xyzFile, options.step);
    if (options.energyPlotFile) return writeProfile(options.energyPlotFile, options);
    return showPath(options);
}
