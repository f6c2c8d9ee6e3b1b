// The displaced-geometry export: after a negative first frequency, the geometry moved along
// the chosen normal mode is written to "newcoordinates.xyz", from which a new job can
// reoptimize the structure.
#pragma once

#include "reader/run_data.h"

namespace geomexport {

// Writes "newcoordinates.xyz" in the current directory, replacing any earlier file: four
// heading lines, one row per atom (I5,7X,F4.0,7X,F9.6,2X,F9.6,2X,F9.6) holding the atom's
// position, atomic number and x - dx, y - dy, z - dz computed in double precision, and a
// closing rule; every line 54 characters and CR LF. The displacement is subtracted in full,
// whatever the amplitude. A file that cannot be written ends the run with a diagnostic.
void writeDisplacedGeometry(const reader::GeometryTable& geometry, int atomCount,
                            const reader::AtomTable& modeVector);

} // namespace geomexport
