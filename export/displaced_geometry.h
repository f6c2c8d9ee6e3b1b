// The displaced-geometry export: after a negative first frequency, the geometry moved along
// the chosen normal mode is written to "newcoordinates.xyz", from which a new job can
// reoptimize the structure.
#pragma once

#include "reader/run_data.h"

namespace geomexport {

// Writes "newcoordinates.xyz" in the current directory, replacing any earlier file: four
// heading lines, one row per atom (I5,7X,F4.0,5X,F11.6,F11.6,F11.6) holding the atom's
// position, atomic number and x - dx, y - dy, z - dz computed in double precision, and a
// closing rule; every line 54 characters and CR LF. The displacement is subtracted in full,
// whatever the amplitude. A coordinate that would leave no blank before it in its field
// (below -99.9999995 or from 999.9999995 on) ends the run with a diagnostic (code 110)
// before the file is opened, so an older file stays as it was; so does a file that cannot
// be written (code 105).
void writeDisplacedGeometry(const reader::GeometryTable& geometry, int atomCount,
                            const reader::AtomTable& modeVector);

} // namespace geomexport
