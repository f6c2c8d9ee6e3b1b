// The NWChem reader on what is NWChem's own: the projected table of the last analysis, the
// unprojected one read when it stands alone; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::nwchem;

namespace {

TEST(NwchemOutput, ProjectedTableOfTheLastAnalysis) {
    ScratchDir dir;
    const Molecule first = withTranslations(water(), 6);
    Molecule second = withTranslations(water(true), 6);
    second.xyz[0] = 0.25;
    // Two tasks; then the unprojected tables alone, as a first-order saddle point search
    // might leave them, read as they stand.
    Reading r = read(
        dir.write("two.out", banner + analysis(first) + closing + analysis(second) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[0], 10.0);

    r = read(
        dir.write("plain.out", banner + atomTable(first) + modeTables(first, false, 0.5) + closing),
        2);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.60);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[1], 80.5);
    expectEntry(reader::modeVector[0], first, entryOf(first, 2, 6), 0);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::nwchemCases() {
    Row row{"nwchem.out", reader::Format::nwchem};
    const Molecule h2o = withTranslations(water(), 6);
    row.good = output(h2o);
    // The last of each (the projected table's).
    row.damages = {
        {"a vector value", "           9      -0.04000", "           9      -0.04x00",
         "row 9 of a block"},
        {"a missing vector row", "           8      -0.09000", "           9      -0.09000",
         "row 8 of a block"},
        {"an atom row", "    H       2", "    H       3", "atom row 2"},
        {"a frequency", " P.Frequency ", " P.Frequency  1.2.3", "\"P.Frequency\" row of 3 numbers"},
        {"the mode numbers", "           7           8", "           8           7",
         "the mode numbers 7 and on"},
        {"an intensity row", "    4        0.020 ||", "    4        0.020 //", "intensity row 4"},
        {"the table's frequency line", "(Projected Frequencies", "(Projected Modes",
         "\"(Frequencies expressed in cm-1)\""},
        // Mode 9's last value, read only for vibrations 3 and on.
        {"a value of a mode not asked for", "000\n\n\n ------", "00x\n\n\n ------",
         "row 9 of a block"},
    };
    for (Damage& d : row.damages) d.last = true;
    // Cut in the atom table, in the projected table (the unprojected one complete before it),
    // and in the projected intensity table.
    for (const char* cut : {"    H       3", "           9      ", "    5        "})
        row.cuts.push_back(
            {cut, cutBefore(row.good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes", banner + atomTable(h2o) + closing, {"(it has none)"}});
    row.cuts.push_back({"modes first",
                        banner + modeTables(h2o, true) + closing,
                        {"an \"Atom information\" table before"}});
    row.over = output(grid(1001));
    row.overSays = {lineText(lineOf(row.over, "C     1001")), "at most 1000 atom rows"};
    return row;
}
