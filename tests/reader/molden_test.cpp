// Molden files read through the reader's one face: the real file of Molden 5.7 to the values
// printed in it; generated files as each writes them (sections in any case,
// with blanks before them, [Atoms], [GTO] and [MO] passed over), files listing all 3N entries,
// imaginary frequencies, vectors not of unit length; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/vibration_files.h"

#include <cstdio>

using namespace vibrationfiles;
using testsupport::ScratchDir;

namespace {

// As Molden 5.7 writes the sections ("[FREQ]", vectors in fixed notation, [INT] last), or as
// OpenMolcas does (" [FREQ]" in capitals after a blank, E notation, [INT] before the atoms),
// or in mixed case.
enum class Writer { molden, openMolcas, mixedCase };

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The file of molecule m listing entries from `from` on (m.first() for the vibrations alone).
std::string moldenFile(const Molecule& m, Writer writer, int from) {
    static const char* symbols[] = {"", "H", "He", "Li", "Be", "B", "C", "N", "O"};
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
    for (int i = from; i < m.listed(); ++i) {
        freq += printed(number, m.frequencies[std::size_t(i)]) + "\n";
        intensities += printed("%12.6f\n", m.intensities[std::size_t(i)]);
    }
    std::string coordinates = section("FR-COORD");
    for (const testsupport::Atom& a : m.atoms)
        coordinates += std::string(molcas ? "  " : "") + symbols[a.number] +
                       printed(number, a.x / bohr) + printed(number, a.y / bohr) +
                       printed(number, a.z / bohr) + "\n";
    std::string vectors = section("FR-NORM-COORD");
    for (int i = from; i < m.listed(); ++i) {
        vectors += molcas ? printed(" vibration %23.0f\n", i - from + 1)
                          : printed("vibration %.0f\n", i - from + 1);
        for (std::size_t a = 0; a < m.atoms.size(); ++a)
            vectors += printed(number, m.vectors[std::size_t(i)][3 * a]) +
                       printed(number, m.vectors[std::size_t(i)][3 * a + 1]) +
                       printed(number, m.vectors[std::size_t(i)][3 * a + 2]) + "\n";
    }
    if (molcas)
        return text + section("N_FREQ") + printed("%22.0f\n", m.listed() - from) + freq +
               intensities + section("NATOM") + printed("%22.0f\n", double(m.atoms.size())) +
               coordinates + vectors;
    std::string orbitals = section("Title") + "job\n" + section("Atoms") + " Angs\n" +
                           "C 1 6 0.0 0.0 0.0\n" + section("GTO") +
                           "  1 0\n s    3 1.00\n  71.6168370  0.1543289673\n\n" + section("MO") +
                           " Sym= 1ag\n Ene= -10.0\n Spin= Alpha\n Occup= 2.0\n   1   0.99\n";
    return text + orbitals + freq + coordinates + vectors + intensities;
}

void readMoldenFile(const std::string& file, int mode) {
    reader::readVibrations(file, reader::Format::molden, mode);
}

TEST(Molden, RealFileReadsToItsPrintedValues) {
    // Molden 5.7 from a GAMESS run: [Atoms], [GTO] and [MO] first, [FREQ] at line 4068 (3N-6
    // entries), [FR-COORD] in bohr (2.67238738 is 1.414167 A), [FR-NORM-COORD] vectors of
    // length 0.56 and the like, [INT] last (vibration 9: 5.908094).
    expectRealFile({"molden5.7-dvb-ir.molden",
                    reader::Format::molden,
                    {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1},
                    {1.414167, -0.236806, 0.0},
                    {4.931922, 0.048154, 0.0},
                    54,
                    {{0.0, 0.0, -0.079500}, {0.0, 0.0, -0.089058}, {0.000335, 0.000167, 0.0}},
                    {{0.0, 0.0, 0.303736}, {0.0, 0.0, 0.092918}, {0.469839, -0.140172, 0.0}},
                    47.87,
                    9,
                    5.908094});
}

TEST(Molden, EveryWritersLayoutReadsTheMoleculeItHolds) {
    ScratchDir dir;
    // OpenMolcas-like programs list all 3N entries: six near-zero ones that are no vibration.
    Molecule listingAll = bentTransitionState();
    const double nearZero[] = {1.5, -2.5, 0.5, 3.25, -0.75, 2.0};
    for (int i = 0; i < 6; ++i) {
        listingAll.frequencies[std::size_t(i)] = nearZero[i];
        listingAll.vectors[std::size_t(i)] = listingAll.vectors[std::size_t(6 + i % 3)];
    }
    struct Case {
        const char* name;
        Molecule molecule;
        Writer writer;
        bool all; // every listed entry written, translations included
    } cases[] = {
        {"bent transition state, Molden", bentTransitionState(), Writer::molden, false},
        {"linear, OpenMolcas", linearTriatomic(), Writer::openMolcas, false},
        {"diatomic, mixed case", diatomic(), Writer::mixedCase, false},
        {"3N entries", listingAll, Writer::molden, true},
        {"linear, 3N entries", linearTriatomic(), Writer::openMolcas, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write(
            "job.molden", moldenFile(c.molecule, c.writer, c.all ? 0 : c.molecule.first()));
        for (int mode = 1; mode <= c.molecule.vibrations; ++mode) {
            readMoldenFile(file, mode);
            expectRead(c.molecule, mode);
        }
        expectStep(c.molecule, file, reader::Format::molden);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_NEAR(reader::modeList.intensity[0],
                    c.molecule.intensities[std::size_t(c.molecule.first())], 1e-6);
    }
}

TEST(Molden, ImaginaryFrequenciesWrittenWithAnIAreNegative) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    const std::string text =
        replaced(moldenFile(m, Writer::molden, m.first()), "-1234.56000000", " 1234.56000000i");
    readMoldenFile(dir.write("ts.molden", text), 1);
    expectRead(m, 1);
}

TEST(Molden, VectorsBeforeTheAtomsAreReadInASecondLook) {
    ScratchDir dir;
    const Molecule m = linearTriatomic();
    const std::string text = moldenFile(m, Writer::molden, m.first());
    const std::size_t coordinates = text.find("[FR-COORD]"), vectors = text.find("[FR-NORM-COORD]"),
                      intensities = text.find("[INT]");
    const std::string swapped =
        text.substr(0, coordinates) + text.substr(vectors, intensities - vectors) +
        text.substr(coordinates, vectors - coordinates) + text.substr(intensities);
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        readMoldenFile(dir.write("swapped.molden", swapped), mode);
        expectRead(m, mode);
    }
}

// A file of `count` grid atoms and two vibrations, every row of a vector alike.
std::string gridFile(int count) {
    std::string text = "[Molden Format]\n[FREQ]\n  100.0\n  200.0\n[FR-COORD]\n";
    for (const testsupport::Atom& a : gridAtoms(count))
        text += printed(a.number == 1 ? "H %.6f" : "C %.6f", a.x / bohr) +
                printed(" %.6f", a.y / bohr) + printed(" %.6f\n", a.z / bohr);
    text += "[FR-NORM-COORD]\n";
    const char* rows[] = {" 0.1 0.1 0.1\n", " 0.2 -0.2 0.2\n"};
    for (int v = 0; v < 2; ++v) {
        text += v == 0 ? "vibration 1\n" : "vibration 2\n";
        for (int a = 0; a < count; ++a) text += rows[v];
    }
    return text;
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::moldenCases() {
    const Molecule m = bentTransitionState();
    Row row{"job.molden", reader::Format::molden};
    const std::string good = moldenFile(m, Writer::molden, m.first());
    row.good = good;
    row.damages = {
        {"frequency", "1600.25000000", "1600.25000000 cm-1",
         "frequency 2 of [FREQ], alone on its line", "[FREQ]"},
        {"atom row", "\nH ", "\nQ ", "atom 2 of [FR-COORD]: a symbol and x, y, z in bohr",
         "[FR-COORD]"},
        {"vibration line", "vibration 2", "vibration 3",
         "the line \"vibration 2\" of [FR-NORM-COORD]"},
        {"vector row", "\n ", "\n x", "row 1 of vibration 2: dx, dy, dz", "vibration 2"},
        {"intensity", "20.250000", "20.25O000", "intensity 2 of [INT] (at most 3000)", "[INT]"},
    };
    const std::string withoutIntensities = cutBefore(good, "[INT]");
    row.cuts = {
        {"in a vector",
         withoutIntensities.substr(
             0, withoutIntensities.rfind('\n', withoutIntensities.size() - 2) + 1),
         {"holds vibration 3 of [FR-NORM-COORD] with 2 atom rows, where vibration 1 has 3"}},
        {"after a vibration line",
         cutAfter(good, "vibration 3"),
         {"holds vibration 3 of [FR-NORM-COORD] with 0 atom rows, where vibration 1 has 3"}},
        {"in the frequencies", cutAfter(good, "1600.25", "[FREQ]"), {"has no [FR-COORD] section"}},
        {"without vectors", cutBefore(good, "[FR-NORM-COORD]"), {"has no [FR-NORM-COORD] section"}},
        {"fewer vibrations than frequencies",
         replaced(good, "[FR-COORD]", "   100.0\n[FR-COORD]"),
         {"holds 3 vibrations in [FR-NORM-COORD] for 4 frequencies in [FREQ]"}},
        {"fewer intensities",
         cutAfter(good, "20.25", "[INT]"),
         {"lists 2 intensities in [INT] for 3 frequencies in [FREQ]"}},
    };
    row.thousand = [](const testsupport::ScratchDir& dir) {
        return dir.write("grid.molden", gridFile(1000));
    };
    row.thousandMode = 2;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2);
        EXPECT_NEAR(reader::modeVector[999][2], -1.0 / std::sqrt(3000.0), 1e-7);
        EXPECT_FALSE(reader::modeList.hasIntensities);
    };
    row.over = gridFile(1001);
    row.overSays = {": its [FR-COORD] lists more than 1000 atoms; Molvane holds at most 1000"};
    return row;
}
