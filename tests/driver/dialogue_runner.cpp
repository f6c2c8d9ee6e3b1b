// Test-only program: the console dialogue alone, without the window that follows it in
// molvane, with molvane's options. It prints nothing of its own and ends with status 0 when the
// dialogue returns.
#include "driver/command_line.h"
#include "driver/dialogue.h"

namespace {
int atomCount = 0;
reader::AtomTable atomTable;
reader::AtomTable motionTable;
reader::ViewVolume viewVolume;
} // namespace

int main(int argc, char** argv) {
    driver::Options options{};
    const int status = driver::parseCommandLine(argc, argv, options);
    if (status >= 0) return status;
    driver::runDialogue(atomCount, atomTable, motionTable, viewVolume,
                        {options.inputFile, options.mode, options.amplitude});
    return 0;
}
