// Gaussian formatted checkpoint files, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <cstdio>

namespace layouts::fchk {

namespace {

// A field as Gaussian writes it: the name in 43 columns, the type, then "N=" and the count of
// an array, whose values follow 6 integers (6I12) or 5 reals (5E16.8) a line.
std::string field(const std::string& name, char type, int value) {
    char head[100];
    std::snprintf(head, sizeof head, "%-43s%c%17d\n", name.c_str(), type, value);
    return head;
}
std::string array(const std::string& name, const std::vector<double>& values, bool integers) {
    char head[100];
    std::snprintf(head, sizeof head, "%-43s%c   N=%12d\n", name.c_str(), integers ? 'I' : 'R',
                  int(values.size()));
    std::string text = head;
    const std::size_t perLine = integers ? 6 : 5;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += integers ? format("%12.0f", values[i]) : format("%16.8E", values[i]);
        if (i % perLine == perLine - 1 || i + 1 == values.size()) text += "\n";
    }
    return text;
}

} // namespace

std::string head(const Molecule& m) {
    std::vector<double> numbers, coordinates;
    for (int i = 0; i < m.atoms(); ++i) {
        numbers.push_back(m.numbers[std::size_t(i)]);
        for (int k = 0; k < 3; ++k) coordinates.push_back(m.at(i, k) / bohr);
    }
    return "Title Card Required\nFreq      RB3LYP                                 STO-3G\n" +
           field("Number of atoms", 'I', m.atoms()) + field("Charge", 'I', 0) +
           array("Atomic numbers", numbers, true) + array("Nuclear charges", numbers, false) +
           array("Current cartesian coordinates", coordinates, false) +
           array("Alpha MO coefficients", {0.5, -0.25, 0.125, 1.0}, false);
}

// The vibration fields: Vib-E2 holds 14 blocks of one value a vibration (frequencies, reduced
// masses, force constants, IR intensities, Raman activities, ...), Vib-Modes the vectors.
std::string file(const Molecule& m, const std::vector<double>& raman) {
    const int v = m.vibrations;
    std::vector<double> e2(std::size_t(14 * v), 0.0), modes;
    for (int i = 0; i < v; ++i) {
        e2[std::size_t(i)] = m.frequencies[std::size_t(m.first() + i)];
        e2[std::size_t(v + i)] = 1.5;
        e2[std::size_t(3 * v + i)] = m.intensities[std::size_t(m.first() + i)];
        if (!raman.empty()) e2[std::size_t(4 * v + i)] = raman[std::size_t(i)];
        for (double c : m.modes[std::size_t(m.first() + i)]) modes.push_back(c);
    }
    return head(m) + field("Number of Normal Modes", 'I', v) + field("Vib-LE2Fix", 'I', 14) +
           array("Vib-E2", e2, false) + array("Vib-Modes", modes, false) +
           array("ClPar Real Params", {1.0, 2.0}, false);
}

// A checkpoint of `count` grid atoms and two vibrations, every component alike.
std::string gridFile(int count) {
    Molecule grid = threeOf(count);
    grid.vibrations = 2;
    grid.frequencies = {100.0, 200.0};
    grid.modes = {std::vector<double>(std::size_t(3 * count), 0.1),
                  std::vector<double>(std::size_t(3 * count), -0.2)};
    grid.intensities = {1.0, 2.0};
    return file(grid);
}

} // namespace layouts::fchk
