// The face of the path room: reading a file's path into the step index (steps.h) and a step's
// geometry when it is shown. Which program wrote the file is told from its content: a file
// whose first line is an atom count is a multi-frame xyz file, else the reader tells Gaussian
// and ORCA outputs apart as it does for vibrations.
#pragma once

#include "path/steps.h"

#include <string_view>

namespace path {

// Reads the path of fileName into the index in one pass. False when the file has none: its
// job never moved the geometry (a single point, a frequency job alone, a single frame), or it
// is of a kind that holds no path. A damaged file ends the run ("*ERR*", status 255).
bool readPath(std::string_view fileName);

// Reads step i (0-based) of the file readPath read into geometry records 0..atomCount-1
// (atomic number and x, y, z in Angstroms). A damaged step ends the run naming its line.
void readStep(std::string_view fileName, int i, reader::GeometryTable& geometry);

} // namespace path
