// Psi4 1.3 and later output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::psi4 {

//          O            0.000000000000     0.000000000000     0.119159000000    15.99491461957
std::string geometryTable(const Molecule& m, double dx, bool inBohr) {
    std::string text = "  ==> Geometry <==\n\n    Molecular point group: c2v\n\n";
    text += inBohr ? "    Geometry (in Bohr), charge = 0, multiplicity = 1:\n\n"
                   : "    Geometry (in Angstrom), charge = 0, multiplicity = 1:\n\n";
    text += "       Center              X                  Y                   Z       "
            "        Mass       \n";
    text += "    ------------   -----------------  -----------------  -----------------  "
            "-----------------\n";
    const double scale = inBohr ? 1.0 / bohr : 1.0;
    for (int i = 0; i < m.atoms(); ++i) {
        char row[160];
        std::snprintf(row, sizeof row, "    %6s     %18.12f %18.12f %18.12f %18.12f\n",
                      m.symbols[std::size_t(i)].c_str(),
                      (m.xyz[std::size_t(3 * i)] + (i == 0 ? dx : 0.0)) * scale,
                      m.xyz[std::size_t(3 * i + 1)] * scale, m.xyz[std::size_t(3 * i + 2)] * scale,
                      2.0 * m.numbers[std::size_t(i)]);
        text += row;
    }
    return text + "\n  Running in c2v symmetry.\n\n";
}

const char* const findif =
    "         ----------------------------------------------------------\n"
    "                                   FINDIF\n"
    "                     R. A. King and Jonathon Misiewicz\n"
    "         ----------------------------------------------------------\n\n"
    "  Using finite-differences of gradients to determine vibrational frequencies and \n"
    "  normal modes.  Resulting frequencies are only valid at stationary points.\n";

namespace {
// A frequency as Psi4 prints it.
std::string frequencyField(double f) { return f < 0.0 ? format("%.4fi", -f) : format("%.4f", f); }
} // namespace

std::string analysis(const Molecule& m, bool intensities) {
    std::string text = "  ==> Harmonic Vibrational Analysis <==\n\n"
                       "  non-mass-weighted Hessian:       Symmetric? True   Hermitian? True\n"
                       "  pre-proj  low-frequency mode:    0.0000i [cm^-1]\n\n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int count = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string number = "  Vibration               ", frequency = "  Freq [cm^-1]            ";
        std::string intensity = "  IR activ [km/mol]       ";
        for (int c = 0; c < count; ++c) {
            number += format("%12d        ", first + c + 7);
            char field[40];
            std::snprintf(field, sizeof field, "%-20s",
                          frequencyField(m.frequencies[std::size_t(first + c)]).c_str());
            frequency += std::string("   ") + field;
            intensity += format("%12.4f        ", m.intensities[std::size_t(first + c)]);
        }
        text += number + "\n" + frequency + "\n  Irrep                           A1\n";
        text += "  Reduced mass [u]              1.0823\n  Force const [mDyne/A]         2.2064\n";
        if (intensities) text += intensity + "\n";
        text += "  Char temp [K]               197.4767\n";
        text += "  " + std::string(82, '-') + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += format("%7d", i + 1) + "   " + m.symbols[std::size_t(i)] +
                    std::string(15 - m.symbols[std::size_t(i)].size(), ' ');
            for (int c = 0; c < count; ++c) {
                const std::vector<double>& v = m.modes[std::size_t(first + c)];
                for (int k = 0; k < 3; ++k) text += format("%6.2f", v[std::size_t(3 * i + k)]);
                text += "   ";
            }
            text += "\n";
        }
        text += "\n";
    }
    return text + "  ==> Thermochemistry Components <==\n\n  Entropy, S\n";
}

const char* const banner =
    "    -----------------------------------------------------------------------\n"
    "          Psi4: An Open-Source Ab Initio Electronic Structure Package\n"
    "                               Psi4 1.7 release\n\n";
const char* const closing = "*** Psi4 exiting successfully. Buy a developer a beer!\n";

std::string output(const Molecule& m) { return banner + geometryTable(m) + analysis(m) + closing; }

} // namespace layouts::psi4
