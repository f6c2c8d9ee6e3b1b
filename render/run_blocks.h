// The four blocks of the run data that the renderer reads: filled by the console dialogue
// before the window opens, read-only from then on. One instance for the whole run.
#pragma once

#include "reader/run_data.h"

namespace render {

extern int atomCount;                 // atoms in the tables
extern reader::AtomTable atomTable;   // atomic number, equilibrium x, y, z per atom
extern reader::AtomTable motionTable; // -, amplitude-scaled displacement x, y, z per atom
extern reader::ViewVolume viewVolume; // right, left, top, bottom, far, near

} // namespace render
