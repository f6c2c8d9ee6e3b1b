// Test support for the readers of other programs' files: small molecules with made-up
// vibrations (a bent transition state, a linear triatomic, a diatomic, a large molecule) that
// each format's test writes in that format's layout, and the checks of what a run reads.
#pragma once

#include "reader/vibrations.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vibrationfiles {

constexpr double bohr = 0.529177210903;

// A molecule and what a frequency job lists for it: every Cartesian degree of freedom, the
// translations and rotations first (frequency `zero`, vector zero), then the vibrations with
// vectors that are deliberately not of unit length.
struct Molecule {
    std::vector<testsupport::Atom> atoms; // Angstroms
    int vibrations = 0;                   // 3N-6, or 3N-5 on one line
    std::vector<double> frequencies;      // 3N, translations and rotations first
    std::vector<std::vector<double>> vectors;
    std::vector<double> intensities; // km/mol, 3N
    int listed() const { return int(frequencies.size()); }
    int first() const { return listed() - vibrations; } // listed index of vibration 1
};

// Fills the translations and rotations and the given vibrations (frequencies; vector of
// vibration v: a pattern scaled so that no two are alike and none has unit length).
inline Molecule withVibrations(std::vector<testsupport::Atom> atoms,
                               std::vector<double> vibrationFrequencies) {
    Molecule m;
    m.atoms = std::move(atoms);
    const int n = int(m.atoms.size());
    m.vibrations = int(vibrationFrequencies.size());
    const int rest = 3 * n - m.vibrations;
    for (int i = 0; i < rest; ++i) {
        m.frequencies.push_back(0.0);
        m.vectors.emplace_back(std::size_t(3 * n), 0.0);
        m.intensities.push_back(0.0);
    }
    for (int v = 0; v < m.vibrations; ++v) {
        m.frequencies.push_back(vibrationFrequencies[std::size_t(v)]);
        std::vector<double> vector(std::size_t(3 * n));
        for (int c = 0; c < 3 * n; ++c)
            vector[std::size_t(c)] = 0.05 * (v + 1) * ((c * 7 + v * 3) % 11 - 5) + 0.01 * c;
        m.vectors.push_back(vector);
        m.intensities.push_back(10.0 * (v + 1) + 0.25);
    }
    return m;
}

// A transition state of three atoms off a line: one imaginary frequency.
inline Molecule bentTransitionState() {
    return withVibrations({{8, 0.0, 0.0, 0.117}, {1, 0.0, 0.757, -0.469}, {1, 0.0, -0.757, -0.469}},
                          {-1234.56, 1600.25, 3700.75});
}

// Three atoms on the z axis: 3N-5 = 4 vibrations.
inline Molecule linearTriatomic() {
    return withVibrations({{6, 0.0, 0.0, 0.0}, {8, 0.0, 0.0, 1.16}, {8, 0.0, 0.0, -1.16}},
                          {667.5, 667.5, 1333.25, 2349.25});
}

// Two atoms: one vibration.
inline Molecule diatomic() {
    return withVibrations({{6, 0.0, 0.0, -0.644}, {8, 0.0, 0.0, 0.484}}, {2143.5});
}

// `count` atoms in a grid (carbon, every third hydrogen), with its vibrations listed as
// frequencies 1, 2, 3, ... cm**-1.
inline std::vector<testsupport::Atom> gridAtoms(int count) {
    std::vector<testsupport::Atom> atoms;
    for (int i = 0; i < count; ++i)
        atoms.push_back(
            {i % 3 == 2 ? 1 : 6, 1.5 * (i % 10), 1.5 * ((i / 10) % 10), 1.5 * (i / 100)});
    return atoms;
}

// The vector of vibration `mode` (from 1) rescaled to unit length.
inline std::vector<double> unitVector(const Molecule& m, int mode) {
    std::vector<double> v = m.vectors[std::size_t(m.first() + mode - 1)];
    double sum = 0.0;
    for (double c : v) sum += c * c;
    for (double& c : v) c /= std::sqrt(sum);
    return v;
}

// What readVibrations left for a generated molecule read at `mode`: atoms and geometry, the
// list of vibrations, the first frequency, and the vector at unit length.
inline void expectRead(const Molecule& m, int mode, double tolerance = 1e-5) {
    const int n = int(m.atoms.size());
    ASSERT_EQ(reader::atomCount, n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(reader::geometry[i][0], m.atoms[std::size_t(i)].number) << "atom " << i;
        EXPECT_NEAR(reader::geometry[i][1], m.atoms[std::size_t(i)].x, tolerance) << "atom " << i;
        EXPECT_NEAR(reader::geometry[i][2], m.atoms[std::size_t(i)].y, tolerance) << "atom " << i;
        EXPECT_NEAR(reader::geometry[i][3], m.atoms[std::size_t(i)].z, tolerance) << "atom " << i;
    }
    ASSERT_EQ(reader::modeList.count, m.vibrations);
    for (int v = 0; v < m.vibrations; ++v)
        EXPECT_NEAR(reader::modeList.frequency[v], m.frequencies[std::size_t(m.first() + v)], 1e-4)
            << "vibration " << v + 1;
    EXPECT_NEAR(reader::firstFrequency, m.frequencies[std::size_t(m.first())], 1e-4);
    const std::vector<double> unit = unitVector(m, mode);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(reader::modeVector[i][0], float(m.atoms[std::size_t(i)].number));
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(reader::modeVector[i][1 + k], unit[std::size_t(3 * i + k)], 2e-5)
                << "atom " << i << " component " << k;
    }
}

// Stepping from vibration 1 of a file read by readVibrations to its last vibration gives
// that vibration's vector at unit length, and leaves the run data as it was.
inline void expectStep(const Molecule& m, const std::string& file, reader::Format format) {
    reader::readVibrations(file, format, 1);
    static reader::AtomTable vector;
    reader::readVibrationVector(file, format, m.vibrations, vector);
    const std::vector<double> unit = unitVector(m, m.vibrations);
    for (std::size_t i = 0; i < m.atoms.size(); ++i)
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(vector[i][1 + k], unit[3 * i + k], 2e-5) << "atom " << i;
    expectRead(m, 1);
}

// `text` with the first occurrence of `from` (after `after`) replaced.
inline std::string replaced(std::string text, const std::string& from, const std::string& to,
                            const std::string& after = "") {
    const std::size_t at = text.find(from, after.empty() ? 0 : text.find(after));
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

// `text` cut just after the first line that holds `part` (after `after`).
inline std::string cutAfter(const std::string& text, const std::string& part,
                            const std::string& after = "") {
    const std::size_t at = text.find(part, after.empty() ? 0 : text.find(after));
    EXPECT_NE(at, std::string::npos) << part;
    return text.substr(0, text.find('\n', at) + 1);
}

// A real file's values as printed in it, checked by hand against the file text: atomic
// numbers, first and last geometry rows, modes 1, 2 and M at the first and last atom (after
// rescaling to unit length), the first frequency and one intensity.
struct RealFile {
    const char* name;
    reader::Format format;
    std::vector<int> numbers;
    std::vector<double> firstAtom, lastAtom;       // x, y, z, Angstroms
    int modes;                                     // M
    std::vector<double> modeFirst[3], modeLast[3]; // modes 1, 2, M: dx, dy, dz
    double frequency;                              // the first vibration's
    int intensityMode;                             // a vibration, from 1
    double intensity;                              // its IR intensity, km/mol
};

inline void expectRealFile(const RealFile& f) {
    SCOPED_TRACE(f.name);
    const std::string file = testsupport::programSampleFile(f.name);
    EXPECT_EQ(reader::recogniseFormat(file), f.format);
    const int modes[3] = {1, 2, f.modes};
    for (int t = 0; t < 3; ++t) {
        reader::readVibrations(file, f.format, modes[t]);
        const int n = int(f.numbers.size());
        ASSERT_EQ(reader::atomCount, n);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(reader::geometry[i][0], f.numbers[std::size_t(i)]) << "atom " << i;
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(reader::geometry[0][1 + k], f.firstAtom[std::size_t(k)], 1e-6);
            EXPECT_NEAR(reader::geometry[n - 1][1 + k], f.lastAtom[std::size_t(k)], 1e-6);
            EXPECT_NEAR(reader::modeVector[0][1 + k], f.modeFirst[t][std::size_t(k)], 1e-5)
                << "mode " << modes[t];
            EXPECT_NEAR(reader::modeVector[n - 1][1 + k], f.modeLast[t][std::size_t(k)], 1e-5)
                << "mode " << modes[t];
        }
        EXPECT_EQ(reader::modeList.count, f.modes);
        EXPECT_NEAR(reader::firstFrequency, f.frequency, 1e-4);
        EXPECT_NEAR(reader::modeList.frequency[0], f.frequency, 1e-4);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_NEAR(reader::modeList.intensity[f.intensityMode - 1], f.intensity, 1e-4);
    }
}

} // namespace vibrationfiles
