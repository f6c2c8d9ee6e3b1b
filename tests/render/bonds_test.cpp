// Bonds found in real molecules: for each, pairs that must be bonded and pairs that must not
// (across a ring, between hydrogens on one atom, between a lone pair's neighbours).
#include "render/bonds.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "render/run_blocks.h"
#include "tests/support/molecules.h"

namespace render_test {
namespace {

using Pairs = std::initializer_list<std::pair<int, int>>; // atom numbers from 1, as printed

bool bonded(const render::Bond* bonds, int count, int a, int b) {
    for (int i = 0; i < count; ++i)
        if ((bonds[i].first == a - 1 && bonds[i].second == b - 1) ||
            (bonds[i].first == b - 1 && bonds[i].second == a - 1))
            return true;
    return false;
}

void expectBonds(const reader::AtomTable& atoms, int atomCount, int bondTotal, Pairs yes, Pairs no,
                 const std::string& what) {
    static render::Bond bonds[render::bondCapacity];
    const int count = render::findBonds(atoms, atomCount, bonds, render::bondCapacity);
    EXPECT_EQ(count, bondTotal) << what;
    for (auto [a, b] : yes)
        EXPECT_TRUE(bonded(bonds, count, a, b)) << what << ": " << a << "-" << b;
    for (auto [a, b] : no)
        EXPECT_FALSE(bonded(bonds, count, a, b)) << what << ": " << a << "." << b;
    for (int i = 0; i < count; ++i) EXPECT_LT(bonds[i].first, bonds[i].second) << what;
}

struct Example {
    const char* file;
    int bondTotal;
    Pairs yes, no;
};

// The bundled examples, read as a run reads them: the frame's own list follows the geometry.
TEST(Bonds, BundledExamples) {
    const Example examples[] = {
        {"formaldehyde-freq.out", 3, {{1, 2}, {1, 3}, {1, 4}}, {{2, 3}, {3, 4}, {2, 4}}},
        {"water-optfreq.out", 2, {{1, 2}, {1, 3}}, {{2, 3}}},
        {"ammonia-ts-freq.out", 3, {{1, 2}, {1, 3}, {1, 4}}, {{2, 3}, {3, 4}, {2, 4}}},
    };
    for (const Example& e : examples) {
        testsupport::loadFirstMode(std::string(MOLVANE_EXAMPLES_DIR) + "/" + e.file);
        expectBonds(render::atomTable, render::atomCount, e.bondTotal, e.yes, e.no, e.file);
        render::updateBonds();
        EXPECT_EQ(render::bondCount, e.bondTotal) << e.file;
    }
}

void put(reader::AtomTable& atoms, int i, float z, double x, double y, double zc) {
    atoms[i][0] = z;
    atoms[i][1] = float(x);
    atoms[i][2] = float(y);
    atoms[i][3] = float(zc);
}

TEST(Bonds, BenzeneHasItsRingAndNoBondAcrossIt) {
    static reader::AtomTable atoms;
    for (int k = 0; k < 6; ++k) {
        const double a = k * 3.14159265358979 / 3;
        put(atoms, k, 6, 1.395 * std::cos(a), 1.395 * std::sin(a), 0);
        put(atoms, k + 6, 1, 2.485 * std::cos(a), 2.485 * std::sin(a), 0);
    }
    expectBonds(atoms, 12, 12, {{1, 2}, {2, 3}, {6, 1}, {1, 7}, {4, 10}},
                {{1, 3}, {1, 4}, {7, 8}, {1, 8}}, "benzene");
}

TEST(Bonds, MethanolEthyleneAndAFerroceneFragment) {
    static reader::AtomTable atoms;
    // Methanol (B3LYP geometry): C 1, O 2, H on O 3, H on C 4-6.
    put(atoms, 0, 6, -0.046, 0.663, 0);
    put(atoms, 1, 8, -0.046, -0.758, 0);
    put(atoms, 2, 1, 0.866, -1.061, 0);
    put(atoms, 3, 1, -1.087, 0.975, 0);
    put(atoms, 4, 1, 0.440, 1.082, 0.890);
    put(atoms, 5, 1, 0.440, 1.082, -0.890);
    expectBonds(atoms, 6, 5, {{1, 2}, {2, 3}, {1, 4}, {1, 5}}, {{3, 4}, {5, 6}, {1, 3}},
                "methanol");
    // Ethylene: C=C 1.33, C-H 1.09, H-C-H 117 degrees.
    put(atoms, 0, 6, 0.665, 0, 0);
    put(atoms, 1, 6, -0.665, 0, 0);
    put(atoms, 2, 1, 1.230, 0.928, 0);
    put(atoms, 3, 1, 1.230, -0.928, 0);
    put(atoms, 4, 1, -1.230, 0.928, 0);
    put(atoms, 5, 1, -1.230, -0.928, 0);
    expectBonds(atoms, 6, 5, {{1, 2}, {1, 3}, {2, 6}}, {{3, 4}, {3, 5}, {1, 5}}, "ethylene");
    // Iron 1.65 Angstrom above a cyclopentadienyl ring of radius 1.21 (Fe-C 2.05).
    put(atoms, 0, 26, 0, 0, 1.65);
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * 3.14159265358979 / 5;
        put(atoms, k + 1, 6, 1.21 * std::cos(a), 1.21 * std::sin(a), 0);
    }
    expectBonds(atoms, 6, 10, {{1, 2}, {1, 6}, {2, 3}, {6, 2}}, {{2, 4}, {3, 5}}, "Fe(Cp)");
}

TEST(Bonds, GhostAtomsOverlapsAndTheCapacity) {
    static reader::AtomTable atoms;
    put(atoms, 0, 0, 0, 0, 0);   // ghost atom
    put(atoms, 1, 1, 0.7, 0, 0); // bonded to nothing but atom 3
    put(atoms, 2, 1, 0.7, 0.74, 0);
    put(atoms, 3, 6, 3, 0, 0);
    put(atoms, 4, 6, 3.1, 0, 0); // on top of atom 4
    put(atoms, 5, std::nanf(""), 0.7, 0.5, 0);
    expectBonds(atoms, 6, 1, {{2, 3}}, {{1, 2}, {4, 5}, {2, 6}}, "ghost, overlap, NaN");
    static render::Bond bonds[2];
    for (int k = 0; k < 10; ++k) put(atoms, k, 6, 1.5 * k, 0, 0);
    EXPECT_EQ(render::findBonds(atoms, 10, bonds, 2), 2) << "a full list stops at its capacity";
    EXPECT_EQ(render::findBonds(atoms, -3, bonds, 2), 0);
}

} // namespace
} // namespace render_test
