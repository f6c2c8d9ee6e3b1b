// The ORCA .hess reader on what is its own: sections in any order, Raman activities; its row
// of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::orca;

namespace {

void readHess(const std::string& file, int mode) {
    reader::readVibrations(file, Format::orcaHessian, mode);
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
        raman += format("%14.2f", m.frequencies[std::size_t(i)]) + format("%13.4f", 1.5 * i) +
                 "       0.7500\n";
    readHess(
        dir.write("raman.hess", replaced(hessFile(m, Notation::exponent), "$end", raman + "$end")),
        1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 7.5);
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
    row.thousand = [](const testsupport::ScratchDir& dir) {
        writeGridHess(dir.file("grid.hess"), 1000);
        return dir.file("grid.hess");
    };
    row.thousandMode = 2994;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2994);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 1.0);
        EXPECT_NEAR(reader::modeVector[999][3], 1.0 / std::sqrt(3000.0), 1e-7);
    };
    row.over = atoms(threeOf(1001));
    row.overSays = {
        ", line 5: expected the dimension of $atoms (Molvane holds at most 1000 atoms)"};
    return row;
}
