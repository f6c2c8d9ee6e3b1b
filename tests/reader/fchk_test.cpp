// The reader of Gaussian's formatted checkpoints on what is their own: Raman activities; its
// row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::fchk;

namespace {

TEST(Fchk, RamanActivitiesAreTheFifthBlockOfVibE2) {
    ScratchDir dir;
    reader::readVibrations(dir.write("raman.fchk", file(bentTransitionState(), {0.0, 7.25, 3.5})),
                           Format::fchk, 1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[1], 7.25);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[2], 3.5);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::fchkCases() {
    const Molecule m = bentTransitionState();
    Row row{"job.fchk", reader::Format::fchk};
    const std::string good = file(m);
    row.good = good;
    row.damages = {
        {"coordinate", "E-01", "E-0l", "value 3 of a real array", "Current cartesian"},
        {"missing value", " -1.23456000E+03", "", "5 numbers of the array (42 more to come)",
         "Vib-E2"},
        {"field line", "R   N=          42", "R   N=   forty-two",
         "\"Vib-E2   R   N=\" and a count"},
        {"atomic number", "           8", "         8.0", "value 1 of an integer array",
         "Atomic numbers"},
    };
    Molecule fewerAtoms = m;
    fewerAtoms.symbols.pop_back();
    fewerAtoms.numbers.pop_back();
    row.cuts = {
        {"in Vib-Modes",
         good.substr(0, good.rfind('\n', good.find("ClPar") - 40) + 1),
         {"while the values of \"Vib-Modes\" was read"}},
        {"vectors that do not fit the atoms",
         head(fewerAtoms) + good.substr(good.find("Number of Normal Modes")),
         {"holds 27 values in Vib-Modes, not a whole number of vectors of 2 atoms"}},
        {"a count that does not fit the vectors",
         replaced(good, "Number of Normal Modes                     I                3",
                  "Number of Normal Modes                     I                4"),
         {"declares 4 normal modes and holds 3 vectors in Vib-Modes"}},
        {"without Vib-Modes", cutBefore(good, "Vib-Modes"), {"has Vib-E2 but no Vib-Modes field"}},
        // As Gaussian 09 writes a frequency job's checkpoint.
        {"without normal modes",
         head(m),
         {": holds no normal modes (no Vib-E2 and Vib-Modes fields): Gaussian 16 writes them for "
          "a frequency job, Gaussian 09 and earlier never do; read the job's output file instead"}},
    };
    row.thousand = [](const testsupport::ScratchDir& dir) {
        return dir.write("grid.fchk", gridFile(1000));
    };
    row.thousandMode = 2;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2);
        EXPECT_NEAR(reader::modeVector[999][3], -1.0 / std::sqrt(3000.0), 1e-7);
    };
    row.over = gridFile(1001);
    row.overSays = {": lists 1001 atomic numbers; Molvane holds at most 1000 atoms"};
    return row;
}
