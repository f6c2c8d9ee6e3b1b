// Turbomole's aoforce output and control file, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <algorithm>

namespace layouts::turbomole {

namespace {

std::string aoforceFrequency(double f) {
    return f < 0.0 ? format("  i%.2f", -f) : format(" %8.2f", f);
}

// The element symbol in lower case, as Turbomole writes it.
std::string lower(const std::string& symbol) {
    std::string s = symbol;
    for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

} // namespace

void aoforce(const Molecule& m, const Sink& out) {
    std::string text = "                             T U R B O M O L E\n\n"
                       "                          a o f o r c e - program\n\n"
                       "                    atomic coordinates            atom    charge  isotop\n";
    for (int a = 0; a < m.atoms(); ++a)
        text += format("%20.8f", m.at(a, 0) / bohr) + format("%14.8f", m.at(a, 1) / bohr) +
                format("%14.8f", m.at(a, 2) / bohr) + "    " + lower(m.symbols[std::size_t(a)]) +
                format("  %9.3f     0\n", double(m.numbers[std::size_t(a)]));
    text += " \n          NORMAL MODES and VIBRATIONAL FREQUENCIES (cm**(-1))\n\n"
            " imaginary wave numbers indicate a negative curvature of the energy surface.\n\n";
    out(text);
    for (int first = 0; first < m.entries(); first += 6) {
        text.clear();
        const int end = std::min(m.entries(), first + 6);
        std::string numbers = "       mode          ", frequency = "     frequency       ",
                    intensity = "intensity (km/mol)   ";
        for (int e = first; e < end; ++e) {
            numbers += format("%9.0f", double(e + 1));
            frequency += aoforceFrequency(m.frequencies[std::size_t(e)]);
            intensity += format(" %8.2f", m.intensities[std::size_t(e)]);
        }
        text += "\n" + numbers + "\n\n" + frequency + "\n\n     symmetry\n\n        IR\n" +
                "|dDIP/dQ|   (a.u.)\n" + intensity + "\n \n       RAMAN\n \n";
        for (std::size_t a = 0; a < std::size_t(m.atoms()); ++a)
            for (int k = 0; k < 3; ++k) {
                std::string row = k == 0 ? format("%3.0f", double(a + 1)) + "   " +
                                               lower(m.symbols[a]) + "           x"
                                         : std::string("                  ") + "xyz"[k];
                for (int e = first; e < end; ++e)
                    row += format(" %12.8f", m.modes[std::size_t(e)][3 * a + k]);
                text += row + "\n";
            }
        out(text + "\nreduced mass(g/mol)     1.212\n\n");
    }
    out("         ****************\n         *  zero point VIBRATIONAL energy  *\n");
}

std::string aoforce(const Molecule& m) {
    std::string text;
    aoforce(m, [&](const std::string& piece) { text += piece; });
    return text;
}

std::string coordGroup(const Molecule& m) {
    std::string text = "$coord\n";
    for (int a = 0; a < m.atoms(); ++a)
        text += format("%20.14f", m.at(a, 0) / bohr) + format("%22.14f", m.at(a, 1) / bohr) +
                format("%22.14f", m.at(a, 2) / bohr) + "      " + lower(m.symbols[std::size_t(a)]) +
                "\n";
    return text;
}

std::string spectrumGroup(const Molecule& m) {
    std::string text = "$vibrational spectrum\n"
                       "#  mode     symmetry     wave number   IR intensity    selection rules\n"
                       "#                         cm**(-1)        km/mol         IR     RAMAN\n";
    for (int e = 0; e < m.entries(); ++e) {
        const double f = m.frequencies[std::size_t(e)];
        text += format("%6.0f", double(e + 1)) + (f == 0.0 ? "          " : "        a ") +
                format("%18.2f", f) + format("%16.5f", m.intensities[std::size_t(e)]) +
                (f == 0.0 ? "        -       -\n" : "       YES     YES\n");
    }
    return text;
}

// `joined`: "i j" with no blank between, as Turbomole's columns run together once the numbers
// are wide.
void modesGroup(const Molecule& m, bool joined, const Sink& out) {
    out("$vibrational normal modes\n");
    const std::size_t components = 3 * std::size_t(m.atoms());
    std::string text;
    for (std::size_t i = 0; i < components; ++i) {
        text.clear();
        for (int first = 0, part = 1; first < m.entries(); first += 5, ++part) {
            text += joined ? format("%.0f", double(i + 1)) + format("%d", part)
                           : format("%3.0f", double(i + 1)) + format("%3d", part);
            for (int e = first; e < std::min(m.entries(), first + 5); ++e)
                text += format(" %14.10f", m.modes[std::size_t(e)][i]);
            text += "\n";
        }
        out(text);
    }
}

std::string modesGroup(const Molecule& m, bool joined) {
    std::string text;
    modesGroup(m, joined, [&](const std::string& piece) { text += piece; });
    return text;
}

void controlFile(const Molecule& m, const Sink& out) {
    out("$title\n$symmetry c1\n" + coordGroup(m) + "$atoms\no  1\n" + spectrumGroup(m) +
        "$nvibro        " + std::to_string(m.entries()) + "\n");
    modesGroup(m, false, out);
    out("$end\n");
}

std::string controlFile(const Molecule& m) {
    std::string text;
    controlFile(m, [&](const std::string& piece) { text += piece; });
    return text;
}

} // namespace layouts::turbomole
