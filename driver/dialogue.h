// The console dialogue: settings file, banner, licence, mode and amplitude questions,
// reading of the output file and the displaced-geometry export.
#pragma once

#include "reader/run_data.h"

namespace driver {

// Runs the whole dialogue and fills the renderer's four blocks. Returns only when the
// dialogue succeeded; its orderly early ends and its failures end the process.
void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume);

} // namespace driver
