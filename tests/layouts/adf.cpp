// ADF output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::adf {

// A "Coordinates (Cartesian)" table, its atoms moved by dx along x.
std::string cartesian(const Molecule& m, double dx) {
    std::string text = "\n Coordinates (Cartesian)\n =======================\n\n"
                       "     Atom                    bohr                                 "
                       "angstrom                 Geometric Variables\n"
                       "                   X           Y           Z              X           "
                       "Y           Z       (0:frozen, *:LT par.)\n" +
                       std::string(" ") + std::string(110, '-') + "\n";
    for (int i = 0; i < m.atoms(); ++i) {
        double xyz[3];
        for (int k = 0; k < 3; ++k) xyz[k] = m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0);
        text += format("%6d", i + 1) + " " + m.symbols[std::size_t(i)] + "    ";
        for (int k = 0; k < 3; ++k) text += format("%12.6f", xyz[k] / bohr);
        text += "   ";
        for (int k = 0; k < 3; ++k) text += format("%12.6f", xyz[k]);
        text += "      1       2       3\n";
    }
    return text + " " + std::string(110, '-') + "\n\n";
}

std::string atomsTable(const Molecule& m) {
    std::string text =
        "\n ATOMS\n =====                            X Y Z                    CHARGE\n"
        "                                (Angstrom)             Nucl     +Core"
        "       At.Mass\n"
        "                       --------------------------    ----------------"
        "       -------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += format("%5d", i + 1) + "  " + m.symbols[std::size_t(i)] + "           ";
        for (int k = 0; k < 3; ++k) text += format("%10.4f", m.xyz[std::size_t(3 * i + k)]);
        text += "      6.00      6.00       12.0000\n";
    }
    return text + "\n\n";
}

std::string modes(const Molecule& m) {
    std::string text = "\n ===========================\n Vibrations and Normal Modes  ***  "
                       "(cartesian coordinates, NOT mass-weighted)  ***\n"
                       " ===========================\n  \n"
                       " The headers on the normal mode eigenvectors below give the Frequency "
                       "in cm-1\n"
                       " (a negative value means an imaginary frequency, no output for "
                       "(almost-)zero frequencies)\n\n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int n = m.entries() - first < 3 ? m.entries() - first : 3;
        text += "\n            ";
        for (int c = 0; c < n; ++c)
            text += format("%14.3f", m.frequencies[std::size_t(first + c)]) + "                ";
        text += "\n              ";
        for (int c = 0; c < n; ++c) text += "------------------------      ";
        text += "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            const std::string label = std::to_string(i + 1) + "." + m.symbols[std::size_t(i)];
            text += std::string(label.size() < 8 ? 8 - label.size() : 1, ' ') + label + "     ";
            for (int c = 0; c < n; ++c) {
                for (int k = 0; k < 3; ++k)
                    text +=
                        format("%8.3f", m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
                text += "      ";
            }
            text += "\n";
        }
        text += "\n";
    }
    text += "\n\n List of All Frequencies:\n\n\n Intensities\n ===========\n\n"
            "               Frequency       Dipole Strength        Absorption Intensity "
            "(degeneracy not counted)\n"
            "                 cm-1           1e-40 esu2 cm2          km/mole\n"
            "              ----------          ----------          ----------\n";
    for (int e = 0; e < m.entries(); ++e)
        text += format("%25.6f", m.frequencies[std::size_t(e)]) + "            6.608474" +
                format("%20.6f", m.intensities[std::size_t(e)]) + "\n";
    return text + "\n\n ============================\n Statistical Thermal Analysis\n";
}

const char* const banner =
    " *   Amsterdam Density Functional  (ADF)         2013.01   April 2, 2013       *\n";

std::string output(const Molecule& m) {
    return banner + atomsTable(m) + cartesian(m, 0.01) + cartesian(m) + modes(m);
}

} // namespace layouts::adf
