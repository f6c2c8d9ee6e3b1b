// Molpro output, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <algorithm>
#include <cmath>

namespace layouts::molpro {

namespace {

// The modes of one kind as Molpro prints them in blocks of five.
std::string blocks(const Molecule& m, const std::vector<int>& entries, bool irreps) {
    std::string text;
    for (std::size_t first = 0; first < entries.size(); first += 5) {
        const std::size_t end = std::min(entries.size(), first + 5);
        std::string numbers = "                      ", waves = " Wavenumbers [cm-1]     ",
                    intensities = " Intensities [km/mol]   ";
        for (std::size_t c = first; c < end; ++c) {
            const int e = entries[c];
            numbers += format("%10.0f", double(c + 1)) + (irreps ? " A  " : "    ");
            waves += format(" %15.8f", std::fabs(m.frequencies[std::size_t(e)]));
            intensities += format(" %15.8f", m.intensities[std::size_t(e)]);
        }
        text += numbers + "\n" + waves + "\n" + intensities +
                "\n Intensities [relative]         1.00\n";
        for (std::size_t a = 0; a < std::size_t(m.atoms()); ++a)
            for (int k = 0; k < 3; ++k) {
                std::string row =
                    "           " + m.symbols[a] + "XYZ"[k] + std::to_string(a + 1) + "      ";
                for (std::size_t c = first; c < end; ++c)
                    row += format(" %15.8f", m.modes[std::size_t(entries[c])][3 * a + k]);
                text += row + "\n";
            }
        text += "\n";
    }
    return text;
}

} // namespace

const char* const banner =
    " Primary working directories    : /tmp/molpro\n"
    " Wavefunction directory         : /home/user/wfu/\n\n"
    "                                         ***  PROGRAM SYSTEM MOLPRO  ***\n";

std::string frequencies(const Molecule& m, double lowLimit) {
    std::string text = "\n FREQUENCIES * CALCULATION OF NORMAL MODES FOR KS-SCF\n\n\n"
                       " Atomic Coordinates\n\n"
                       "  Nr  Atom  Charge       X              Y              Z\n\n";
    for (int a = 0; a < m.atoms(); ++a) {
        text += format("%4d", a + 1) + "   " + m.symbols[std::size_t(a)] +
                format("  %6.2f", double(m.numbers[std::size_t(a)])) +
                format(" %16.10f", m.at(a, 0) / bohr) + format(" %16.10f", m.at(a, 1) / bohr) +
                format(" %16.10f\n", m.at(a, 2) / bohr);
    }
    std::vector<int> real, imaginary, low;
    for (int e = 0; e < m.entries(); ++e) {
        const double f = m.frequencies[std::size_t(e)];
        (std::fabs(f) < lowLimit ? low : f < 0.0 ? imaginary : real).push_back(e);
    }
    text += "\n Normal Modes\n\n" + blocks(m, real, true);
    if (!imaginary.empty())
        text += "\n Normal Modes of imaginary frequencies\n\n" + blocks(m, imaginary, false);
    if (!low.empty()) text += "\n Normal Modes of low/zero frequencies\n\n" + blocks(m, low, false);
    return text + "\n FREQUENCIES * CALCULATION OF THERMODYNAMICAL PROPERTIES\n";
}

std::string output(const Molecule& m, double lowLimit) { return banner + frequencies(m, lowLimit); }

} // namespace layouts::molpro
