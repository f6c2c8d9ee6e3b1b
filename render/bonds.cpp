// Covalent radii and the search for bonded pairs.
#include "render/bonds.h"

#include <algorithm>
#include <cmath>

#include "render/run_blocks.h"

namespace render {

int bondCount = 0;
Bond bondList[bondCapacity];

namespace {

constexpr double tolerance = 0.45;
constexpr double closest = 0.4;
constexpr int radiusCount = 96; // hydrogen to curium; 1.50 beyond
constexpr double laterRadius = 1.50;

// Indexed by atomic number - 1.
constexpr double radii[radiusCount] = {
    0.31, 0.28,                                                       // H He
    1.28, 0.96, 0.84, 0.76, 0.71, 0.66, 0.57, 0.58,                   // Li - Ne
    1.66, 1.41, 1.21, 1.11, 1.07, 1.05, 1.02, 1.06,                   // Na - Ar
    2.03, 1.76, 1.70, 1.60, 1.53, 1.39, 1.39, 1.32, 1.26, 1.24, 1.32, // K - Cu
    1.22, 1.22, 1.20, 1.19, 1.20, 1.20, 1.16,                         // Zn - Kr
    2.20, 1.95, 1.90, 1.75, 1.64, 1.54, 1.47, 1.46, 1.42, 1.39, 1.45, // Rb - Ag
    1.44, 1.42, 1.39, 1.39, 1.38, 1.39, 1.40,                         // Cd - Xe
    2.44, 2.15, 2.07, 2.04, 2.03, 2.01, 1.99, 1.98, 1.98, 1.96, 1.94, // Cs - Tb
    1.92, 1.92, 1.89, 1.90, 1.87, 1.87,                               // Dy - Lu
    1.75, 1.70, 1.62, 1.51, 1.44, 1.41, 1.36, 1.36, 1.32,             // Hf - Hg
    1.45, 1.46, 1.48, 1.40, 1.50, 1.50,                               // Tl - Rn
    2.60, 2.21, 2.15, 2.06, 2.00, 1.96, 1.90, 1.87, 1.80, 1.69,       // Fr - Cm
};

constexpr int lastElement = 118;

} // namespace

double covalentRadius(float atomicNumber) {
    // The range test comes first: converting a NaN or out-of-range float to int is undefined.
    if (!(atomicNumber >= 1.0f && atomicNumber < float(lastElement + 1))) return 0.0;
    const int z = int(atomicNumber);
    return z <= radiusCount ? radii[z - 1] : laterRadius;
}

int findBonds(const reader::AtomTable& atoms, int atomCount, Bond* bonds, int capacity) {
    const int n = std::clamp(atomCount, 0, reader::atomCapacity);
    int found = 0;
    for (int i = 0; i < n && found < capacity; ++i) {
        const double ri = covalentRadius(atoms[i][0]);
        if (ri == 0.0) continue;
        for (int j = i + 1; j < n && found < capacity; ++j) {
            const double rj = covalentRadius(atoms[j][0]);
            if (rj == 0.0) continue;
            const double reach = ri + rj + tolerance;
            const double d[3] = {double(atoms[j][1]) - atoms[i][1],
                                 double(atoms[j][2]) - atoms[i][2],
                                 double(atoms[j][3]) - atoms[i][3]};
            // Cheap rejection on each axis before the distance (also passes over NaN).
            if (!(std::fabs(d[0]) < reach && std::fabs(d[1]) < reach && std::fabs(d[2]) < reach))
                continue;
            const double squared = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
            if (squared < reach * reach && squared >= closest * closest) bonds[found++] = {i, j};
        }
    }
    return found;
}

void updateBonds() { bondCount = findBonds(atomTable, atomCount, bondList, bondCapacity); }

} // namespace render
