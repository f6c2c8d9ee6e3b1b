// Test support for the readers of Q-Chem, Psi4, NWChem and GAMESS output: a file read as a
// run reads it (recognised by its content, then read through readVibrations, a run end
// captured), the real outputs kept in tests/data, small molecules whose vibrations the
// generated files print, and the checks made of what was read (the run data and modeList).
#pragma once

#include "reader/run_data.h"
#include "reader/vibrations.h"
#include "tests/support/guarded_run.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace columntest {

using testsupport::programSampleFile;

struct Reading {
    std::string file;
    int mode = 1;
    reader::Format format = reader::Format::gaussian;
    testsupport::RunEnd end;
};

inline void readAsRun(void* context) {
    Reading& r = *static_cast<Reading*>(context);
    r.format = reader::recogniseFormat(r.file);
    reader::readVibrations(r.file, r.format, r.mode);
}

// Reads `file` for vibration `mode` as a run does; what was read is in the run data.
inline Reading read(const std::string& file, int mode) {
    Reading r;
    r.file = file;
    r.mode = mode;
    testsupport::guardedRun(readAsRun, &r, r.end);
    return r;
}

inline testing::AssertionResult readWell(const Reading& r) {
    if (r.end.ended) return testing::AssertionFailure() << r.end.diagnostic();
    return testing::AssertionSuccess();
}

// The number of the line of `text` that holds `fragment` (its first), counted from 1.
inline int lineOf(const std::string& text, const std::string& fragment) {
    const std::size_t at = text.find(fragment);
    if (at == std::string::npos) return 0;
    int line = 1;
    for (std::size_t i = 0; i < at; ++i) line += text[i] == '\n';
    return line;
}
inline std::string lineText(int line) { return "line " + std::to_string(line) + ":"; }

// A geometry row: atomic number and x, y, z in Angstroms.
inline void expectAtom(const double (&row)[4], int number, double x, double y, double z) {
    EXPECT_EQ(row[0], number);
    EXPECT_NEAR(row[1], x, 1e-9);
    EXPECT_NEAR(row[2], y, 1e-9);
    EXPECT_NEAR(row[3], z, 1e-9);
}

// A record of the chosen vibration's vector: the printed dx, dy, dz divided by `norm`, the
// length of the whole printed vector.
inline void expectDisplacement(const float (&atom)[4], int number, double dx, double dy, double dz,
                               double norm) {
    EXPECT_EQ(atom[0], float(number));
    EXPECT_NEAR(atom[1], dx / norm, 2e-6);
    EXPECT_NEAR(atom[2], dy / norm, 2e-6);
    EXPECT_NEAR(atom[3], dz / norm, 2e-6);
}

// --- Molecules the generated files print ------------------------------------------------

struct Molecule {
    std::vector<std::string> symbols;
    std::vector<int> numbers;
    std::vector<double> xyz;                // 3 per atom, Angstroms
    std::vector<double> frequencies;        // every entry the file lists
    std::vector<std::vector<double>> modes; // 3N values per entry, two decimals
    std::vector<double> intensities;        // km/mol, one per entry
    int atoms() const { return int(symbols.size()); }
    int entries() const { return int(frequencies.size()); }
};

// An entry's vector: values of two decimals (printed exactly by every format), told apart by
// entry, atom and axis.
inline std::vector<double> entryVector(int entry, int atoms) {
    std::vector<double> v(std::size_t(3 * atoms));
    for (int i = 0; i < atoms; ++i)
        for (int k = 0; k < 3; ++k) {
            const int pattern = (entry * 7 + i * 3 + k * 5 + 4) % 19 - 9;
            v[std::size_t(3 * i + k)] = (pattern == 0 ? 10 : pattern) / 100.0;
        }
    return v;
}

// A molecule of the given atoms listing the given frequencies, each entry with a vector of its
// own and an intensity of 10 km/mol times its place.
inline Molecule molecule(std::vector<std::string> symbols, std::vector<int> numbers,
                         std::vector<double> xyz, std::vector<double> frequencies) {
    Molecule m{
        std::move(symbols), std::move(numbers), std::move(xyz), std::move(frequencies), {}, {}};
    for (int e = 0; e < m.entries(); ++e) {
        m.modes.push_back(entryVector(e, m.atoms()));
        m.intensities.push_back(10.0 * (e + 1));
    }
    return m;
}

// Bent water, its three vibrations; a transition state when `imaginary` (the first one
// negative).
inline Molecule water(bool imaginary = false) {
    return molecule({"O", "H", "H"}, {8, 1, 1},
                    {0.0, 0.0, 0.119159, 0.0, -0.790649, -0.476637, 0.0, 0.790649, -0.476637},
                    {imaginary ? -1234.56 : 1860.10, 3939.13, 4272.66});
}

// Linear carbon dioxide, its four vibrations.
inline Molecule carbonDioxide() {
    return molecule({"C", "O", "O"}, {6, 8, 8}, {0.0, 0.0, 0.0, 0.0, 0.0, 1.16, 0.0, 0.0, -1.16},
                    {667.3, 667.3, 1333.0, 2349.2});
}

// The molecule with its translations and rotations listed too, as NWChem and GAMESS list
// them: `small` entries of small frequencies (not zero) put before the vibrations, after the
// first one when it is imaginary (as a transition state's list is ordered).
inline Molecule withTranslations(const Molecule& m, int small) {
    std::vector<double> frequencies;
    const bool imaginary = m.frequencies[0] < 0.0;
    if (imaginary) frequencies.push_back(m.frequencies[0]);
    const double smallOnes[6] = {-9.92, -1.35, 3.25, 0.02, 9.12, 17.92};
    for (int s = 0; s < small; ++s) frequencies.push_back(smallOnes[s]);
    for (int e = imaginary ? 1 : 0; e < m.entries(); ++e) frequencies.push_back(m.frequencies[e]);
    return molecule(m.symbols, m.numbers, m.xyz, frequencies);
}

// The entry of `listing` that is vibration `vibration` of `m` (the translations skipped).
inline int entryOf(const Molecule& listing, int vibration, int small) {
    const bool imaginary = listing.frequencies[0] < 0.0 && std::fabs(listing.frequencies[0]) > 100;
    if (imaginary && vibration == 1) return 0;
    return vibration - 1 + small;
}

// The record of atom `atom` of entry `entry`'s vector after rescaling to unit length.
inline void expectEntry(const float (&record)[4], const Molecule& m, int entry, int atom) {
    const std::vector<double>& v = m.modes[std::size_t(entry)];
    double norm = 0.0;
    for (double x : v) norm += x * x;
    norm = std::sqrt(norm);
    const std::size_t at = std::size_t(3 * atom);
    expectDisplacement(record, m.numbers[std::size_t(atom)], v[at], v[at + 1], v[at + 2], norm);
}

// `atoms` atoms (carbon and hydrogen by turns) on a grid of 1.5 Angstrom, ten by ten by as
// many layers as needed, for capacity tests, with three vibrations.
inline Molecule grid(int atoms) {
    std::vector<std::string> symbols;
    std::vector<int> numbers;
    std::vector<double> xyz;
    for (int i = 0; i < atoms; ++i) {
        symbols.push_back(i % 2 ? "H" : "C");
        numbers.push_back(i % 2 ? 1 : 6);
        xyz.insert(xyz.end(), {1.5 * (i % 10), 1.5 * (i / 10 % 10), 1.5 * (i / 100)});
    }
    return molecule(symbols, numbers, xyz, {101.0, 202.0, 303.0});
}

inline std::string format(const char* layout, double value) {
    char text[64];
    std::snprintf(text, sizeof text, layout, value);
    return text;
}
inline std::string format(const char* layout, int value) {
    char text[64];
    std::snprintf(text, sizeof text, layout, value);
    return text;
}

} // namespace columntest
