// Test support for the text layer: scratch files, a console fed from a string, and
// running a piece of code until the run ends, catching its diagnostic.
#pragma once

#include <functional>
#include <string>

#include "tests/support/files.h"

namespace textio_test {

// A fresh scratch directory for the test, made the working directory; removed afterwards.
struct ScratchDir {
    std::string path;
    std::string previous;
    ScratchDir();
    ~ScratchDir();
};

using testsupport::readFile;
using testsupport::writeFile;

// Connects console input to `input` and console output to a scratch file, whose bytes
// consoleOutput() returns. restoreConsole() goes back to the process's descriptors.
void feedConsole(const std::string& input);
std::string consoleOutput();
void restoreConsole();

// How a run ended: whether it ended at all (false when `body` returned), its exit status
// (255 for the layer's -1) and the bytes it wrote on standard error.
struct RunEnd {
    bool ended;
    int status;
    std::string diagnostic;
};
// Runs `body` in a child process and reports how it ended.
RunEnd runToEnd(const std::function<void()>& body);

} // namespace textio_test
