// The Gaussian 98 output reader. Each operation opens the file by name, reads it from the
// first line through the text layer, finds its place by keywords searched in the first 100
// columns of each line, reads numbers from fixed columns, and closes the file again. Nothing
// but the current line is kept, so the file is read once per operation (twice by countAtoms).
//
// A file that ends before the operation has found what it looks for ends the run with the
// text layer's end-of-file diagnostic, naming what was missing; a field that is not a number
// ends it with the conversion diagnostic.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace reader {

// Counts the lines holding "Standard orientation:" (orientationCount) and the atom rows of
// the last such table (atomCount): the lines between its second and third rule lines (lines
// holding "---"). A table of more than atomCapacity rows ends the run with a diagnostic.
void countAtoms(std::string_view fileName, int& orientationCount, int& atomCount);

// Reads the atomCount rows of the orientationCount-th "Standard orientation:" table into
// geometry records 1..atomCount: atomic number and x, y, z in Angstroms.
void readGeometry(std::string_view fileName, int atomCount, int orientationCount,
                  GeometryTable& geometry);

// Reads the rows under the modeBlock-th "Atom AN" line, column modeColumn (1, 2 or 3) of
// that block, into modeVector records 1..atomCount: atomic number and dx, dy, dz.
void readModeVector(std::string_view fileName, int modeBlock, int modeColumn, int atomCount,
                    AtomTable& modeVector);

// The first frequency after the first "Harmonic frequencies" heading, in cm**-1: columns
// 16-27 of the first line after it that holds "Frequencies --" but not "Frequencies ---"
// (the latter is the high-precision line of a freq=HPModes job, which holds text there).
double readFirstFrequency(std::string_view fileName);

} // namespace reader
