// The one face of the reader: which program wrote a file, and the molecule, the list of
// vibrations and one vibration's vector as that file holds them. Every output format sits in a
// file of its own behind these calls; Gaussian output and xtb's g98.out are read by the
// fixed-column operations of gaussian_reader.h, which nothing outside the reader calls.
//
// What is read goes into the run data (run_data.h: atomCount, geometry, modeVector,
// firstFrequency, modeList).
//
// Rules for every format other than Gaussian's own output:
// - vibrations are numbered 1..M in the order the file lists them; translations and rotations
//   are left out (a molecule has 3N-6 vibrations, 3N-5 when its atoms lie on one line; where a
//   file lists more, the extra ones are those of smallest absolute frequency);
// - each vector is rescaled to unit length over its 3N Cartesian components;
// - lengths are converted from bohr with 0.529177210903 where the file gives bohr;
// - an imaginary frequency is negative, however the file writes it;
// - a file holding several frequency sections is read at its last complete one, with the
//   geometry that section belongs to.
// A damaged file ends the run with one "*ERR*" line naming the file, the line and what was
// expected (status 255), through the text layer.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace reader {

enum class Format : unsigned char {
    gaussian,    // Gaussian 92 to 16 output (fixed columns, gaussian_reader.h)
    xtb,         // xtb's g98.out: Gaussian 98 columns, mass-weighted vectors
    orcaOutput,  // ORCA 2.6 to 6 output text
    orcaHessian, // ORCA .hess
    molden,      // Molden format ([Molden Format], [FREQ], [FR-COORD], [FR-NORM-COORD])
    fchk,        // Gaussian formatted checkpoint (Vib-E2, Vib-Modes)
    qchem,       // Q-Chem 4 to 6 output
    psi4,        // Psi4 1.3 and later output
    nwchem,      // NWChem output
    gamess,      // GAMESS(-US) and Firefly output
    turbomole,   // Turbomole control file, its groups beside it by file=
    aoforce,     // Turbomole aoforce output
    molpro,      // Molpro output
    dalton,      // DALTON output (listed highest frequency first)
    mopac,       // MOPAC output of a FORCE job
    adf,         // ADF 2004 to 2019 output text
    cfour,       // CFOUR output
};

// The program and kind of file, as the diagnostics and --list name it ("ORCA output", ...).
std::string_view formatName(Format format);

// The format of fileName, told from its content (first lines and keywords), never from its
// name. A file that fits no format ends the run with one diagnostic line naming the file and
// the formats looked for.
Format recogniseFormat(std::string_view fileName);

// Reads fileName, of the given format: atomCount and geometry (Angstroms), modeList,
// firstFrequency (the first vibration's), and, when 1 <= mode <= modeList.count, that
// vibration's vector into modeVector (records of atomic number and dx, dy, dz; unit length
// for every format but Gaussian's output, whose vectors are taken as printed). A mode outside
// that range leaves modeVector's displacements at zero. One pass over the file where the
// format allows.
//
// For Gaussian output the list is that of the first "Harmonic frequencies" section (its
// "Frequencies --", "IR Inten" and "Raman Activ" lines), and mode m is column m of the mode
// blocks as the dialogue counts them.
void readVibrations(std::string_view fileName, Format format, int mode);

// Reads vibration `mode` (1..modeList.count) of a file readVibrations has read, into
// modeVector as readVibrations would: for stepping from one vibration to the next.
void readVibrationVector(std::string_view fileName, Format format, int mode, AtomTable& modeVector);

// --- The dialogue's reading, in three steps -----------------------------------------------
// The dialogue asks for the modes a file offers before it knows which one is wanted (it asks
// again for a mode the file does not have), then reads the molecule and the chosen mode. For
// every format the calls are these three, in this order, on one file; what each reads depends
// on the format:
// - Gaussian output and xtb's g98.out, in fixed columns, one file pass per step: countModes
//   counts the atoms of the last orientation table (3N-6 modes, whatever the file lists),
//   readMolecule reads that table, readChosenMode the mode's column of the mode blocks (mass
//   weighting undone for xtb) and the first frequency;
// - every other format: countModes is readVibrations (with `mode`'s vector when the file has
//   it), readMolecule reads nothing more, readChosenMode reads the vector again only for a
//   mode other than the one countModes was given.

// The number of modes the file offers: 3N-6 for the fixed columns, modeList.count otherwise.
int countModes(std::string_view fileName, Format format, int mode);
// atomCount and geometry, for the file countModes counted.
void readMolecule(std::string_view fileName, Format format);
// modeVector for `mode` (1..countModes) and firstFrequency.
void readChosenMode(std::string_view fileName, Format format, int mode);

} // namespace reader
