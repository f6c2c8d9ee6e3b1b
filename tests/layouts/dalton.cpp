// DALTON output, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <cmath>

namespace layouts::dalton {

const char* const banner = "     *************** Dalton - An Electronic Structure Program "
                           "***************\n\n";

std::string geometry(const Molecule& m, double dx) {
    std::string text = "                             Molecular geometry (au)\n"
                       "                             -----------------------\n\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(9 - m.symbols[std::size_t(i)].size(), ' ');
        for (int k = 0; k < 3; ++k)
            text += format("%14.10f", m.movedBy(dx, i, k) / bohr) + "          ";
        text += "\n";
    }
    return text;
}

// The vibrations of a molecule are its entries, lowest first; the programs list them so but
// DALTON, which lists them highest first.
std::string frequencies(const Molecule& m) {
    std::string text = "\n\n  Vibrational Frequencies and IR Intensities\n"
                       "  ------------------------------------------\n\n"
                       "  mode   irrep        frequency             IR intensity\n"
                       "  ============================================================\n"
                       "                  cm-1       hartrees     km/mol   (D/A)**2/amu\n"
                       "  ------------------------------------------------------------\n";
    const int count = m.entries();
    for (int k = 0; k < count; ++k) {
        const std::size_t e = std::size_t(count - 1 - k);
        text += format("%4d", k + 1) + "      A   " + imaginaryAfter(m.frequencies[e], "%10.2f") +
                "  0.016160  " + format("%9.3f", m.intensities[e]) + "   0.0000\n";
    }
    text += "\n\n\n  Normal Coordinates (bohrs*amu**(1/2)):\n"
            "  --------------------------------------\n\n";
    for (int first = 0; first < count; first += 5) {
        const int n = count - first < 5 ? count - first : 5;
        text += "\n              ";
        for (int c = 0; c < n; ++c)
            text += format("%3d", first + c + 1) +
                    imaginaryAfter(std::round(m.frequencies[std::size_t(count - 1 - first - c)]),
                                   "%6.0f") +
                    "   ";
        text += "\n  " + std::string(70, '-') + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += "\n";
            for (int k = 0; k < 3; ++k) {
                text += "    " + m.symbols[std::size_t(i)] +
                        std::string(7 - m.symbols[std::size_t(i)].size(), ' ') +
                        (k == 0   ? "x "
                         : k == 1 ? "y "
                                  : "z ");
                for (int c = 0; c < n; ++c)
                    text +=
                        format("%12.6f",
                               m.modes[std::size_t(count - 1 - first - c)][std::size_t(3 * i + k)]);
                text += "\n";
            }
        }
        text += "\n";
    }
    return text + "\n  Interpretation of vibrational modes\n";
}

std::string output(const Molecule& m) { return banner + geometry(m) + frequencies(m); }

} // namespace layouts::dalton
