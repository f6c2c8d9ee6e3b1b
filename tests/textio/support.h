// Test support for the text layer, on the test-support library (tests/support): a scratch
// directory made the working directory, and a console fed from a string. Runs that end are
// caught by testsupport::guarded (tests/support/guarded_run.h).
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/files.h"
#include "tests/support/guarded_run.h"
#include "tests/support/scratch_dir.h"

namespace textio_test {

using testsupport::readFile;
using testsupport::writeFile;

// A fresh scratch directory made the working directory for the test. On the way out the file
// unit is disconnected, the console given back and the working directory restored.
class Workspace {
  public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

  private:
    testsupport::ScratchDir dir_;
    std::filesystem::path previous_;
};

// Connects console input to `input` and console output to a scratch file, whose bytes
// consoleOutput() returns. restoreConsole() goes back to the process's descriptors.
void feedConsole(const std::string& input);
std::string consoleOutput();
void restoreConsole();

} // namespace textio_test
