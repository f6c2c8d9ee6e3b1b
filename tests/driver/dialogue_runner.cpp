// Test-only program: the console dialogue alone, without the window that follows it in
// molvane. It prints nothing of its own and ends with status 0 when the dialogue returns.
#include "driver/dialogue.h"

namespace {
int atomCount = 0;
reader::AtomTable atomTable;
reader::AtomTable motionTable;
reader::ViewVolume viewVolume;
} // namespace

int main() {
    driver::runDialogue(atomCount, atomTable, motionTable, viewVolume);
    return 0;
}
