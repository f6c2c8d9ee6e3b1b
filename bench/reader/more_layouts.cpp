// The large DALTON, MOPAC, ADF and CFOUR outputs of the reader benchmark, written by the
// layouts of the reader's tests.
#include "bench/reader/more_layouts.h"

#include "bench/reader/large_file.h"
#include "tests/layouts/layouts.h"

#include <cmath>
#include <vector>

namespace benchlayouts {
namespace {

constexpr int atoms = 300;
constexpr int modes = 3 * atoms - 6;

// Carbon, every third atom hydrogen, on a helix; its vibrations alone, 4 cm**-1 apart, their
// vectors no two alike.
layouts::Molecule molecule() {
    layouts::Molecule m;
    for (int i = 0; i < atoms; ++i) {
        const double t = i * 0.37;
        m.symbols.push_back(i % 3 == 2 ? "H" : "C");
        m.numbers.push_back(i % 3 == 2 ? 1 : 6);
        m.xyz.insert(m.xyz.end(), {12.0 * std::sin(t), 12.0 * std::cos(t), 0.05 * i - 7.0});
    }
    m.vibrations = modes;
    for (int e = 0; e < modes; ++e) {
        m.frequencies.push_back(20.0 + 4.0 * e);
        m.intensities.push_back(0.5 * e);
        std::vector<double> vector(std::size_t(3 * atoms));
        for (int row = 0; row < 3 * atoms; ++row)
            vector[std::size_t(row)] = 0.3 * std::sin(0.01 * row * e + e);
        m.modes.push_back(std::move(vector));
    }
    return m;
}

} // namespace

// A geometry optimisation's tables, each moved a little.
void generateDalton(const std::string& path, long megabytes) {
    const layouts::Molecule m = molecule();
    benchfiles::writeRepeated(
        path, megabytes, layouts::dalton::banner,
        [&](int n) {
            return layouts::format("\n Iteration %d\n\n", n) +
                   layouts::dalton::geometry(m, n * 1e-8 * layouts::bohr) + "\n\n";
        },
        layouts::dalton::frequencies(m));
}

// The orientation of every step of a force calculation.
void generateMopac(const std::string& path, long megabytes) {
    const layouts::Molecule m = molecule();
    const std::string orientation = layouts::mopac::orientation(m) + "\n\n";
    benchfiles::writeRepeated(
        path, megabytes, layouts::mopac::banner,
        [&](int n) {
            return layouts::format("\n STEP: %6d TIME =     0.00 SECS, INTEGRAL =      0.00 TIME "
                                   "LEFT: 172800.00\n",
                                   n) +
                   orientation;
        },
        layouts::mopac::frequencies(m));
}

// An optimisation's energies and Cartesian tables.
void generateAdf(const std::string& path, long megabytes) {
    const layouts::Molecule m = molecule();
    const std::string cartesian = layouts::adf::cartesian(m);
    benchfiles::writeRepeated(
        path, megabytes, layouts::adf::banner,
        [&](int n) {
            return layouts::format("\n Energy:               -5.%08d\n\n", n) + cartesian;
        },
        layouts::adf::modes(m));
}

// Lines of numbers after the Z-matrix table, not geometries.
void generateCfour(const std::string& path, long megabytes) {
    const layouts::Molecule m = molecule();
    benchfiles::writeRepeated(
        path, megabytes, layouts::cfour::head(m),
        [](int n) {
            char line[100];
            std::snprintf(line, sizeof line, " D1  %12.6f  %12.6f  %12.6f  %12.6f  %12.6f\n",
                          n * 1e-6, -n * 1e-6, 0.0, 1.0 / n, 0.5);
            return std::string(line);
        },
        layouts::cfour::analysis(m));
}

} // namespace benchlayouts
