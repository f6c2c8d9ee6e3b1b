// The readers of DALTON, MOPAC, ADF and CFOUR output on what each has of its own (DALTON's
// order and sections, MOPAC's trivial modes, ADF's geometry tables, CFOUR's columns); their rows
// of the cases every format shares; no other program's file taken for one of theirs.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts;

// --- The rows of the cases every format shares (format_cases.h) ------------------------------

using formatcases::cutBefore;
using formatcases::Row;

formatcases::Row formatcases::daltonCases() {
    Row row{"dalton.out", Format::dalton};
    row.good = dalton::output(water(true));
    row.damages = {
        {"a vector value", "    H      x    -0.070000", "    H      x    -0.07O000",
         "the x row of atom 2"},
        {"an axis", "\n    H      y    -0.020000", "\n    H      z    -0.020000",
         "the y row of atom 2"},
        {"an element", "\n    H      x    -0.040000", "\n    O      x    -0.040000",
         "the x row of atom 3"},
        {"a table frequency", "1234.56i", "1234.56j", "table row 3"},
        {"a mode number", "                1  4273", "                2  4273",
         "the header of a block of modes 1 and on"},
        {"a geometry row", " H          0.0000000000           -1.4941100707",
         " H          0.0000000000           -1.49411OO707", "geometry row 2"},
        {"a value of a mode not asked for", "0.080000\n\n\n  Interpretation",
         "0.08000x\n\n\n  Interpretation", "the z row of atom 3"},
    };
    const std::string good = dalton::output(water());
    for (const char* cut :
         {" H          0.0000000000", "   2      A", "    H      y", "    H      z"})
        row.cuts.push_back({cut, cutBefore(good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back(
        {"no normal coordinates", cutBefore(good, "  Normal Coordinates"), {"(it has none)"}});
    return formatcases::withGrid(row, dalton::output, 3);
}

formatcases::Row formatcases::mopacCases() {
    Row row{"mopac.out", Format::mopac};
    row.good = mopac::output(water(true));
    row.damages = {
        {"a vector value", "           4   -0.0200", "           4   -0.02O0", "row 4 of a block"},
        {"a row number", "           5    0.0300", "           6    0.0300", "row 5 of a block"},
        {"a root number", "   Root No.        1", "   Root No.        2",
         "the root numbers 1 and on"},
        {"no frequency row", "               -1234.6    3939.1    4272.7",
         "               -1234.6    3939.1", "a row of 3 frequencies", "", 1},
        {"a table frequency", " FREQ(I) -1234.5600", " FREQ(I) -1234.56O0",
         "frequencies after \"FREQ(I)\""},
        {"an orientation row", "     2          H", "     3          H", "orientation row 2"},
        {"a value of a mode not asked for", "0.0600\n\n\n           MASS-WEIGHTED",
         "0.060x\n\n\n           MASS-WEIGHTED", "row 9 of a block"},
    };
    const std::string good = mopac::output(water());
    for (const char* cut : {"     2          H", "   Root No.", "           5 ", "           9 "})
        row.cuts.push_back({cut, cutBefore(good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no analysis", cutBefore(good, "           NORMAL"), {"(it has none)"}});
    return formatcases::withGrid(row, mopac::output, 3);
}

formatcases::Row formatcases::adfCases() {
    Row row{"adf.out", Format::adf};
    row.good = adf::output(water(true));
    row.damages = {
        {"a vector value", "     2.H       -0.020", "     2.H       -0.O20", "the row of atom 2"},
        {"an atom label", "     2.H ", "     2.O ", "the row of atom 2"},
        {"an atom number", "     3.H ", "     2.H ", "the row of atom 3"},
        {"no rules", "\n              ------------------------      ---", "\n              x",
         "the rules under a block's frequencies"},
        {"a geometry row", "0.000000   -0.790649", "0.0O0000   -0.790649", "atom row 2", "", 0,
         true},
        {"an intensity", "0.000000\n\n\n ====", "0.00000x\n\n\n ====", "intensity row 3"},
    };
    const std::string good = adf::output(water());
    for (const char* cut : {"     2 H ", "     2.H ", "     3.H ", " List of All"})
        row.cuts.push_back({cut, cutBefore(good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes",
                        cutBefore(good, "\n ===========================\n Vibrations"),
                        {"(it has none)"}});
    return formatcases::withGrid(row, adf::output, 3);
}

formatcases::Row formatcases::cfourCases() {
    Row row{"cfour.out", Format::cfour};
    row.good = cfour::output(water(true));
    row.damages = {
        {"a vector value", " H     -0.020 0.0300", " H     -0.020 0.03O0", "the row of atom 2"},
        {"an element", " H      0.010", " O      0.010", "the row of atom 3"},
        {"a type", "VIBRATION                 VIBRATION          ",
         "VIBRATION                 VIBRATION ROTATION ", "the type of each mode"},
        {"a table row", "       10.0000       VIBRATION", "       10.0000       VIBRANT",
         "table row 3"},
        {"a coordinates row", "     H         1       0.00000000    -1.49411007",
         "     H         1       0.00000000    -1.49411O07", "coordinates row 2"},
        {"a value of a mode not asked for", "0.0600\n\n            Gradient",
         "0.060x\n\n            Gradient", "the row of atom 3"},
    };
    const std::string good = cfour::output(water());
    for (const char* cut :
         {"     H         1", "        A              3939", " H     -0.020", " H      0.010"})
        row.cuts.push_back({cut, cutBefore(good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no vectors",
                        cutBefore(good, "                                   Normal Coordinates"),
                        {"(it has none)"}});
    return formatcases::withGrid(row, cfour::output, 3, true);
}

namespace {

// --- What each format has of its own --------------------------------------------------------

TEST(MorePrograms, DaltonWithoutIntensitiesAndWithTwoSections) {
    ScratchDir dir;
    std::string text = dalton::output(water());
    // A table without the intensity columns: rows end after the hartrees.
    for (std::size_t at = text.find("  0.016160  "); at != std::string::npos;
         at = text.find("  0.016160  ", at + 1))
        text.erase(at + 10, text.find('\n', at) - at - 10);
    Reading r = read(dir.write("plain.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
    // A second job in the same file is the one read.
    r = read(dir.write("two.out", dalton::output(water()) + dalton::output(water(true))), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    expectEntry(reader::modeVector[1], water(true), 0, 1, false);
}

TEST(MorePrograms, MopacRootsTakeTheirOwnTableEntriesNotTheLargest) {
    ScratchDir dir;
    // A real vibration at 25 cm**-1, below the trivial modes at 58.64 and 68.72 the table lists
    // after it: the roots' entries are the first three, whatever their size.
    const Molecule floppy =
        molecule({"O", "H", "H"}, {8, 1, 1}, water().xyz, {25.0, 1600.0, 3700.0});
    Reading r = read(dir.write("floppy.out", mopac::output(floppy)), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 3);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 25.0);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[2], 3700.0);
    // Without LARGE there is no FREQ(I) table: the headers' frequencies, to one decimal.
    std::string text = mopac::output(water(true));
    const std::size_t table = text.find("\n   I  ");
    text.erase(table, text.find("\n\n\n           NORMAL") - table);
    r = read(dir.write("headers.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.6);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 3939.1);
}

TEST(MorePrograms, AdfGeometryFromTheLastTableAndIntensitiesThatFit) {
    ScratchDir dir;
    const Molecule ts = water(true);
    // The ATOMS table alone (four decimals).
    Reading r = read(dir.write("atoms.out", adf::banner + adf::atomsTable(ts) + adf::modes(ts)), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][3], 0.1192, 1e-9);
    // A displaced table after the last undisplaced one would be taken: the geometry is the last
    // table's (here moved by 0.25 Angstrom along x).
    r = read(dir.write("moved.out", adf::banner + adf::atomsTable(ts) + adf::cartesian(ts) +
                                        adf::cartesian(ts, 0.25) + adf::modes(ts)),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[2][1], 0.25, 1e-9);
    // An intensity table with a row too few is not matched to the vibrations.
    std::string text = adf::output(ts);
    const std::size_t last = text.rfind("            6.608474");
    text.erase(text.rfind('\n', last) + 1, text.find('\n', last) - text.rfind('\n', last));
    r = read(dir.write("short.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_EQ(reader::modeList.count, 3);
}

TEST(MorePrograms, CfourColumnsThatTouchAndModesOfOtherTypes) {
    ScratchDir dir;
    // Values of both signs fill CFOUR's fields: "-0.090-0.0900" is two numbers.
    EXPECT_EQ(cfour::row("H", {-0.09, -0.09, 0.1}), " H     -0.090-0.0900  0.1000\n");
    // A block that shows a rotation beside two vibrations: its column is passed over.
    const std::string types =
        "       VIBRATION                 VIBRATION                 VIBRATION";
    const Molecule shown =
        molecule({"O", "H", "H"}, {8, 1, 1}, water().xyz, {5.0, 1860.10, 3939.13});
    std::string withRotation = cfour::output(shown);
    withRotation.replace(withRotation.find(types), types.size(),
                         "       ROTATION                  VIBRATION                 VIBRATION");
    // The table lists 5.0 as a rotation too.
    const std::size_t row = withRotation.find("       VIBRATION \n", withRotation.find("(km/mol)"));
    withRotation.replace(row, 18, "       ROTATION  \n");
    Reading r = read(dir.write("rotation.out", withRotation), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 2);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
    expectEntry(reader::modeVector[2], shown, 1, 2, true);
}

} // namespace
