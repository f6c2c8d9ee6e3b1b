// Q-Chem 4 to 6 output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::qchem {

namespace {
const char* const rule = " ----------------------------------------------------------------\n";

} // namespace

//     1      O      -0.0000000000     0.0000000000     0.1191593746
std::string orientation(const Molecule& m, const char* unit, double scale) {
    std::string text = rule;
    text += std::string("             Standard Nuclear Orientation (") + unit + ")\n";
    text += "    I     Atom           X                Y                Z\n";
    text += rule;
    for (int i = 0; i < m.atoms(); ++i) {
        char row[120];
        std::snprintf(row, sizeof row, "%5d      %-2s %16.10f %16.10f %16.10f\n", i + 1,
                      m.symbols[std::size_t(i)].c_str(), m.xyz[std::size_t(3 * i)] / scale,
                      m.xyz[std::size_t(3 * i + 1)] / scale, m.xyz[std::size_t(3 * i + 2)] / scale);
        text += row;
    }
    return text + rule + " Nuclear Repulsion Energy =           8.88700626 hartrees\n";
}

namespace {
const char* const heading =
    " **********************************************************************\n"
    " **                                                                  **\n"
    " **                       VIBRATIONAL ANALYSIS                       **\n"
    " **                       --------------------                       **\n"
    " **                                                                  **\n"
    " **        VIBRATIONAL FREQUENCIES (CM**-1) AND NORMAL MODES         **\n"
    " **     FORCE CONSTANTS (mDYN/ANGSTROM) AND REDUCED MASSES (AMU)     **\n"
    " **                  INFRARED INTENSITIES (KM/MOL)                   **\n"
    " **                                                                  **\n"
    " **********************************************************************\n\n\n";

} // namespace

// The section's blocks of three modes; `raman` adds "Raman Intens:" rows.
std::string analysis(const Molecule& m, bool raman) {
    std::string text = heading;
    for (int first = 0; first < m.entries(); first += 3) {
        const int count = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string mode = " Mode:    ", frequency = " Frequency:", intensity = " IR Intens:";
        std::string ramanRow = " Raman Intens:", header = "          ";
        for (int c = 0; c < count; ++c) {
            mode += format("%13d          ", first + c + 1);
            frequency += format("%13.2f          ", m.frequencies[std::size_t(first + c)]);
            intensity += format("%13.3f          ", m.intensities[std::size_t(first + c)]);
            ramanRow += format("%10.3f             ", 2.5 * (first + c + 1));
            header += "     X      Y      Z  ";
        }
        text += mode + "\n" + frequency + "\n Force Cnst:      2.2064\n Red. Mass:       1.0823\n";
        text += " IR Active:          YES\n" + intensity + "\n Raman Active:       YES\n";
        if (raman) text += ramanRow + "\n Depolar:          0.750\n";
        text += header + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += " " + m.symbols[std::size_t(i)] +
                    std::string(9 - m.symbols[std::size_t(i)].size(), ' ');
            for (int c = 0; c < count; ++c) {
                const std::vector<double>& v = m.modes[std::size_t(first + c)];
                for (int k = 0; k < 3; ++k) text += format("%7.3f", v[std::size_t(3 * i + k)]);
                text += "  ";
            }
            text += "\n";
        }
        text += " TransDip  -0.000 -0.000  0.078\n\n";
    }
    return text + " STANDARD THERMODYNAMIC QUANTITIES AT   298.15 K  AND     1.00 ATM\n";
}

const char* const banner = "                  Welcome to Q-Chem\n"
                           "     A Quantum Leap Into The Future Of Chemistry\n\n"
                           " Q-Chem 5.4, Q-Chem, Inc., Pleasanton, CA (2021)\n\n";
const char* const closing =
    "        *  Thank you very much for using Q-Chem.  Have a nice day.  *\n";

std::string output(const Molecule& m) { return banner + orientation(m) + analysis(m) + closing; }

} // namespace layouts::qchem
