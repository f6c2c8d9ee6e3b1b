// GAMESS-US and Firefly output, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <cmath>

namespace layouts::gamess {

//  N           7.0     0.0000000000        0.0000000000        0.0000000000
std::string bohrTable(const Molecule& m) {
    std::string text = " ATOM      ATOMIC                      COORDINATES (BOHR)\n"
                       "           CHARGE         X                   Y                   Z\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(11 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%4.1f", double(m.numbers[std::size_t(i)]));
        for (int k = 0; k < 3; ++k) text += format("%20.10f", m.xyz[std::size_t(3 * i + k)] / bohr);
        text += "\n";
    }
    return text + "\n          INTERNUCLEAR DISTANCES (ANGS.)\n\n";
}

//  O           8.0   0.0000000000   0.0000000000   0.0783404292
std::string angstromTable(const Molecule& m, double dx) {
    std::string text = " COORDINATES OF ALL ATOMS ARE (ANGS)\n"
                       "   ATOM   CHARGE       X              Y              Z\n"
                       " ------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(11 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%4.1f", double(m.numbers[std::size_t(i)]));
        for (int k = 0; k < 3; ++k)
            text += format("%15.10f", m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0));
        text += "\n";
    }
    return text + "\n";
}

// The section, as GAMESS-US prints it (a "SYMMETRY:" row) or as Firefly does ("RAMAN
// ACTIVITY:" and "DEPOLARIZATION:" rows); `unit` is the intensities' unit line.
std::string analysis(const Molecule& m, bool firefly, const char* unit) {
    std::string text = "          --------------------------------------------------------\n"
                       "          NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION\n"
                       "          --------------------------------------------------------\n\n"
                       "          ATOMIC WEIGHTS (AMU)\n\n";
    for (int i = 0; i < m.atoms(); ++i)
        text += format("%5d", i + 1) + "     " + m.symbols[std::size_t(i)] +
                "                14.00307\n";
    text += "\n MODES    2 TO    7 ARE TAKEN AS ROTATIONS AND TRANSLATIONS.\n\n";
    text +=
        std::string("     FREQUENCIES IN CM**-1, ") + unit + "\n     REDUCED MASSES IN AMU.\n\n";
    for (int first = 0; first < m.entries(); first += 5) {
        const int count = m.entries() - first < 5 ? m.entries() - first : 5;
        std::string numbers = "                 ", frequency = "       FREQUENCY:  ";
        std::string intensity = "    IR INTENSITY:  ", raman = "  RAMAN ACTIVITY:  ";
        for (int c = 0; c < count; ++c) {
            const double f = m.frequencies[std::size_t(first + c)];
            numbers += format("%12d", first + c + 1);
            frequency += format("%10.2f", std::fabs(f)) + (f < 0.0 ? " I" : "  ");
            intensity += format("%12.5f", m.intensities[std::size_t(first + c)] / kmPerMole);
            raman += format("%12.3f", 1.5 * (first + c + 1));
        }
        text += numbers + "\n" + frequency + "\n";
        if (!firefly) text += "        SYMMETRY:         A           A\n";
        text += "    REDUCED MASS:      1.20753     4.16524\n" + intensity + "\n";
        if (firefly) text += raman + "\n  DEPOLARIZATION:        0.750       0.749\n";
        text += "\n";
        for (int i = 0; i < m.atoms(); ++i)
            for (int k = 0; k < 3; ++k) {
                text += k == 0 ? format("%3d", i + 1) + "   " + m.symbols[std::size_t(i)] +
                                     std::string(13 - m.symbols[std::size_t(i)].size(), ' ')
                               : std::string(19, ' ');
                text += k == 0 ? "X" : k == 1 ? "Y" : "Z";
                for (int c = 0; c < count; ++c)
                    text +=
                        format("%12.8f", m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
                text += "\n";
            }
        text += "\n TRANS. SAYVETZ    X  0.00000000  0.00000000  4.98868209 10.25628105\n"
                "                   Y  0.00000000  0.00000000-10.25628105  4.98868209\n"
                "               TOTAL  0.00000000  0.00000000 11.40518522 11.40518522\n\n";
    }
    return text + "  MODE FREQ(CM**-1)  SYMMETRY  RED. MASS  IR INTENS.\n"
                  "     1     825.176    A        1.207525   21.643570\n\n"
                  " ......END OF NORMAL COORDINATE ANALYSIS......\n";
}

const char* const banner = "          *         GAMESS VERSION = 30 SEP 2018 (R3)         *\n\n";
const char* const closing = " EXECUTION OF GAMESS TERMINATED NORMALLY\n";

std::string output(const Molecule& m) { return banner + bohrTable(m) + analysis(m) + closing; }

} // namespace layouts::gamess
