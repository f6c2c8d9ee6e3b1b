// The generated outputs of program_outputs.h, written by the layouts of the reader's tests.
#include "bench/reader/program_outputs.h"

#include "bench/reader/large_file.h"
#include "tests/layouts/layouts.h"

#include <algorithm>
#include <cmath>

namespace bench {
namespace {

double still(int) { return 0.0; }
double small(int row) { return 0.01 * (row % 7); }

} // namespace

void writeTurbomoleControl(const std::string& path, long megabytes) {
    // 15 bytes a value: 3N x 3N values fill the size asked for.
    const layouts::Molecule m =
        benchfiles::allModes(int(std::sqrt(double(megabytes) * 1e6 / 15.0) / 3.0), still);
    benchfiles::writeStreamed(
        path, [&](const layouts::Sink& out) { layouts::turbomole::controlFile(m, out); });
}

void writeAoforce(const std::string& path, long megabytes) {
    // 13 bytes a value in blocks of six with a label of 19: about 16 bytes a value.
    const layouts::Molecule m = benchfiles::allModes(
        std::min(1000, int(std::sqrt(double(megabytes) * 1e6 / 16.0) / 3.0)), still);
    benchfiles::writeStreamed(
        path, [&](const layouts::Sink& out) { layouts::turbomole::aoforce(m, out); });
}

void writeMolpro(const std::string& path, long megabytes) {
    const layouts::Molecule m = benchfiles::allModes(300, small);
    const std::string section = layouts::molpro::frequencies(m);
    benchfiles::writeRepeated(
        path, megabytes, layouts::molpro::banner,
        [&](int) -> const std::string& { return section; }, "");
}

} // namespace bench
