// The Gaussian output reader (Gaussian 92 to 16). Each operation opens the file by name, reads it
// from the first line through the text layer, finds its place by keywords searched in the first 100
// columns of each line, reads numbers from fixed columns, and closes the file again. Nothing
// but the current line is kept, so the file is read once per operation (twice by countAtoms).
//
// A file that ends before the operation has found what it looks for ends the run with the
// text layer's end-of-file diagnostic, naming what was missing; a field that is not a number
// ends it with the conversion diagnostic.
//
// Gaussian prints its tables in three column families, told apart by the file itself: the
// header lines of the orientation table the geometry comes from, and the normal-mode
// header that goes with them ("Atom AN" up to Gaussian 03, "Atom  AN" from Gaussian 09).
// A file whose header lines fit no family is read in the Gaussian 98 columns.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace reader {

enum class Family {
    gaussian98, // Gaussian 98 and 03, and any file whose table header fits no other family
    gaussian09, // Gaussian 09 and 16: wider number columns, mode header "Atom  AN"
    gaussian94, // Gaussian 92 and 94: orientation rows without the "Atomic Type" column
};

// Which orientation tables hold the geometry and how the file's rows are laid out.
// countAtoms fills the keyword and the count, readGeometry the family; readModeVector
// reads the modes in that family's columns.
struct OutputLayout {
    std::string_view orientationKeyword = "Standard orientation:";
    int orientationCount = 0;
    Family family = Family::gaussian98;
};

// Counts the lines holding the orientation keyword (orientationCount) and the atom rows of
// the last such table (atomCount): the lines between its second and third rule lines (lines
// holding "---"). The keyword is "Standard orientation:" when the file has such a table; a job
// run with NoSymm prints none, and then the last "Input orientation:" table counts, else the
// last "Z-Matrix orientation:" table. A table of more than atomCapacity rows ends the run with
// a diagnostic.
void countAtoms(std::string_view fileName, OutputLayout& layout, int& atomCount);

// Reads the atomCount rows of the table countAtoms chose into geometry records 1..atomCount:
// atomic number and x, y, z in Angstroms, in the columns of the family its header lines show;
// layout.family is set from them. In the Gaussian 09/16 and 92/94 families each row's centre
// number must be its place in the table.
void readGeometry(std::string_view fileName, int atomCount, OutputLayout& layout,
                  GeometryTable& geometry);

// Reads the rows under the modeBlock-th mode header ("Atom AN", or "Atom  AN" in the Gaussian
// 09/16 family), column modeColumn (1, 2 or 3) of that block, into modeVector records
// 1..atomCount: atomic number and dx, dy, dz, in the columns of layout.family. In the Gaussian
// 09/16 family a block's rows are placed by their atom number; an atom without a row (a frozen
// atom) moves by 0, and a row numbered outside 1..atomCount ends the run. A file that holds
// normal-mode blocks of another family before the one asked for ends the run rather than be
// misread.
void readModeVector(std::string_view fileName, int modeBlock, int modeColumn, int atomCount,
                    const OutputLayout& layout, AtomTable& modeVector);

// The first frequency after the first "Harmonic frequencies" heading, in cm**-1: columns
// 16-27 of the first line after it that holds "Frequencies --" but not "Frequencies ---"
// (the latter is the high-precision line of a freq=HPModes job, which holds text there).
double readFirstFrequency(std::string_view fileName);

} // namespace reader
