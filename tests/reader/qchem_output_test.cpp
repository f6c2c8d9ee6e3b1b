// The Q-Chem reader on what is Q-Chem's own: intensities too wide for their field, Raman
// activities, the last of several sections with the orientation before it; its row of the cases
// every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::qchem;

namespace {

TEST(QchemOutput, IntensitiesTooWideAndRamanActivities) {
    ScratchDir dir;
    const Molecule ts = water(true);
    // An intensity too wide for its field: the frequencies stand, the intensities do not.
    std::string wide = output(ts);
    wide.replace(wide.find("20.000"), 6, "******");
    Reading r = read(dir.write("wide.out", wide), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 3939.13);

    const Molecule h2o = water();
    r = read(dir.write("raman.out", banner + orientation(h2o) + analysis(h2o, true) + closing), 2);
    ASSERT_TRUE(readWell(r));
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[2], 7.5);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[2], 30.0);
    expectEntry(reader::modeVector[1], h2o, 1, 1);
}

TEST(QchemOutput, LastSectionReadWithTheOrientationBeforeIt) {
    ScratchDir dir;
    const Molecule h2o = water();
    Molecule moved = water(true);
    moved.xyz[2] = 0.2;
    // An optimisation's orientation, a first job's frequencies, the second job's orientation
    // in bohr and its frequencies, then displaced geometries as an anharmonic job prints
    // them after its harmonic section.
    Molecule displaced = h2o;
    displaced.xyz[0] = 0.5;
    const std::string text = banner + orientation(h2o) + analysis(h2o) + closing + banner +
                             orientation(moved, "Bohr", bohr) + analysis(moved) +
                             orientation(displaced) + closing;
    const Reading r = read(dir.write("two.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_NEAR(reader::geometry[0][3], 0.2, 1e-9);
    EXPECT_NEAR(reader::geometry[0][1], 0.0, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::qchemCases() {
    Row row{"qchem.out", reader::Format::qchem};
    row.good = output(water());
    row.damages = {
        {"a vector value", " 0.070 -0.070", " 0.070 -0.0x0", "the row of atom 1"},
        {"an orientation row", "    2      H ", "    2      Q ", "orientation row 2"},
        {"a frequency", "3939.13", "3939,13", "3 numbers after the row's name"},
        {"an intensity", "20.000", "20.0.0", "3 numbers after the row's name"},
        {"a missing atom row", " H         -0.020", " TransDip  -0.020", "the row of atom 2"},
        {"the block's mode numbers", " Mode:                1", " Mode:                2",
         "the mode numbers 1 and on"},
        {"the header of the displacements", "      Z       X      Y      Z  \n", "\n",
         "an \"X  Y  Z\" header for each of 3 modes"},
        {"a line that does not close the block", " TransDip  -0.000 -0.000  0.078\n\n",
         " TransDip  -0.000 -0.000  0.078\n H  0.1\n", "a blank line after the 3 atom rows", "", 1},
    };
    // Cut inside the orientation table, the section's heading, a block, and after the last
    // block (before the line that closes the section).
    for (const char* cut : {"    2      H ", " **        VIBRATIONAL FREQ", " H          0.0",
                            " STANDARD THERMODYNAMIC"})
        row.cuts.push_back({cut, cutBefore(row.good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no frequencies",
                        banner + orientation(water()) + closing,
                        {"\"VIBRATIONAL ANALYSIS\" section (it has none)"}});
    row.cuts.push_back({"no orientation",
                        std::string(banner) + analysis(water()) + closing,
                        {"a \"Standard Nuclear Orientation\" table before"}});
    row = withGrid(row, output, 3);
    row.overSays = {lineText(lineOf(row.over, "\n 1001 ") + 1), "at most 1000 atom rows"};
    return row;
}
