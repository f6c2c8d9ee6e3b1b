// The path of a job on the command line (--path): reading it, listing its steps, writing one
// step's geometry as an xyz file, and the line that describes a step, for the window.
#pragma once

#include "reader/run_data.h"

namespace driver {

// Reads the path of `file` (nullptr: the file filename.dat names) and checks `step` (from 1;
// 0 when not given) against it. Returns -1 when the run goes on, else the status to end with:
// 1 for a file that cannot be read or holds no path (one line naming it), 2 for a step the
// path does not have (one line naming the range). A path cut short by the end of the file is
// told in one line, and the run goes on with its complete steps.
int openPath(const char* file, int step);

// The name of the file openPath read.
const char* pathFileName();

// One line a step on standard output: its number, the coordinate where the path has one (an
// IRC's reaction coordinate, a scan's value), the energy in hartree and relative to the
// lowest in kcal/mol where the path has energies. Returns 0.
int listPath();

// Writes step `step` (from 1) to `out` as an xyz file, the energy and the source in its
// comment line. Returns 0 after one console line naming the file, 1 after one failure line.
int writeStepXyz(const char* out, int step);

// Reads step i (0-based) into the renderer's layout: atoms, no motion, and a view volume
// that holds the step (prepareViewData's bounds).
void loadStep(int i, int& atomCount, reader::AtomTable& atoms, reader::AtomTable& motion,
              reader::ViewVolume& view);

// "Step 12 of 40: -232.123456789 Eh, +3.21 kcal/mol" (with ", reaction coordinate -1.23456"
// for an IRC, ", scanned value 120.00" for a scan) into `text`.
void describeStep(int i, char* text, int capacity);

} // namespace driver
