// What the reader's tests share: a file read as a run reads it (recognised by its content, then
// read through readVibrations, a run end caught), and the checks of what was read against the
// molecule a generated file holds (tests/layouts).
#pragma once

#include "reader/format_support.h"
#include "reader/run_data.h"
#include "reader/vibrations.h"
#include "tests/layouts/layouts.h"
#include "tests/support/guarded_run.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace readertest {

using namespace layouts;
using reader::Format;
using testsupport::ScratchDir;

struct Reading {
    std::string file;
    int mode = 1;
    Format format = Format::gaussian;
    testsupport::RunEnd end;
};

// Reads `file` for vibration `mode` as a run does; what was read is in the run data.
inline Reading read(const std::string& file, int mode) {
    Reading r;
    r.file = file;
    r.mode = mode;
    r.end = testsupport::guarded([&r] {
        r.format = reader::recogniseFormat(r.file);
        reader::readVibrations(r.file, r.format, r.mode);
    });
    return r;
}

inline testing::AssertionResult readWell(const Reading& r) {
    if (r.end.ended) return testing::AssertionFailure() << r.end.diagnostic();
    return testing::AssertionSuccess();
}

// Reading `file` ends the run with one "*ERR* 109" line holding each of `parts`.
inline testing::AssertionResult endsTheRun(const std::string& file,
                                           const std::vector<std::string>& parts) {
    const Reading r = read(file, 1);
    const std::string text(r.end.diagnostic());
    if (!r.end.ended || r.end.status != -1 || !testsupport::isOneDiagnostic(text, 109))
        return testing::AssertionFailure() << "not one *ERR* 109 line: " << text;
    for (const std::string& part : parts)
        if (text.find(part) == std::string::npos)
            return testing::AssertionFailure() << "no \"" << part << "\" in: " << text;
    return testing::AssertionSuccess();
}

// The number of the line of `text` that holds `fragment` (its first), counted from 1.
inline int lineOf(const std::string& text, const std::string& fragment) {
    const std::size_t at = text.find(fragment);
    if (at == std::string::npos) return 0;
    return 1 + int(std::count(text.begin(), text.begin() + long(at), '\n'));
}
inline std::string lineText(int line) { return "line " + std::to_string(line) + ":"; }

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

// A geometry row: atomic number and x, y, z in Angstroms.
inline void expectAtom(const double (&row)[4], int number, double x, double y, double z,
                       double tolerance = 1e-9) {
    EXPECT_EQ(row[0], number);
    EXPECT_NEAR(row[1], x, tolerance);
    EXPECT_NEAR(row[2], y, tolerance);
    EXPECT_NEAR(row[3], z, tolerance);
}

// A record of the chosen vibration's vector: the printed dx, dy, dz divided by `norm`, the
// length of the whole printed vector.
inline void expectDisplacement(const float (&atom)[4], int number, double dx, double dy, double dz,
                               double norm, double tolerance = 2e-6) {
    EXPECT_EQ(atom[0], float(number));
    EXPECT_NEAR(atom[1], dx / norm, tolerance);
    EXPECT_NEAR(atom[2], dy / norm, tolerance);
    EXPECT_NEAR(atom[3], dz / norm, tolerance);
}

// The listed entries of `m` that are its vibrations, in order: all but the first() of smallest
// size (the translations and rotations, wherever the program lists them).
inline std::vector<int> vibrationEntries(const Molecule& m) {
    std::vector<int> order(std::size_t(m.entries()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&m](int a, int b) {
        return std::fabs(m.frequencies[std::size_t(a)]) < std::fabs(m.frequencies[std::size_t(b)]);
    });
    std::vector<int> kept(order.begin() + m.first(), order.end());
    std::sort(kept.begin(), kept.end());
    return kept;
}

// Entry `entry`'s vector at unit length; divided by the square root of each atom's weight first
// when `weighted` (the file holds mass-weighted vectors).
inline std::vector<double> unitVector(const Molecule& m, int entry, bool weighted = false) {
    std::vector<double> v = m.modes[std::size_t(entry)];
    for (std::size_t c = 0; weighted && c < v.size(); ++c)
        v[c] /= std::sqrt(reader::scan::standardAtomicWeight(m.numbers[c / 3]));
    double sum = 0.0;
    for (double c : v) sum += c * c;
    for (double& c : v) c /= std::sqrt(sum);
    return v;
}

// The record of atom `atom` of entry `entry`'s vector at unit length.
inline void expectEntry(const float (&record)[4], const Molecule& m, int entry, int atom,
                        bool weighted = false) {
    const std::vector<double> v = unitVector(m, entry, weighted);
    const std::size_t at = std::size_t(3 * atom);
    expectDisplacement(record, m.numbers[std::size_t(atom)], v[at], v[at + 1], v[at + 2], 1.0);
}

// What a run read from a file of `m` at vibration `mode`: atoms and geometry, the list of
// vibrations, the first frequency, and the vector at unit length.
inline void expectRead(const Molecule& m, int mode, double tolerance = 1e-5,
                       bool weighted = false) {
    ASSERT_EQ(reader::atomCount, m.atoms());
    for (int i = 0; i < m.atoms(); ++i)
        expectAtom(reader::geometry[i], m.numbers[std::size_t(i)], m.at(i, 0), m.at(i, 1),
                   m.at(i, 2), tolerance);
    const std::vector<int> entries = vibrationEntries(m);
    ASSERT_EQ(reader::modeList.count, m.vibrations);
    for (int v = 0; v < m.vibrations; ++v)
        EXPECT_NEAR(reader::modeList.frequency[v], m.frequencies[std::size_t(entries[v])], 1e-4)
            << "vibration " << v + 1;
    EXPECT_NEAR(reader::firstFrequency, m.frequencies[std::size_t(entries[0])], 1e-4);
    for (int i = 0; i < m.atoms(); ++i)
        expectEntry(reader::modeVector[i], m, entries[std::size_t(mode - 1)], i, weighted);
}

// Reads `file` at every vibration of `m` and checks each; then steps from vibration 1 to the
// last, which gives that vibration's vector and leaves the run data as it was.
inline void expectEveryMode(const Molecule& m, const std::string& file, Format format,
                            double tolerance = 1e-5, bool weighted = false) {
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        SCOPED_TRACE(mode);
        reader::readVibrations(file, format, mode);
        expectRead(m, mode, tolerance, weighted);
    }
    reader::readVibrations(file, format, 1);
    static reader::AtomTable vector;
    reader::readVibrationVector(file, format, m.vibrations, vector);
    const std::vector<double> unit =
        unitVector(m, vibrationEntries(m)[std::size_t(m.vibrations - 1)], weighted);
    for (std::size_t i = 0; i < std::size_t(m.atoms()); ++i)
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(vector[i][1 + k], unit[3 * i + k], 2e-5) << "atom " << i;
    expectRead(m, 1, tolerance, weighted);
}

} // namespace readertest
