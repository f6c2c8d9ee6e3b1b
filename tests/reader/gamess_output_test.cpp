// The GAMESS reader on what is GAMESS's own: Firefly's layout with Raman activities, the unit
// the intensities are stated in, the equilibrium geometry of an optimisation; its row of the
// cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::gamess;

namespace {

TEST(GamessOutput, FireflysRamanActivities) {
    ScratchDir dir;
    const Molecule h2o = withTranslations(water(), 6);
    const std::string firefly =
        "          *      Firefly version 8.0.1, build number 8540      *\n\n" + bohrTable(h2o) +
        analysis(h2o, true) + closing;
    const Reading r = read(dir.write("firefly.out", firefly), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(r.format, reader::Format::gamess);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 10.5);
    expectEntry(reader::modeVector[1], h2o, entryOf(h2o, 1, 6), 1);
}

TEST(GamessOutput, IntensitiesInTheUnitStated) {
    ScratchDir dir;
    const Molecule h2o = withTranslations(water(), 6);
    Reading r =
        read(dir.write("km.out", banner + bohrTable(h2o) +
                                     analysis(h2o, false, "IR INTENSITIES IN KM/MOL,") + closing),
             1);
    ASSERT_TRUE(readWell(r));
    ASSERT_TRUE(reader::modeList.hasIntensities);
    EXPECT_NEAR(reader::modeList.intensity[0], 70.0 / kmPerMole, 1e-5);
    r = read(dir.write("unknown.out", banner + bohrTable(h2o) +
                                          analysis(h2o, false, "IR INTENSITIES IN FURLONGS,") +
                                          closing),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
}

TEST(GamessOutput, EquilibriumGeometryOfAnOptimisation) {
    ScratchDir dir;
    const Molecule h2o = withTranslations(water(), 6);
    // The input in bohr, two steps in Angstroms, the Hessian, then a second job.
    const std::string first = banner + bohrTable(h2o) + angstromTable(h2o, 0.5) +
                              angstromTable(h2o, 0.25) + analysis(h2o) + closing;
    Reading r = read(dir.write("opt.out", first), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);

    const Molecule ts = withTranslations(water(true), 6);
    r = read(dir.write("two.out", first + banner + bohrTable(ts) + analysis(ts) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::gamessCases() {
    Row row{"gamess.out", reader::Format::gamess};
    row.good = output(withTranslations(water(true), 6));
    row.damages = {
        {"a vector value", "X -0.05000000", "X -0.05O00000", "the X row of atom 1"},
        {"an axis", "\n                   Y", "\n                   Z", "the Y row of atom 1"},
        {"an atom number", "  2   H", "  3   H", "the X row of atom 2"},
        {"a frequency", "   1234.56 I", "   1234.56 J", "frequencies after \"FREQUENCY:\""},
        {"six frequencies", "       FREQUENCY:  ", "       FREQUENCY:        1.00  ",
         "1 to 5 frequencies"},
        {"an intensity", "    IR INTENSITY:  ", "    IR INTENSITY:  x", "5 numbers after"},
        {"a nuclear charge", " H           1.0", " H           1.5", "geometry row 2"},
        {"too few modes", "                          6", " ......END OF NORMAL COORDINATE ANALYSIS",
         "all 3N = 9 modes before the end"},
        // Mode 9's last value, read only for vibrations 3 and on.
        {"a value of a mode not asked for", "000\n\n TRANS. SAYVETZ", "00x\n\n TRANS. SAYVETZ",
         "the Z row of atom 3", "", 0, true},
    };
    const Molecule h2o = withTranslations(water(), 6);
    // Cut in the geometry, before the first block, in a block's rows, between blocks.
    for (const char* cut : {" H           1.0", "       FREQUENCY:", "  3   H", " TRANS."})
        row.cuts.push_back({cut, cutBefore(output(h2o), cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes", banner + bohrTable(h2o) + closing, {"(it has none)"}});
    row.cuts.push_back(
        {"modes first", banner + analysis(h2o) + closing, {"a geometry table before"}});
    row.over = banner + angstromTable(grid(1001)) + closing;
    row.overSays = {lineText(lineOf(row.over, "\n C ") + 1001), "at most 1000 atom rows"};
    return row;
}
