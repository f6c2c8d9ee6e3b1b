// NWChem output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::nwchem {

namespace {

// A number as NWChem's atom table prints it, 4.4749758D-01.
std::string dNumber(double value) {
    std::string text = format("%15.7E", value);
    text[text.find('E')] = 'D';
    return text;
}

} // namespace

//     C        1  4.4749758D-01  2.6723874D+00  0.0000000D+00  1.2000000D+01
std::string atomTable(const Molecule& m, double dx) {
    std::string text =
        "\n ---------------------------- Atom information ----------------------------\n"
        "     atom    #        X              Y              Z            mass\n"
        " --------------------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += "    " + m.symbols[std::size_t(i)] +
                std::string(6 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%3d", i + 1);
        for (int k = 0; k < 3; ++k)
            text += dNumber((m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0)) / bohr);
        text += dNumber(2.0 * m.numbers[std::size_t(i)]) + "\n";
    }
    return text + " --------------------------------------------------------------------------\n\n";
}

// The eigenvector table and its intensity table, projected or not; `shift` is added to every
// frequency and intensity (the unprojected values differ a little).
std::string modeTables(const Molecule& m, bool projected, double shift) {
    std::string text = "          -------------------------------------------------\n"
                       "          NORMAL MODE EIGENVECTORS IN CARTESIAN COORDINATES\n"
                       "          -------------------------------------------------\n";
    text += projected ? "             (Projected Frequencies expressed in cm-1)\n"
                      : "                 (Frequencies expressed in cm-1)\n";
    for (int first = 0; first < m.entries(); first += 6) {
        const int count = m.entries() - first < 6 ? m.entries() - first : 6;
        std::string numbers = "\n            ",
                    frequency = projected ? " P.Frequency " : " Frequency   ";
        for (int c = 0; c < count; ++c) {
            numbers += format("%12d", first + c + 1);
            frequency += format("%12.2f", m.frequencies[std::size_t(first + c)] + shift);
        }
        text += numbers + "\n \n" + frequency + "\n \n";
        for (int r = 0; r < 3 * m.atoms(); ++r) {
            text += format("%12d", r + 1) + "  ";
            for (int c = 0; c < count; ++c)
                text += format("%12.5f", m.modes[std::size_t(first + c)][std::size_t(r)]);
            text += "\n";
        }
    }
    text += "\n\n ----------------------------------------------------------------------------\n";
    text += projected ? " Normal Eigenvalue ||           Projected Infra Red Intensities\n"
                      : " Normal Eigenvalue ||                 Infra Red Intensities\n";
    text += "  Mode   [cm**-1]  || [atomic units] [(debye/angs)**2] [(KM/mol)] [arbitrary]\n"
            " ------ ---------- || -------------- ----------------- ---------- -----------\n";
    for (int e = 0; e < m.entries(); ++e) {
        const double intensity = m.intensities[std::size_t(e)] + shift;
        text += format("%5d", e + 1) + format("%13.3f", m.frequencies[std::size_t(e)] + shift) +
                " ||" + format("%12.6f", intensity / 42.2561) +
                format("%16.3f", intensity / 42.2561) + format("%14.3f", intensity) +
                format("%12.3f", 2.0 * intensity) + "\n";
    }
    return text +
           " ----------------------------------------------------------------------------\n\n";
}

const char* const banner =
    "              Northwest Computational Chemistry Package (NWChem) 7.0.2\n"
    "              --------------------------------------------------------\n\n";
const char* const closing = " Task  times  cpu:      287.4s     wall:      287.9s\n";

// An analysis as NWChem prints it: the atom table, the unprojected tables, the projected ones.
std::string analysis(const Molecule& m) {
    return atomTable(m) + "  Vibrational analysis via the FX method \n" +
           modeTables(m, false, 0.5) +
           "        Vibrational analysis via the FX method \n"
           "  --- with translations and rotations projected out ---\n" +
           modeTables(m, true);
}

std::string output(const Molecule& m) { return banner + analysis(m) + closing; }

} // namespace layouts::nwchem
