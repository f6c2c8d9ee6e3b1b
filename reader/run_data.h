// The data of one run: the dialogue's choices, the molecule, mode and list of vibrations as
// read from the output file, and the four blocks handed to the renderer. One instance of
// each, filled once while the dialogue runs and read-only afterwards.
#pragma once

#include "textio/textio.h"

namespace reader {

// Every per-atom table has room for this many atoms and no more.
inline constexpr int atomCapacity = 1000;

// Atom records hold four values: atomic number, x, y, z (Angstroms).
using AtomTable = float[atomCapacity][4]; // single precision (atomTable, motionTable, modeVector)
using GeometryTable = double[atomCapacity][4]; // double precision (geometry)

// Orthographic view volume: right, left, top, bottom, far, near (Angstroms).
using ViewVolume = double[6];

// Run settings, written by the dialogue.
extern textio::FixedText<70> inputFileName; // output file to read; trailing blanks not part of it
extern int modeNumber;                      // normal mode to show, counted from 1
extern float amplitude;                     // vibration amplitude coefficient; starts at 0.5

// Molecule and mode as read from the output file.
extern int atomCount;          // N: rows of the last "Standard orientation:" table
extern GeometryTable geometry; // that table, records 1..N in file order
extern AtomTable modeVector;   // chosen mode: atomic number and dx, dy, dz as printed
extern double firstFrequency;  // first harmonic frequency in cm**-1

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
// The list of the file read, filled by readVibrations (vibrations.h).
extern ModeList modeList;

// Modes stand in blocks of three: mode m is in block (m-1)/3+1, column 1, 2 or 3 of it.
inline int modeBlock(int m) { return (m - 1) / 3 + 1; }
inline int modeColumn(int m) { return m - 3 * (modeBlock(m) - 1); }

// Derives the renderer's blocks from atomCount, geometry, modeVector and amplitude:
// atomTable is the geometry in single precision, motionTable is amplitude x modeVector, and
// viewVolume bounds every atom pushed outward by its displacement as read, plus margins of
// 3.0 in x and y; far is the z spread plus 5.0 and near is 1.0. The bounds start at 0, so
// the volume always holds the origin; with N = 0 it is (3, -3, 3, -3, 5, 1).
void prepareViewData(int& rendererAtomCount, AtomTable& atomTable, AtomTable& motionTable,
                     ViewVolume& viewVolume);

} // namespace reader
