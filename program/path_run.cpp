// molvane --path: reads the path once, then lists it, writes a step, or shows it.
#include "program/path_run.h"

#include "driver/path_command.h"

int runPath(const driver::Options& options) {
    const int status = driver::openPath(options.inputFile, options.step);
    if (status >= 0) return status;
    if (options.list) return driver::listPath();
    if (options.xyzFile) return driver::writeStepXyz(options.xyzFile, options.step);
    return 0;
}
