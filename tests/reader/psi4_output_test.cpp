// The Psi4 reader on what is Psi4's own: a section without intensities, the reference geometry
// of its finite-difference step (not the displaced one printed last), two frequency steps,
// analytic Hessians, the optimiser's own tables; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::psi4;

namespace {

TEST(Psi4Output, WithoutIntensities) {
    ScratchDir dir;
    const Molecule co2 = carbonDioxide();
    const Reading r = read(
        dir.write("quiet.out", banner + geometryTable(co2) + analysis(co2, false) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
}

TEST(Psi4Output, GeometryOfTheFrequencyStep) {
    ScratchDir dir;
    const Molecule h2o = water();
    // Psi4 1.3: the gradient at the reference, then the finite-difference heading, the
    // reference again (in bohr) and two displaced geometries; then a second frequency step;
    // then an analytic Hessian with no finite differences.
    const std::string first = banner + geometryTable(h2o, 0.5) + findif +
                              geometryTable(h2o, 0.25, true) + geometryTable(h2o, 0.001) +
                              geometryTable(h2o, -0.001) + analysis(h2o);
    Reading r = read(dir.write("one.out", first + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);

    const Molecule ts = water(true);
    const std::string second =
        first + findif + geometryTable(ts, 0.125) + geometryTable(ts, 0.126) + analysis(ts);
    r = read(dir.write("two.out", second + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.125, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);

    r = read(dir.write("three.out", second + geometryTable(h2o, 0.0625) + analysis(h2o) + closing),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.0625, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
}

TEST(Psi4Output, OptkingsGeometryIsNotPsi4s) {
    // Psi4 1.3's optimiser prints its own table, with no blank line under its heading; the
    // geometry read is still Psi4's.
    ScratchDir dir;
    const Molecule h2o = water();
    const std::string optking = "\tCartesian Geometry (in Angstrom)\n"
                                "\t    O     0.0000000000   0.0000000000   0.5000000000\n"
                                "\t    H     0.0000000000  -0.7906490000  -0.4766370000\n"
                                "\t    H     0.0000000000   0.7906490000  -0.4766370000\n\n";
    const Reading r = read(
        dir.write("opt.out", banner + geometryTable(h2o) + optking + analysis(h2o) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][3], 0.119159, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::psi4Cases() {
    Row row{"psi4.out", reader::Format::psi4};
    row.good = output(water(true));
    row.damages = {
        {"a vector value", "  0.07 -0.07", "  0.07 -0,07", "the row of atom 1"},
        {"a geometry row", "     H  ", "     Q  ", "geometry row 2"},
        {"an imaginary frequency", "1234.5600i", "1234.56i00", "3 frequencies after"},
        {"an intensity", "20.0000", "20.00.00", "3 intensities after"},
        {"an atom row's element", "      2   H", "      2   C", "the row of atom 2"},
        {"an atom row's number", "      3   H", "      4   H", "the row of atom 3"},
        {"four vibrations in a block", "  Vibration                          7",
         "  Vibration       1 2 3 4", "1 to 3 vibration numbers"},
        {"a line that does not close the block", "\n\n  ==> Thermochemistry",
         "\n      4   H   0.1\n\n  ==> Thermochemistry", "a blank line after the 3 atom rows"},
    };
    for (const char* cut : {"     H  ", "  Freq [cm^-1]", "      3   H", "  ==> Thermochemistry"})
        row.cuts.push_back({cut, cutBefore(output(water()), cut), {" ends at line", "was read"}});
    row.cuts.push_back(
        {"no frequencies", banner + geometryTable(water()) + closing, {"(it has none)"}});
    row = withGrid(row, output, 2);
    row.overSays = {"at most 1000 atom rows"};
    return row;
}
