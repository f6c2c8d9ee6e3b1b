// The section of column blocks, on the shared layer of format_support.h, for the readers of
// Q-Chem, Psi4, NWChem and GAMESS output (and any format that prints its vibrations so): these
// programs print a frequency section as blocks of a few vibrations side by side (frequencies in a
// row, the displacements in columns below), so a vibration's vector is read block by block with its
// frequency. Which listed entry vibration `mode` is can only be told once the whole list is
// known (translations and rotations are left out by their frequencies), yet keeping every
// vector would cost 48 MB at 1000 atoms; so while a section is read the vectors of the seven
// entries that can be vibration `mode` are kept (it is listed entry mode-1 with at most six
// translations and rotations before it), and the file is read once.
//
// A reader begins a section at its first block and completes it at its end; a later section
// takes the place of an earlier one. The readers end the run when the file ends inside a
// section (a file cut short), so the section the run gets is the last one, complete.
#pragma once

#include "reader/format_support.h"

#include <string_view>

namespace reader::columns {

// Starts a file: no section read yet; `mode` is the vibration whose vector is wanted.
void start(int mode);

// Starts a section of the atoms and geometry (Angstroms) given, in place of the last one.
void beginSection(const GeometryTable& geometry, int atomCount);
int atomCount();            // of the section
int atomicNumber(int atom); // of its atom `atom`, counted from 0
// Adds `count` entries to the section and returns the index of the first; ends the run, naming
// `line`, when the section would list more than 3N entries.
int addEntries(int count, std::string_view line);
int listed();                                      // entries added so far
void setFrequency(int entry, double frequency);    // cm**-1, imaginary negative
void setIntensity(int entry, double intensity);    // km/mol
void setRamanActivity(int entry, double activity); // A**4/amu
// Whether entry `entry` may be vibration `mode`, so that its vector is kept.
bool mayBeWanted(int entry);
// Keeps component `axis` (0, 1, 2 for x, y, z) of atom `atom` of entry `entry`, when that entry
// may be vibration `mode`.
void keepComponent(int entry, int atom, int axis, double value);
// Marks the section complete: its intensities (Raman activities) count when every entry got
// one.
void completeSection();
// The intensities of every entry of the complete section, from a table printed after its
// blocks (NWChem's), km/mol.
void setIntensities(const double* values);

// Hands the complete section to the run: result, and modeVector when `mode` is one of its
// vibrations. With none the run ends: the file ended while `what` was read.
void finish(scan::FormatResult& result, AtomTable& modeVector, std::string_view what);

// The displacements of a row of a block: `entries` groups of `perEntry` numbers from
// fields[first...], the group of entry firstEntry+g read into values[g*perEntry...] when that entry
// may be vibration `mode`, the others only checked to be numbers (scan::toReal's form), which
// spares the conversion of nearly every value of a large file. False when one is not.
bool toDisplacements(const scan::Fields& fields, int first, int firstEntry, int entries,
                     int perEntry, double* values);

} // namespace reader::columns
