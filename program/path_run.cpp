// molvane --path: reads the path once, then lists it, writes a step or its energy profile, or
// shows it.
#include "program/path_run.h"

#include "driver/path_command.h"
#include "path/steps.h"
#include "plot/energy_profile.h"
#include "textio/textio.h"

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

} // namespace

int runPath(const driver::Options& options) {
    const int status = driver::openPath(options.inputFile, options.step);
    if (status >= 0) return status;
    if (options.list) return driver::listPath();
    if (options.xyzFile) return driver::writeStepXyz(options.xyzFile, options.step);
    if (options.energyPlotFile) return writeProfile(options.energyPlotFile, options);
    return 0;
}
