// CFOUR output, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::cfour {

// CFOUR's row of an atom: the element in columns 1-4, then (F9.3, F7.4, F8.4) for the first
// mode and (F10.4, F8.4, F8.4) for the others.
std::string row(const std::string& symbol, const std::vector<double>& values) {
    std::string text = " " + symbol + std::string(3 - symbol.size(), ' ');
    for (std::size_t v = 0; v < values.size(); ++v) {
        const char* layout = v == 0 ? "%9.3f" : v == 1 ? "%7.4f" : v % 3 == 0 ? "%10.4f" : "%8.4f";
        text += format(layout, values[v]);
    }
    return text + "\n";
}

std::string head(const Molecule& m) {
    std::string text = "     * CFOUR Coupled-Cluster techniques for Computational Chemistry "
                       "*\n\n"
                       " Z-matrix   Atomic            Coordinates (in bohr)\n"
                       "  Symbol    Number           X              Y              Z\n"
                       " ----------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += "     " + m.symbols[std::size_t(i)] +
                std::string(10 - m.symbols[std::size_t(i)].size(), ' ') +
                format("%-3d", m.numbers[std::size_t(i)]);
        for (int k = 0; k < 3; ++k) text += format("%15.8f", m.xyz[std::size_t(3 * i + k)] / bohr);
        text += "\n";
    }
    return text + " ----------------------------------------------------------------\n";
}

// The molecule's vectors stand in the file as CFOUR's mass-weighted ones: the reader divides
// them by the square root of each atom's weight.
std::string analysis(const Molecule& m) {
    std::string text = "\n                     Normal Coordinate Analysis\n"
                       "  ----------------------------------------------------------------\n"
                       "    Irreducible         Harmonic       Infrared        Type \n"
                       "   Representation       Frequency      Intensity \n"
                       "  ----------------------------------------------------------------\n"
                       "                       (cm-1)         (km/mol)\n"
                       "  ----------------------------------------------------------------\n"
                       "      ----                 0.3638i        0.0000       ROTATION  \n"
                       "      ----                 0.0249         0.0000      TRANSLATION\n";
    for (int e = 0; e < m.entries(); ++e)
        text += "        A " + imaginaryAfter(m.frequencies[std::size_t(e)], "%22.4f") +
                format("%14.4f", m.intensities[std::size_t(e)]) + "       VIBRATION \n";
    text += "  ----------------------------------------------------------------\n \n \n"
            "                                   Normal Coordinates \n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int n = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string irreps = "\n      ", frequencies = "\n      ", types = "\n      ";
        for (int c = 0; c < n; ++c) {
            irreps += "          A               ";
            frequencies +=
                imaginaryAfter(m.frequencies[std::size_t(first + c)], "%15.2f") + "          ";
            types += "       VIBRATION          ";
        }
        text += irreps + frequencies + types + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            std::vector<double> values;
            for (int c = 0; c < n; ++c)
                for (int k = 0; k < 3; ++k)
                    values.push_back(m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
            text += row(m.symbols[std::size_t(i)], values);
        }
    }
    return text + "\n            Gradient vector in normal coordinate representation\n";
}

std::string output(const Molecule& m) { return head(m) + analysis(m); }

} // namespace layouts::cfour
