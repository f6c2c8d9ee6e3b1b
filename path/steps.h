// The path of a job: the geometries it went through in order (the steps of an optimisation, the
// optimised points of a relaxed scan, the points of an IRC joined through the transition
// state, the frames of a multi-frame xyz file), each with its energy where the file gives one
// and the coordinate that orders it.
//
// The file is read once, keeping for each step only where its geometry starts (file offset and
// line number), its energy and its coordinate: 32 bytes a step, whatever the size of the
// molecule. A step's geometry is read again from the file when it is wanted (readStep).
//
// One program-wide index, like the run data. A damaged file ends the run with the reader's
// "*ERR*" line naming the file and the line (status 255).
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace path {

enum class Kind : unsigned char {
    optimisation, // Gaussian or ORCA optimisation steps; coordinate: the step number
    scan,         // Gaussian relaxed scan, the optimised point of each scan step; the scanned value
    irc,          // Gaussian IRC, both halves joined through the TS; the reaction coordinate
    frames,       // the frames of a multi-frame xyz file; coordinate: the frame number
};

enum class Source : unsigned char { gaussian, orca, xyz };

// Where a step's geometry starts and what is known of it.
struct Step {
    long long offset = 0; // file offset of the line its geometry is read from
    long long line = 0;   // that line's number, from 1
    double energy = 0;    // hartree, when the path has energies
    double coordinate = 0;
};

// Room for a million steps (the array costs memory only where steps are stored).
inline constexpr int stepCapacity = 1 << 20;

struct Index {
    Kind kind = Kind::optimisation;
    Source source = Source::gaussian;
    int count = 0;     // steps, numbered 1..count for the user
    int atomCount = 0; // of every step
    bool hasEnergies = false;
    bool cutShort = false;    // the file ended inside a step after the last one kept
    int lowest = 0;           // the step of the lowest energy (0-based), when hasEnergies
    int transitionState = -1; // the IRC's TS (0-based), else -1
};
extern Index index;
extern Step steps[stepCapacity];

// Empties the index for a file of the given kind and source.
void startIndex(Kind kind, Source source);
// Adds a step; a path of more than stepCapacity steps ends the run naming the file.
void addStep(const Step& step);
// Finishes the index: the lowest energy.
void finishIndex();

// How the coordinate is named in a listing and on a plot's axis: "step", "reaction coordinate"
// (IRC, bohr amu**1/2), "scanned value".
std::string_view coordinateName(Kind kind);
// The energy of step i relative to the lowest, kcal/mol.
double relativeEnergy(int i);
inline constexpr double kcalPerHartree = 627.509474;

} // namespace path
