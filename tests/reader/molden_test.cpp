// The Molden reader on what is Molden's own: imaginary frequencies written with an "i",
// vectors before the atoms, CP2K's files and partial Hessians, another program's text after the
// last vibration; its row of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts::molden;

namespace {

void readMoldenFile(const std::string& file, int mode) {
    reader::readVibrations(file, Format::molden, mode);
}

TEST(Molden, ImaginaryFrequenciesWrittenWithAnIAreNegative) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    const std::string text =
        replaced(file(m, Writer::molden, m.first()), "-1234.56000000", " 1234.56000000i");
    readMoldenFile(dir.write("ts.molden", text), 1);
    expectRead(m, 1);
}

TEST(Molden, VectorsBeforeTheAtomsAreReadInASecondLook) {
    ScratchDir dir;
    const Molecule m = linearTriatomic();
    const std::string text = file(m, Writer::molden, m.first());
    const std::size_t coordinates = text.find("[FR-COORD]"), vectors = text.find("[FR-NORM-COORD]"),
                      intensities = text.find("[INT]");
    const std::string swapped =
        text.substr(0, coordinates) + text.substr(vectors, intensities - vectors) +
        text.substr(coordinates, vectors - coordinates) + text.substr(intensities);
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        readMoldenFile(dir.write("swapped.molden", swapped), mode);
        expectRead(m, mode);
    }
}

TEST(Molden, Cp2kFilesAndPartialHessians) {
    ScratchDir dir;
    for (int fixed : {0, 1, 2}) {
        SCOPED_TRACE(fixed);
        const std::string file = dir.write("job-VIBRATIONS-1.mol", cp2kFile(fixed));
        EXPECT_EQ(reader::recogniseFormat(file), Format::molden);
        const int active = 4 - fixed;
        const int count = fixed == 0 ? 6 : 3 * active; // all 3N listed: the smallest six go
        readMoldenFile(file, count);
        ASSERT_EQ(reader::atomCount, 4);
        EXPECT_NEAR(reader::geometry[1][2], 11.795808 * bohr, 1e-9);
        ASSERT_EQ(reader::modeList.count, count);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, fixed == 0 ? 700.5 : 100.5);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[count - 1], 2.0 * (3 * active - 1));
        // The last vibration: the held atoms still, the others as printed (at unit length).
        const int v = 3 * active - 1;
        double norm = 0.0;
        for (int a = fixed; a < 4; ++a)
            norm +=
                std::pow(0.1 * (v + 1), 2) + std::pow(0.05 * a, 2) + std::pow(0.02 * (v + a), 2);
        EXPECT_EQ(reader::modeVector[0][1],
                  fixed > 0 ? 0.0f : float(0.1 * (v + 1) / std::sqrt(norm)));
        EXPECT_NEAR(reader::modeVector[3][3], 0.02 * (v + 3) / std::sqrt(norm), 1e-6);
    }
}

TEST(Molden, TextAfterTheLastVibrationEndsTheMoldenPart) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    const std::string molden = file(m, Writer::molden, m.first());
    const std::string vectorsLast = molden.substr(0, molden.find("[INT]"));
    const std::string file = dir.write(
        "embedded.out", vectorsLast + " --> end of molden input\n  Total energy  -76.0\n[x]\n");
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        readMoldenFile(file, mode);
        expectRead(m, mode);
    }
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::moldenCases() {
    const Molecule m = bentTransitionState();
    Row row{"job.molden", Format::molden};
    const std::string good = file(m, Writer::molden, m.first());
    row.good = good;
    row.damages = {
        {"frequency", "1600.25000000", "1600.25000000 cm-1",
         "frequency 2 of [FREQ], alone on its line", "[FREQ]"},
        {"atom row", "\nH ", "\nQ ", "atom 2 of [FR-COORD]: a symbol and x, y, z in bohr",
         "[FR-COORD]"},
        {"vibration line", "vibration 2", "vibration 3",
         "the line \"vibration 2\" of [FR-NORM-COORD]"},
        {"vector row", "\n ", "\n x", "row 1 of vibration 2: dx, dy, dz", "vibration 2"},
        {"intensity", "20.250000", "20.25O000", "intensity 2 of [INT] (at most 3000)", "[INT]"},
        // Another program's text after a vibration's rows that is not the last.
        {"text before the last vibration", "vibration 3", "--> end of molden input",
         "the line \"vibration 3\" of [FR-NORM-COORD]", "", 0, false, cutBefore(good, "[INT]")},
    };
    const std::string withoutIntensities = cutBefore(good, "[INT]");
    row.cuts = {
        {"in a vector",
         withoutIntensities.substr(
             0, withoutIntensities.rfind('\n', withoutIntensities.size() - 2) + 1),
         {"holds vibration 3 of [FR-NORM-COORD] with 2 atom rows, where vibration 1 has 3"}},
        {"after a vibration line",
         cutAfter(good, "vibration 3"),
         {"holds vibration 3 of [FR-NORM-COORD] with 0 atom rows, where vibration 1 has 3"}},
        {"in the frequencies", cutAfter(good, "1600.25", "[FREQ]"), {"has no [FR-COORD] section"}},
        {"without vectors", cutBefore(good, "[FR-NORM-COORD]"), {"has no [FR-NORM-COORD] section"}},
        {"fewer vibrations than frequencies",
         replaced(good, "[FR-COORD]", "   100.0\n[FR-COORD]"),
         {"holds 3 vibrations in [FR-NORM-COORD] for 4 frequencies in [FREQ]"}},
        {"one more row after the last vibration, which is no other program's text",
         cutBefore(good, "[INT]") + "  0.1  0.2  0.3\n",
         {"holds vibration 3 of [FR-NORM-COORD] with 4 atom rows, where vibration 1 has 3"}},
        {"fewer intensities",
         cutAfter(good, "20.25", "[INT]"),
         {"lists 2 intensities in [INT] for 3 frequencies in [FREQ]"}},
    };
    row.thousand = [](const testsupport::ScratchDir& dir) {
        return dir.write("grid.molden", gridFile(1000));
    };
    row.thousandMode = 2;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2);
        EXPECT_NEAR(reader::modeVector[999][2], -1.0 / std::sqrt(3000.0), 1e-7);
        EXPECT_FALSE(reader::modeList.hasIntensities);
    };
    row.over = gridFile(1001);
    row.overSays = {": its [FR-COORD] lists more than 1000 atoms; Molvane holds at most 1000"};
    return row;
}
