// "newcoordinates.xyz": the exact bytes of the table, the widest values its columns hold,
// rewriting, and the run's end on a value too wide or a file that cannot be written.
#include "export/displaced_geometry.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>
#include <unistd.h>

using testsupport::ScratchDir;

namespace {

reader::GeometryTable geometry;
reader::AtomTable modeVector;

void setAtom(int i, double number, double x, double y, double z, float dx, float dy, float dz) {
    double* g = geometry[i];
    g[0] = number, g[1] = x, g[2] = y, g[3] = z;
    float* m = modeVector[i];
    m[0] = 0.0f, m[1] = dx, m[2] = dy, m[3] = dz;
}

const std::string rule = std::string(54, '-') + "\r\n";
const std::string heading = rule +
                            "Center     Atomic          Coordinates (Angstroms)    \r\n"
                            "Number     Number           X          Y          Z   \r\n" +
                            rule;

// Runs each test in its own scratch directory, where the file is written.
class Export : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
        ASSERT_EQ(chdir(dir_.path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(home_), 0); }
    std::string written() const { return dir_.read("newcoordinates.xyz"); }
    ScratchDir dir_;

  private:
    char home_[4096];
};

} // namespace

TEST_F(Export, RowsSubtractTheDisplacementInDoublePrecision) {
    setAtom(0, 6, 1.0, -2.0, 0.5, -0.07f, 0.2f, -0.3f);
    // 0.1 - 0.1f is about -1.5e-9: zero without a minus sign. 9.9999996 rounds to 10.000000,
    // which a single-precision difference (9.99999905) would not.
    setAtom(1, 1, 0.1, -9.999999, 9.9999996, 0.1f, 0.0f, 0.0f);
    // Wider values take the blanks in front of their field, one blank always left.
    setAtom(2, 8, -10.2, 123.4, 0.0, 0.0f, 0.0f, 0.5f);
    // The double nearest -9.9999995 lies just above it; -0.0078125 is an exact tie.
    setAtom(3, 1, -9.9999995, -10.0, -99.9999994, 0.0f, 0.0f, 0.0f);
    setAtom(4, 6, 999.9999994, 20.0, -0.0078125, 0.0f, 0.0f, 0.0f);
    geomexport::writeDisplacedGeometry(geometry, 5, modeVector);
    EXPECT_EQ(written(), heading +
                             "    1         6.        1.070000  -2.200000   0.800000\r\n"
                             "    2         1.        0.000000  -9.999999  10.000000\r\n"
                             "    3         8.      -10.200000 123.400000  -0.500000\r\n"
                             "    4         1.       -9.999999 -10.000000 -99.999999\r\n"
                             "    5         6.      999.999999  20.000000  -0.007813\r\n" +
                             rule);
}

TEST_F(Export, AValueLeavingNoBlankEndsTheRunBeforeTheFileIsOpened) {
    setAtom(0, 6, 1.0, 1.0, 1.0, 0.0f, 0.0f, 0.0f);
    dir_.write("newcoordinates.xyz", "older\n");
    setAtom(1, 1, 0.0, -99.9999996, 0.0, 0.0f, 0.0f, 0.0f);
    EXPECT_EXIT(geomexport::writeDisplacedGeometry(geometry, 2, modeVector),
                testing::ExitedWithCode(255),
                "^\\*ERR\\* 110 newcoordinates\\.xyz not written: the displaced y coordinate of "
                "atom 2 is -100\\.000000, outside the -99\\.999999 to 999\\.999999 its column "
                "holds\r\n$");
    // 999.9999996 reaches it only after the subtraction: 1000 - 0.0000004.
    setAtom(1, 1, 0.0, 0.0, 1000.0, 0.0f, 0.0f, 0.0000004f);
    EXPECT_EXIT(geomexport::writeDisplacedGeometry(geometry, 2, modeVector),
                testing::ExitedWithCode(255),
                "^\\*ERR\\* 110 .* z coordinate of atom 2 is 1000\\.000000,");
    EXPECT_EQ(written(), "older\n");
}

TEST_F(Export, NoAtomsAndRewritingAFileWithFewerAtoms) {
    setAtom(0, 7, 0.0, 0.0, 0.0, 0.0f, 0.0f, -0.12f);
    setAtom(1, 1, 0.0, 0.9953, 0.0, 0.0f, 0.0f, 0.57f);
    dir_.write("newcoordinates.xyz", std::string(5000, 'x') + "\n");
    geomexport::writeDisplacedGeometry(geometry, 2, modeVector);
    ASSERT_EQ(written().size(), 7u * 56u);
    geomexport::writeDisplacedGeometry(geometry, 1, modeVector);
    EXPECT_EQ(written(),
              heading + "    1         7.        0.000000   0.000000   0.120000\r\n" + rule);
    geomexport::writeDisplacedGeometry(geometry, 0, modeVector);
    EXPECT_EQ(written(), heading + rule);
}

TEST_F(Export, AFileThatCannotBeWrittenEndsTheRun) {
    ASSERT_TRUE(std::filesystem::create_directory(dir_.file("newcoordinates.xyz")));
    EXPECT_EXIT(geomexport::writeDisplacedGeometry(geometry, 1, modeVector),
                testing::ExitedWithCode(255), "^\\*ERR\\* 105 .*newcoordinates\\.xyz");
}
