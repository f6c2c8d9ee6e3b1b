// Molden files, as layouts.h tells.
#include "tests/layouts/layouts.h"

namespace layouts::molden {

// The file of molecule m listing entries from `from` on (m.first() for the vibrations alone).
std::string file(const Molecule& m, Writer writer, int from) {
    const bool molcas = writer == Writer::openMolcas;
    auto section = [&](const char* name) {
        std::string text =
            molcas ? std::string(" [") + name + "]\n" : std::string("[") + name + "]\n";
        if (writer == Writer::mixedCase)
            for (std::size_t i = 2; i < text.size(); i += 2)
                if (text[i] >= 'A' && text[i] <= 'Z') text[i] = char(text[i] - 'A' + 'a');
        return text;
    };
    const char* number = molcas ? "%24.15E" : "%16.8f";
    std::string text = section(molcas ? "MOLDEN FORMAT" : "Molden Format");
    std::string freq = section("FREQ"), intensities = section("INT");
    for (int i = from; i < m.entries(); ++i) {
        freq += format(number, m.frequencies[std::size_t(i)]) + "\n";
        intensities += format("%12.6f\n", m.intensities[std::size_t(i)]);
    }
    std::string coordinates = section("FR-COORD");
    for (int i = 0; i < m.atoms(); ++i)
        coordinates += std::string(molcas ? "  " : "") + m.symbols[std::size_t(i)] +
                       format(number, m.at(i, 0) / bohr) + format(number, m.at(i, 1) / bohr) +
                       format(number, m.at(i, 2) / bohr) + "\n";
    std::string vectors = section("FR-NORM-COORD");
    for (int i = from; i < m.entries(); ++i) {
        vectors += molcas ? format(" vibration %23d\n", i - from + 1)
                          : format("vibration %d\n", i - from + 1);
        for (std::size_t a = 0; a < std::size_t(m.atoms()); ++a)
            vectors += format(number, m.modes[std::size_t(i)][3 * a]) +
                       format(number, m.modes[std::size_t(i)][3 * a + 1]) +
                       format(number, m.modes[std::size_t(i)][3 * a + 2]) + "\n";
    }
    if (molcas)
        return text + section("N_FREQ") + format("%22.0f\n", double(m.entries() - from)) + freq +
               intensities + section("NATOM") + format("%22.0f\n", double(m.atoms())) +
               coordinates + vectors;
    std::string orbitals = section("Title") + "job\n" + section("Atoms") + " Angs\n" +
                           "C 1 6 0.0 0.0 0.0\n" + section("GTO") +
                           "  1 0\n s    3 1.00\n  71.6168370  0.1543289673\n\n" + section("MO") +
                           " Sym= 1ag\n Ene= -10.0\n Spin= Alpha\n Occup= 2.0\n   1   0.99\n";
    return text + orbitals + freq + coordinates + vectors + intensities;
}

// A file of `count` grid atoms and two vibrations, every row of a vector alike.
std::string gridFile(int count) {
    std::string text = "[Molden Format]\n[FREQ]\n  100.0\n  200.0\n[FR-COORD]\n";
    for (const Atom& a : gridAtoms(count))
        text += format(a.number == 1 ? "H %.6f" : "C %.6f", a.x / bohr) +
                format(" %.6f", a.y / bohr) + format(" %.6f\n", a.z / bohr);
    text += "[FR-NORM-COORD]\n";
    const char* rows[] = {" 0.1 0.1 0.1\n", " 0.2 -0.2 0.2\n"};
    for (int v = 0; v < 2; ++v) {
        text += v == 0 ? "vibration 1\n" : "vibration 2\n";
        for (int a = 0; a < count; ++a) text += rows[v];
    }
    return text;
}

// A CP2K -VIBRATIONS-1.mol: section names after a blank, [Cell], [Atoms] AU, lower-case
// "vibration", [INT]; `fixed` atoms held still in a partial Hessian (rows of zeros, 3 modes
// listed for each other atom).
std::string cp2kFile(int fixed) {
    const int atoms = 4, listed = 3 * (atoms - fixed);
    std::string text =
        " [Molden Format]\n [Cell]\n   18.897261    0.000000    0.000000\n"
        "    0.000000   18.897261    0.000000\n    0.000000    0.000000   18.897261\n"
        " [Atoms] AU\n";
    const char* rows[] = {" C        9.448629       9.448646      10.132595\n",
                          " O        9.448632      11.795808       8.764666\n",
                          " H        9.448632       7.101454       8.764688\n",
                          " H        9.448632       7.101454      11.764688\n"};
    for (int a = 0; a < atoms; ++a)
        text += std::string(rows[a]).insert(2, format("%8d", a + 1) + "       1");
    text += " [FREQ]\n";
    for (int v = 0; v < listed; ++v) text += format("%16.6f\n", 100.0 * (v + 1) + 0.5);
    text += " [INT]\n";
    for (int v = 0; v < listed; ++v) text += format("%16.6f\n", 2.0 * v);
    text += " [FR-COORD]\n";
    for (const char* row : rows) text += row;
    text += " [FR-NORM-COORD]\n";
    for (int v = 0; v < listed; ++v) {
        text += format(" vibration %6d\n", v + 1);
        for (int a = 0; a < atoms; ++a)
            text += a < fixed ? "     0.000000       0.000000       0.000000\n"
                              : format("%13.6f", 0.1 * (v + 1)) + format("%15.6f", -0.05 * a) +
                                    format("%15.6f\n", 0.02 * (v + a));
    }
    return text;
}

} // namespace layouts::molden
