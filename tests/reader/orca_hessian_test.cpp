// ORCA .hess files read through the reader's one face: the real ORCA 5 file of a C20
// transition state to the values printed in it, generated files in the layouts of ORCA 5 (E
// notation, 5 columns, "Int" in $ir_spectrum) and earlier versions (fixed notation, 6 columns,
// "T**2"), sections in other orders; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/vibration_files.h"

#include <cstdio>

using namespace vibrationfiles;
using testsupport::ScratchDir;

namespace {

// ORCA 5 and 6 write E notation in blocks of 5; earlier versions fixed notation in blocks of 6.
enum class Notation { exponent, fixed };

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
std::string printed(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string frequencies(const Molecule& m) {
    std::string text = "$vibrational_frequencies\n" + printed("%d\n", m.listed());
    for (int i = 0; i < m.listed(); ++i)
        text += printed("%5d", i) + printed("%16.6f\n", m.frequencies[std::size_t(i)]);
    return text + "\n";
}

std::string normalModes(const Molecule& m, Notation notation) {
    const int n3 = m.listed(), perBlock = notation == Notation::exponent ? 5 : 6;
    std::string text = "$normal_modes\n" + printed("%d ", n3) + printed("%d\n", n3);
    for (int first = 0; first < n3; first += perBlock) {
        const int last = first + perBlock < n3 ? first + perBlock : n3;
        text += "         ";
        for (int c = first; c < last; ++c)
            text += printed(notation == Notation::exponent ? "%19d" : "%11d", c);
        text += "\n";
        for (int r = 0; r < n3; ++r) {
            text += printed(notation == Notation::exponent ? "%5d     " : "%11d    ", r);
            for (int c = first; c < last; ++c)
                text += printed(notation == Notation::exponent ? "%19.10E" : "%11.6f",
                                m.vectors[std::size_t(c)][std::size_t(r)]);
            text += "\n";
        }
    }
    return text + "\n";
}

std::string atoms(const Molecule& m) {
    static const char* symbols[] = {"", "H", "He", "Li", "Be", "B", "C", "N", "O"};
    std::string text = "#\n# The atoms: label  mass x y z (in bohrs)\n#\n$atoms\n" +
                       printed("%d\n", int(m.atoms.size()));
    for (const testsupport::Atom& a : m.atoms)
        text += std::string(" ") + symbols[a.number] + printed("%13.5f", 2.0 * a.number) +
                printed("%20.12f", a.x / bohr) + printed("%19.12f", a.y / bohr) +
                printed("%19.12f\n", a.z / bohr);
    return text + "\n";
}

std::string infrared(const Molecule& m, Notation notation) {
    std::string text = notation == Notation::exponent ? "#\n#  wavenumber eps Int TX TY TZ\n#\n"
                                                      : "#\n#  wavenumber T**2 TX TY  TY\n#\n";
    text += "$ir_spectrum\n" + printed("%d\n", m.listed());
    for (int i = 0; i < m.listed(); ++i) {
        text += printed("%10.2f", m.frequencies[std::size_t(i)]);
        if (notation == Notation::exponent)
            text += printed("%13.8f", m.intensities[std::size_t(i)] / 5000);
        text += printed("%13.8f", m.intensities[std::size_t(i)]) +
                "     0.000000     0.000000     0.000000\n";
    }
    return text + "\n";
}

std::string hessFile(const Molecule& m, Notation notation) {
    return "\n$orca_hessian_file\n\n$act_atom\n  0\n\n$act_energy\n        0.000000\n\n"
           "$hessian\n" +
           printed("%d\n", m.listed()) + "      0\n    0   1.0E+00\n\n" + frequencies(m) +
           normalModes(m, notation) + atoms(m) + "$actual_temperature\n  0.000000\n\n" +
           infrared(m, notation) + "\n$end\n\n";
}

void readHess(const std::string& file, int mode) {
    reader::readVibrations(file, reader::Format::orcaHessian, mode);
}

TEST(OrcaHessian, TheRealFileReadsToItsPrintedValues) {
    // $atoms at line 1549 (bohr: -1.814904320846 is -0.960406 A), $vibrational_frequencies at
    // 748 (six 0.000000, then -328.034493, -324.565894, -321.559705), $normal_modes at 811 in
    // blocks of 5, $ir_spectrum at 1645 ("wavenumber eps Int"; entry 10 holds 11.43606420).
    expectRealFile({"orca5-c20-ts.hess",
                    reader::Format::orcaHessian,
                    std::vector<int>(20, 6),
                    {-0.960406, -0.578356, 1.662369},
                    {-3.376259, 0.206640, -1.662368},
                    54,
                    {{-0.285141, 0.100611, -0.333616},
                     {-0.026422, -0.022118, 0.173786},
                     {-0.028627, -0.150590, -0.014581}},
                    {{0.285141, -0.100610, 0.333615},
                     {0.026421, 0.022117, -0.173787},
                     {0.028629, 0.150592, 0.014579}},
                    -328.034493,
                    5,
                    11.43606420});
}

TEST(OrcaHessian, BothNotationsAndEveryShapeOfMoleculeRead) {
    ScratchDir dir;
    struct Case {
        const char* name;
        Molecule molecule;
        Notation notation;
    } cases[] = {
        {"bent transition state, ORCA 5", bentTransitionState(), Notation::exponent},
        {"linear, before ORCA 5", linearTriatomic(), Notation::fixed},
        {"linear, ORCA 5", linearTriatomic(), Notation::exponent},
        {"diatomic, before ORCA 5", diatomic(), Notation::fixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write("job.hess", hessFile(c.molecule, c.notation));
        for (int mode = 1; mode <= c.molecule.vibrations; ++mode) {
            readHess(file, mode);
            expectRead(c.molecule, mode);
        }
        expectStep(c.molecule, file, reader::Format::orcaHessian);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        for (int v = 0; v < c.molecule.vibrations; ++v)
            EXPECT_NEAR(reader::modeList.intensity[v],
                        c.molecule.intensities[std::size_t(c.molecule.first() + v)], 1e-6);
    }
}

TEST(OrcaHessian, SectionsAreFoundInAnyOrder) {
    ScratchDir dir;
    const Molecule m = linearTriatomic();
    // The atoms first; then the frequencies after the normal modes, which need a second look.
    const std::string atomsFirst = "$orca_hessian_file\n\n" + atoms(m) + frequencies(m) +
                                   normalModes(m, Notation::exponent) + "$end\n";
    const std::string frequenciesLast = "$orca_hessian_file\n\n" + normalModes(m, Notation::fixed) +
                                        atoms(m) + frequencies(m) + "$end\n";
    for (const std::string& text : {atomsFirst, frequenciesLast}) {
        const std::string file = dir.write("order.hess", text);
        for (int mode = 1; mode <= m.vibrations; ++mode) {
            readHess(file, mode);
            expectRead(m, mode);
        }
        EXPECT_FALSE(reader::modeList.hasIntensities);
    }
}

TEST(OrcaHessian, RamanActivitiesAreReadWhereTheFileHoldsThem) {
    ScratchDir dir;
    const Molecule m = diatomic();
    std::string raman = "$raman_spectrum\n6\n";
    for (int i = 0; i < 6; ++i)
        raman += printed("%14.2f", m.frequencies[std::size_t(i)]) + printed("%13.4f", 1.5 * i) +
                 "       0.7500\n";
    readHess(
        dir.write("raman.hess", replaced(hessFile(m, Notation::exponent), "$end", raman + "$end")),
        1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 7.5);
}

// Writes a .hess file of `count` grid atoms whose every vector component is 0.1 straight to
// disk: 1000 atoms give 9 million mode values.
std::string writeGridFile(const ScratchDir& dir, int count) {
    const std::string file = dir.file("grid.hess");
    std::FILE* out = std::fopen(file.c_str(), "wb");
    Molecule grid;
    grid.atoms = gridAtoms(count);
    const int n3 = 3 * count;
    std::string text = "$vibrational_frequencies\n" + std::to_string(n3) + "\n";
    for (int i = 0; i < n3; ++i)
        text += printed("%5d", i) + printed("%16.6f\n", i < 6 ? 0.0 : i - 5.0);
    text += "\n$normal_modes\n" + std::to_string(n3) + " " + std::to_string(n3) + "\n";
    std::fputs(text.c_str(), out);
    std::string row;
    for (int first = 0; first < n3; first += 6) {
        row = "         ";
        for (int c = first; c < first + 6; ++c) row += printed("%11d", c);
        std::fputs((row + "\n").c_str(), out);
        for (int r = 0; r < n3; ++r) {
            row = printed("%11d    ", r) + "   0.100000   0.100000   0.100000   0.100000   0.100000"
                                           "   0.100000\n";
            std::fwrite(row.data(), 1, row.size(), out);
        }
    }
    std::fputs(("\n" + atoms(grid) + "$end\n").c_str(), out);
    std::fclose(out);
    return file;
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::orcaHessianCases() {
    const Molecule m = bentTransitionState();
    Row row{"orca.hess", reader::Format::orcaHessian, 2};
    const std::string good = hessFile(m, Notation::exponent);
    row.good = good;
    // Mode 2 is column 7, in the second block of $normal_modes (columns 5 to 8).
    row.damages = {
        {"frequency row", "    7     1600.25", "    7     1600.2x",
         "row 7 of $vibrational_frequencies: its number and a frequency"},
        {"frequency row number", "    7     1600.25", "    9     1600.25",
         "row 7 of $vibrational_frequencies: its number and a frequency"},
        {"mode row of the vector's block", "\n    4     ", "\n    4    x",
         "row 4 of $normal_modes: its number and 4 numbers", "                  8\n"},
        {"mode row number", "\n    4     ", "\n    5     ",
         "row 4 of the $normal_modes block from column 0", "$normal_modes"},
        {"block heading", "                  5", "                  6",
         "a line numbering the $normal_modes columns from 5 (of 9)", "$normal_modes"},
        {"atom row", " H      2.00000", " Q      2.00000",
         "atom 2 of $atoms: symbol, mass and x, y, z in bohr"},
        {"IR row", "  20.25000000", "  20.25OOOOOO", "row 7 of $ir_spectrum: 5 or 6 numbers",
         "$ir_spectrum"},
        {"dimension", "\n3\n", "\nthree\n",
         "the dimension of $atoms (Molvane holds at most 1000 atoms)", "$atoms"},
    };
    Molecule fewer = m;
    fewer.frequencies.pop_back();
    row.cuts = {
        {"in the frequencies",
         cutAfter(good, "    4 ", "$vibrational_frequencies"),
         {"while the $vibrational_frequencies was read"}},
        {"in the normal modes",
         cutAfter(good, "    4 ", "$normal_modes"),
         {"while the $normal_modes was read"}},
        {"in the atoms", cutAfter(good, " H ", "$atoms"), {"while the $atoms was read"}},
        {"without atoms", cutBefore(good, "#\n# The atoms"), {"has no $atoms section"}},
        {"without normal modes",
         "$orca_hessian_file\n" + frequencies(m) + atoms(m) + "$end\n",
         {"has no $normal_modes section"}},
        {"fewer frequencies than 3 per atom",
         "$orca_hessian_file\n" + frequencies(fewer) + normalModes(m, Notation::fixed) + atoms(m) +
             "$end\n",
         {"lists 8 vibrational frequencies for its 3 atoms (3 per atom)"}},
    };
    row.thousand = [](const testsupport::ScratchDir& dir) { return writeGridFile(dir, 1000); };
    row.thousandMode = 2994;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2994);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 1.0);
        EXPECT_NEAR(reader::modeVector[999][3], 1.0 / std::sqrt(3000.0), 1e-7);
    };
    Molecule many;
    many.atoms = gridAtoms(1001);
    row.over = atoms(many);
    row.overSays = {
        ", line 5: expected the dimension of $atoms (Molvane holds at most 1000 atoms)"};
    return row;
}
