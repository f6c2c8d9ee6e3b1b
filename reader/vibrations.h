// The one face of the reader: which program wrote a file, and the molecule, the list of
// vibrations and one vibration's vector as that file holds them. Every output format sits in a
// file of its own behind these calls (gaussian_reader.h keeps the fixed-column operations the
// dialogue calls one by one for Gaussian files).
//
// What is read goes into the run data (run_data.h: atomCount, geometry, modeVector,
// firstFrequency) and into modeList below, one program-wide instance like the run data.
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

// Room for every vibration of a molecule of atomCapacity atoms.
inline constexpr int modeCapacity = 3 * atomCapacity;

// The vibrations a file lists, in its order, numbered from 1 (index 0 is vibration 1).
struct ModeList {
    int count = 0;
    bool hasIntensities = false;             // IR intensities, km/mol
    bool hasRaman = false;                   // Raman activities, A**4/amu
    double frequency[modeCapacity] = {};     // cm**-1; imaginary ones negative
    double intensity[modeCapacity] = {};     // when hasIntensities
    double ramanActivity[modeCapacity] = {}; // when hasRaman
};
extern ModeList modeList;

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

} // namespace reader
