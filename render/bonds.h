// Bonds between atoms: two atoms are bonded when they are closer than the sum of their
// covalent radii plus a tolerance of 0.45 Angstrom, and not closer than 0.4 Angstrom (atoms on
// top of each other are a fault of the file, not a bond). The radii are those of Cordero et al.
// (Dalton Trans. 2008, 2832: carbon sp3 0.76, nitrogen 0.71, oxygen 0.66, hydrogen 0.31; the
// low-spin values for Mn, Fe and Co), 1.50 for the elements after curium. These give C=C, C-H,
// O-H and N-H bonds and no H...H or C...C across a ring. An atom whose atomic number names no
// element (a ghost or dummy atom) is bonded to nothing.
#pragma once

#include "reader/run_data.h"

namespace render {

struct Bond {
    int first, second; // atom indices from 0, first < second
};

// Room for bonds: six per atom on average, more than any molecule has.
inline constexpr int bondCapacity = 6 * reader::atomCapacity;

// The bonds between the first atomCount atoms of `atoms` (atomic number, x, y, z in Angstroms),
// in order of their first atom, then their second. Writes at most `capacity` of them and
// returns how many it wrote.
int findBonds(const reader::AtomTable& atoms, int atomCount, Bond* bonds, int capacity);

// The covalent radius in Angstroms of an atomic number as stored in the atom table; 0 when it
// names no element.
double covalentRadius(float atomicNumber);

// The frame's bonds: those of the renderer's atomTable (the geometry at rest, as the dialogue
// left it in run_blocks.h). A vibration keeps the bond list of the geometry at rest, and the
// cylinders follow the atoms as they swing. Whoever loads a new geometry into the renderer's
// atom table (the program after the dialogue, a step of an optimisation path, a test) calls
// updateBonds afterwards.
extern int bondCount;
extern Bond bondList[bondCapacity];
void updateBonds();

} // namespace render
