// Molvane's entry point: the console dialogue, then the window.
#include "driver/dialogue.h"
#include "reader/run_data.h"

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
