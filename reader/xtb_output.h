// xtb's g98.out: Gaussian 98's columns, read by the Gaussian operations, with vectors that are
// mass-weighted where Gaussian prints Cartesian displacements.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace reader {

// Turns a mode vector of xtb's g98.out (records: atomic number, dx, dy, dz) into Gaussian's
// kind: each atom's displacement divided by the square root of its element's standard atomic
// weight, then the vector rescaled to unit length over its 3N components. An atomic number
// outside 1..118 ends the run with a diagnostic naming fileName.
void undoXtbMassWeighting(std::string_view fileName, AtomTable& vector, int atomCount);

} // namespace reader
