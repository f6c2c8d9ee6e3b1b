// The ORCA output reader on what is ORCA's own: the last complete section with the geometry
// before it, Raman activities; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::orca;

namespace {

void readOrca(const std::string& file, int mode) {
    reader::readVibrations(file, Format::orcaOutput, mode);
}

TEST(OrcaOutput, TheLastCompleteSectionIsReadWithTheGeometryBeforeIt) {
    ScratchDir dir;
    const Molecule first = bentTransitionState(), second = linearTriatomic();
    Molecule moved = second;
    for (int i = 0; i < moved.atoms(); ++i) moved.xyz[std::size_t(3 * i + 2)] += 0.5;
    // An optimisation's earlier table, then two jobs, then a third job that stops before its
    // frequencies: the second job's section and its own (last) table count.
    const std::string jobs = geometryTable(second) + geometryTable(first) +
                             frequencySection(first, Version::v5) + geometryTable(second) +
                             geometryTable(moved) + frequencySection(moved, Version::v5) +
                             geometryTable(first) + "SCF not converged\n";
    readOrca(dir.write("jobs.out", jobs), 2);
    expectRead(moved, 2);

    // A frequency list with no NORMAL MODES before the next table is no section.
    const std::string unfinished =
        geometryTable(first) + frequencySection(first, Version::v5) + geometryTable(second) +
        cutAfter(frequencySection(second, Version::v5), "   8:") + "\n" + geometryTable(second);
    readOrca(dir.write("unfinished.out", unfinished), 3);
    expectRead(first, 3);
}

TEST(OrcaOutput, RamanActivitiesAreReadWhereTheFileHoldsThem) {
    ScratchDir dir;
    const Molecule m = diatomic();
    const std::string raman =
        "--------------\nRAMAN SPECTRUM  \n--------------\n\n"
        " Mode    freq (cm**-1)   Activity   Depolarization\n"
        "-------------------------------------------------------------------\n"
        "   5:      2143.50     12.718447      0.750000\n\n";
    readOrca(dir.write("raman.out", output(m, Version::v5) + raman), 1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 12.718447);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::orcaOutputCases() {
    Row row{"orca.out", Format::orcaOutput, 2};
    const std::string good = output(bentTransitionState(), Version::v5);
    row.good = good;
    row.damages = {
        {"geometry row", "  H      0.000000", "  Q      0.000000",
         "an element symbol and x, y, z in Angstroms"},
        {"frequency entry", "   7: ", "   8: ", "entry \"7:\" of the VIBRATIONAL FREQUENCIES list"},
        {"frequency count", "   8:      3700.75 cm**-1\n", "",
         "entry \"8:\" of the VIBRATIONAL FREQUENCIES list"},
        // Mode 2 is column 7, in the second block (columns 6 to 8).
        {"mode row of the vector's block", "\n      4    ", "\n      4    x",
         "row 4 of the NORMAL MODES", "          6          7"},
        {"mode row number", "\n      4    ", "\n      5    ",
         "row 4 of the NORMAL MODES block from column 0", "NORMAL MODES"},
        {"block heading", "          6          7", "          7          7",
         "a line numbering the NORMAL MODES columns from 6"},
        {"IR row", "   20.25", "   20,25", "a numbered row of the table", "IR SPECTRUM"},
        // ORCA 6: under the column numbers 0 to 8, the irreps "1-A" to "9-A", then row 0.
        {"row 0 under the irreps", "\n    0 ", "\n    x ",
         "row 0 of the NORMAL MODES: its number and 9 values", "        7-A", 0, false,
         output(bentTransitionState(), Version::v6)},
    };
    row.cutMode = 1;
    row.cuts = {
        {"in a geometry table", cutAfter(good, "  H "), {"while the rows of a CARTESIAN"}},
        {"in the frequency list", cutAfter(good, "   7:"), {"the VIBRATIONAL FREQUENCIES list"}},
        {"before the normal modes",
         cutAfter(good, "   8:") + "\n",
         {"the NORMAL MODES after the VIBRATIONAL FREQUENCIES"}},
        {"in the normal modes",
         cutAfter(good, "      3 ", "NORMAL MODES"),
         {"the NORMAL MODES block of columns 0 to 5"}},
        {"in the IR table", cutAfter(good, "   6: ", "IR SPECTRUM"), {"the IR SPECTRUM table"}},
        {"with no frequency section",
         cutBefore(good, "-----------------------\nVIB"),
         {"holds no VIBRATIONAL FREQUENCIES with NORMAL MODES"}},
    };
    row.thousand = [](const testsupport::ScratchDir& dir) {
        writeGridOutput(dir.file("grid.out"), 1000);
        return dir.file("grid.out");
    };
    row.thousandMode = 2994;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2994);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 1.0);
        EXPECT_NEAR(reader::modeVector[999][3], 1.0 / std::sqrt(3000.0), 1e-7);
        EXPECT_EQ(reader::modeVector[998][0], 1.0f);
    };
    row.over = geometryTable(threeOf(1001)) + frequencySection(diatomic(), Version::v5);
    row.overSays = {": the CARTESIAN COORDINATES (ANGSTROEM) table before the frequencies has more "
                    "than 1000 atom rows; Molvane holds at most 1000 atoms"};
    return row;
}
