// The generated outputs of program_outputs.h, written by the layouts of the reader's tests.
#include "bench/reader/program_outputs.h"

#include "bench/reader/large_file.h"
#include "tests/layouts/layouts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bench {
namespace {

// `atoms` atoms on a helix (carbon, then two hydrogens), all 3N entries listed: six of 0 cm**-1
// whose vectors are `trivial`, then the vibrations, 1.1 cm**-1 apart, their vectors no two
// alike.
layouts::Molecule molecule(int atoms, double (*trivial)(int row)) {
    layouts::Molecule m;
    for (int i = 0; i < atoms; ++i) {
        const double t = i * 0.37;
        m.symbols.push_back(i % 3 ? "H" : "C");
        m.numbers.push_back(i % 3 ? 1 : 6);
        m.xyz.insert(m.xyz.end(), {12.0 * std::sin(t), 12.0 * std::cos(t), 0.05 * i - 25.0});
    }
    const int entries = 3 * atoms;
    m.vibrations = entries - 6;
    for (int e = 0; e < entries; ++e) {
        m.frequencies.push_back(e < 6 ? 0.0 : 10.0 + e * 1.1);
        m.intensities.push_back(0.5 * e);
        std::vector<double> vector(std::size_t(entries), 0.0);
        for (int row = 0; row < entries; ++row)
            vector[std::size_t(row)] = e < 6 ? trivial(row) : 0.3 * std::sin(0.01 * row * e + e);
        m.modes.push_back(std::move(vector));
    }
    return m;
}

double still(int) { return 0.0; }
double small(int row) { return 0.01 * (row % 7); }

} // namespace

void writeTurbomoleControl(const std::string& path, long megabytes) {
    // 15 bytes a value: 3N x 3N values fill the size asked for.
    const layouts::Molecule m =
        molecule(int(std::sqrt(double(megabytes) * 1e6 / 15.0) / 3.0), still);
    benchfiles::writeStreamed(
        path, [&](const layouts::Sink& out) { layouts::turbomole::controlFile(m, out); });
}

void writeAoforce(const std::string& path, long megabytes) {
    // 13 bytes a value in blocks of six with a label of 19: about 16 bytes a value.
    const layouts::Molecule m =
        molecule(std::min(1000, int(std::sqrt(double(megabytes) * 1e6 / 16.0) / 3.0)), still);
    benchfiles::writeStreamed(
        path, [&](const layouts::Sink& out) { layouts::turbomole::aoforce(m, out); });
}

void writeMolpro(const std::string& path, long megabytes) {
    const layouts::Molecule m = molecule(300, small);
    const std::string section = layouts::molpro::frequencies(m);
    benchfiles::writeRepeated(
        path, megabytes, layouts::molpro::banner,
        [&](int) -> const std::string& { return section; }, "");
}

} // namespace bench
