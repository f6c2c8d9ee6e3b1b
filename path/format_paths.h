// Each format's reader of a path, one file each (gaussian_path.cpp, orca_path.cpp,
// xyz_frames.cpp), called by path_file.cpp, on the reader's shared layer (the file through
// the text layer, fields and strict numbers, the diagnostics naming file and line).
//
// An index function reads the whole file once and fills the index (steps.h); the file is open
// through reader::scan when it is called, and closed by the caller. A step function reads the
// geometry of one step, the file open and its reading placed at the step's line.
#pragma once

#include "path/steps.h"
#include "reader/format_support.h"

#include <string_view>

namespace path {

void indexGaussian();

// The orientation table of a Gaussian step in progress, by preference: Standard, Input,
// Z-Matrix orientation. A step prints its tables before its energy.
struct Table {
    long long offset = 0; // where its rule under the heading starts
    int rank = 0;         // 0 none yet; 3 Standard, 2 Input, 1 Z-Matrix
};
// Notes the table whose heading is `line`, the last line read, when it ranks higher.
void noteTable(std::string_view line, Table& table);
// The energy of an "SCF Done:" line; the post-SCF total of an "EUMP2 =" (which 3) or
// "CCSD(T)=" (which 4) line.
double scfEnergy(std::string_view line);
double postScfEnergy(std::string_view line, int which);
// An IRC's points (gaussian_irc.cpp), after the heading of its first table (the transition
// state's) has been read.
void indexIrc(Table table);
void readGaussianStep(const Step& step, reader::GeometryTable& geometry);

void indexOrca();
void readOrcaStep(const Step& step, reader::GeometryTable& geometry);

void indexXyz();
void readXyzStep(const Step& step, reader::GeometryTable& geometry);

// The number after `key` in `line` (the next field, blanks allowed before it, ended by a
// blank, a tab or the line's end); false when the key is missing or no number follows.
bool numberAfter(std::string_view line, std::string_view key, double& value);
// Atom `atom` of a geometry: atomic number and x, y, z; a geometry of more than atomCapacity
// atoms ends the run naming the file.
void setAtom(reader::GeometryTable& geometry, int atom, int element, double x, double y, double z);
// Goes to the line a step starts at, for its step function.
void placeAt(const Step& step);

} // namespace path
