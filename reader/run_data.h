// The data of one run: the dialogue's choices, the molecule and mode as read from the
// Gaussian output, and the four blocks handed to the renderer. One instance of each,
// filled once while the dialogue runs and read-only afterwards.
#pragma once

namespace reader {

// Every per-atom table has room for this many atoms and no more.
inline constexpr int atomCapacity = 1000;

// Atom records hold four values: atomic number, x, y, z (Angstroms).
using AtomTable = float[atomCapacity][4];     // single precision (atomTable, motionTable, modeVector)
using GeometryTable = double[atomCapacity][4]; // double precision (geometry)

// Orthographic view volume: right, left, top, bottom, far, near (Angstroms).
using ViewVolume = double[6];

} // namespace reader
