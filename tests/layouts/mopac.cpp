// MOPAC output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::mopac {

// The six trivial modes MOPAC lists after the vibrations in its FREQ(I) table.
namespace {
constexpr double trivialFrequencies[6] = {7.9287, 6.0936, 0.0369, 58.6417, -44.9798, 68.7225};
} // namespace

const char* const banner = " ** Cite this program as: MOPAC2016, Version: 16.093M, James J. P. "
                           "Stewart,   **\n";

std::string orientation(const Molecule& m) {
    std::string text = "\n          ORIENTATION OF MOLECULE IN FORCE CALCULATION\n\n"
                       "    NO.       ATOM         X         Y         Z\n\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += format("%6d", i + 1) + "          " + m.symbols[std::size_t(i)];
        for (int k = 0; k < 3; ++k) text += format("%10.4f", m.xyz[std::size_t(3 * i + k)]);
        text += "\n";
    }
    return text;
}

std::string frequencies(const Molecule& m) {
    std::vector<double> table = m.frequencies;
    table.insert(table.end(), std::begin(trivialFrequencies), std::end(trivialFrequencies));
    std::string text = "\n\n           FREQUENCIES, REDUCED MASSES AND VIBRATIONAL DIPOLES\n\n";
    for (std::size_t first = 0; first < table.size(); first += 6) {
        std::string numbers = "   I    ", frequencies = " FREQ(I) ";
        for (std::size_t c = first; c < table.size() && c < first + 6; ++c) {
            numbers += format("%10d", int(c + 1));
            frequencies += format("%10.4f", table[c]);
        }
        text += "\n" + numbers + "\n" + frequencies + "\n\n MASS(I)   0.54639   0.51928\n";
    }
    text += "\n\n           NORMAL COORDINATE ANALYSIS (Total motion = 1 Angstrom)\n\n";
    for (int first = 0; first < m.entries(); first += 6) {
        const int n = m.entries() - first < 6 ? m.entries() - first : 6;
        text += "\n   Root No.";
        for (int c = 0; c < n; ++c) text += format("%9d", first + c + 1) + " ";
        text += "\n\n              ";
        for (int c = 0; c < n; ++c) text += "  1 A1     ";
        text += "\n\n            ";
        for (int c = 0; c < n; ++c) text += format("%10.1f", m.frequencies[std::size_t(first + c)]);
        text += "\n  \n";
        for (int row = 0; row < 3 * m.atoms(); ++row) {
            text += format("%12d", row + 1);
            for (int c = 0; c < n; ++c)
                text += format("%10.4f", m.modes[std::size_t(first + c)][std::size_t(row)]);
            text += "\n";
        }
        text += "\n";
    }
    return text + "\n           MASS-WEIGHTED COORDINATE ANALYSIS (NORMAL COORDINATES)\n";
}

std::string output(const Molecule& m) { return banner + orientation(m) + frequencies(m); }

} // namespace layouts::mopac
