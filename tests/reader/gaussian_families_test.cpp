// The reader on the column families of Gaussian 92 to 16 and on NoSymm jobs, as a run reads
// them: real listings read to the values printed in them, generated listings of each family,
// frozen atoms, rows and files that do not fit the family the file shows.
#include "reader/gaussian_reader.h"
#include "reader/vibrations.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int errorStatus = 255;

struct Read {
    reader::OutputLayout layout;
    int atomCount = -1;
    reader::GeometryTable geometry;
    reader::AtomTable modes[3]; // modes 1, 2 and 3N-6
    double frequency = 0.0;
};

void readAsRun(const std::string& file, Read& r) {
    reader::countAtoms(file, r.layout, r.atomCount);
    reader::readGeometry(file, r.atomCount, r.layout, r.geometry);
    const int modes[3] = {1, 2, 3 * r.atomCount - 6};
    for (int t = 0; t < 3; ++t)
        reader::readModeVector(file, reader::modeBlock(modes[t]), reader::modeColumn(modes[t]),
                               r.atomCount, r.layout, r.modes[t]);
    r.frequency = reader::readFirstFrequency(file);
}

void expectRecord(const double (&atom)[4], std::vector<double> v) {
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(atom[k], v[std::size_t(k)]) << "field " << k;
}
void expectRecord(const float (&atom)[4], std::vector<float> v) {
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(atom[k], v[std::size_t(k)]) << "field " << k;
}

// The family and the table a real listing is read in (its values: real_files_test.cpp).
TEST(RealFamilies, TheirColumnsAndTables) {
    const struct {
        const char* file;
        const char* keyword;
        reader::Family family;
    } listings[] = {{"g16-dvb-hpmodes.out", "Standard orientation:", reader::Family::gaussian09},
                    {"g03-nosymm-ts.log", "Input orientation:", reader::Family::gaussian98}};
    for (const auto& l : listings) {
        Read r;
        readAsRun(sampleFile(l.file), r);
        EXPECT_EQ(r.layout.orientationKeyword, l.keyword) << l.file;
        EXPECT_EQ(r.layout.family, l.family) << l.file;
    }
}

// Every family reads through readVibrations exactly as through the run's operations one by
// one, whatever mode is asked, and the list of vibrations has the first frequency first.
TEST(RealFamilies, ReadVibrationsReadsAsTheRunsOperations) {
    std::vector<std::string> files;
    for (const char* name : {"formaldehyde-freq.out", "water-optfreq.out", "ammonia-ts-freq.out"})
        files.push_back(exampleFile(name));
    for (const char* name : {"g03-nosymm-ts.log", "g16-dvb-hpmodes.out"})
        files.push_back(sampleFile(name));
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ASSERT_EQ(reader::recogniseFormat(file), reader::Format::gaussian);
        Read r;
        readAsRun(file, r);
        const int n = r.atomCount;
        const int modes[3] = {1, 2, 3 * n - 6};
        for (int t = 0; t < 3; ++t) {
            reader::readVibrations(file, reader::Format::gaussian, modes[t]);
            ASSERT_EQ(reader::atomCount, n);
            EXPECT_EQ(reader::modeList.count, 3 * n - 6);
            EXPECT_EQ(reader::firstFrequency, r.frequency);
            EXPECT_EQ(reader::modeList.frequency[0], r.frequency);
            reader::AtomTable again;
            reader::readVibrationVector(file, reader::Format::gaussian, modes[t], again);
            for (int i = 0; i < n; ++i)
                for (int k = 0; k < 4; ++k) {
                    EXPECT_EQ(reader::modeVector[i][k], r.modes[t][i][k]);
                    EXPECT_EQ(again[i][k], r.modes[t][i][k]);
                    EXPECT_EQ(reader::geometry[i][k], r.geometry[i][k]);
                }
        }
    }
}

const std::vector<Atom> molecule = {{6, -10.413637, 0.5, 0.0},
                                    {8, 1.25, -0.75, 100.123456},
                                    {1, -0.5, 0.943, -1.0},
                                    {17, 0.0, -0.943, 2.5}};
const std::vector<int> numbers = {6, 8, 1, 17};
// Modes 1-3 and 4-6 of each atom, dx dy dz per mode.
std::vector<std::vector<double>> displacements(int block) {
    std::vector<std::vector<double>> d;
    for (int i = 0; i < 4; ++i) {
        std::vector<double> row;
        for (int m = 0; m < 3; ++m)
            for (int k = 0; k < 3; ++k)
                row.push_back(0.01 * (block * 30 + i * 9 + m * 3 + k) - 0.4);
        d.push_back(row);
    }
    return d;
}

std::string job(Columns columns, const char* keyword = "Standard orientation:",
                const std::vector<int>& frozen = {}) {
    return orientationTable(molecule, "Input orientation:", columns) +
           orientationTable(molecule, keyword, columns) + harmonicHeading +
           modeBlock({-12.5, 20.0, 30.0}, numbers, displacements(0), columns, frozen) +
           modeBlock({40.0, 50.0, 60.0}, numbers, displacements(1), columns, frozen) + "\n";
}

// Every family's columns give back the numbers written in them.
TEST(GeneratedFamilies, EachFamilyReadsTheValuesWritten) {
    ScratchDir dir;
    const Columns families[] = {Columns::gaussian98, Columns::gaussian09, Columns::gaussian94};
    for (Columns c : families) {
        SCOPED_TRACE(int(c));
        Read r;
        readAsRun(dir.write("job.out", job(c)), r);
        EXPECT_EQ(int(r.layout.family), int(c));
        EXPECT_EQ(r.layout.orientationCount, 1);
        ASSERT_EQ(r.atomCount, 4);
        for (int i = 0; i < 4; ++i) {
            const Atom& a = molecule[std::size_t(i)];
            expectRecord(r.geometry[i], {double(a.number), a.x, a.y, a.z});
            const int modes[3] = {1, 2, 6};
            for (int t = 0; t < 3; ++t) {
                const int block = reader::modeBlock(modes[t]) - 1,
                          m = reader::modeColumn(modes[t]) - 1;
                const std::vector<double> d = displacements(block)[std::size_t(i)];
                expectRecord(r.modes[t][i], {float(numbers[std::size_t(i)]), float(d[3 * m]),
                                             float(d[3 * m + 1]), float(d[3 * m + 2])});
            }
        }
        EXPECT_DOUBLE_EQ(r.frequency, -12.5);
    }
}

TEST(GeneratedFamilies, JobsWithoutStandardOrientation) {
    ScratchDir dir;
    Read r;
    // NoSymm: the last "Input orientation:" table.
    std::string noSymm = job(Columns::gaussian98, "Input orientation:");
    readAsRun(dir.write("nosymm.out", noSymm), r);
    EXPECT_EQ(r.layout.orientationKeyword, "Input orientation:");
    EXPECT_EQ(r.layout.orientationCount, 2);
    EXPECT_DOUBLE_EQ(r.geometry[1][3], 100.123456);
    // Only a Z-matrix orientation.
    const std::string zOnly =
        orientationTable(molecule, "Z-Matrix orientation:", Columns::gaussian94) + harmonicHeading +
        modeBlock({1.0, 2.0, 3.0}, numbers, displacements(0)) +
        modeBlock({4.0, 5.0, 6.0}, numbers, displacements(1));
    readAsRun(dir.write("z.out", zOnly), r);
    EXPECT_EQ(r.layout.orientationKeyword, "Z-Matrix orientation:");
    EXPECT_EQ(r.layout.family, reader::Family::gaussian94);
    EXPECT_DOUBLE_EQ(r.geometry[0][1], -10.413637);
    // A standard orientation wins over a later input orientation.
    readAsRun(dir.write("both.out", job(Columns::gaussian09) +
                                        orientationTable({{1, 9, 9, 9}}, "Input orientation:")),
              r);
    EXPECT_EQ(r.layout.orientationKeyword, "Standard orientation:");
    EXPECT_EQ(r.atomCount, 4);
    // None of the three: the diagnostic names every keyword looked for.
    const std::string none = dir.write("none.out", " Center\n ---\n Number\n ---\n    1\n ---\n");
    EXPECT_EXIT(readAsRun(none, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*none\\.out.*\"Standard orientation:\".*\"Input orientation:\".*"
                "\"Z-Matrix orientation:\" table");
}

TEST(GeneratedFamilies, FrozenAtomsMoveByZero) {
    ScratchDir dir;
    Read r;
    readAsRun(dir.write("frozen.out", job(Columns::gaussian09, "Standard orientation:", {2, 4})),
              r);
    ASSERT_EQ(r.atomCount, 4);
    for (int t = 0; t < 3; ++t) {
        expectRecord(r.modes[t][1], {0, 0, 0, 0});
        expectRecord(r.modes[t][3], {0, 0, 0, 0});
        EXPECT_EQ(r.modes[t][2][0], 1.0f);
    }
    EXPECT_FLOAT_EQ(r.modes[2][2][1], float(displacements(1)[2][6]));
    // A table of frozen atoms only: every atom moves by zero.
    readAsRun(dir.write("all.out", job(Columns::gaussian09, "Standard orientation:", {1, 2, 3, 4})),
              r);
    for (int i = 0; i < 4; ++i) expectRecord(r.modes[0][i], {0, 0, 0, 0});
}

// The text with the first (or the last) occurrence of `from` replaced.
std::string replaced(std::string text, const std::string& from, const std::string& to,
                     bool last = false) {
    const std::size_t at = last ? text.rfind(from) : text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(GeneratedFamilies, RowsThatDoNotFitEndTheRun) {
    ScratchDir dir;
    Read r;
    const std::string g09 = job(Columns::gaussian09), g94 = job(Columns::gaussian94);
    struct Case {
        const char* name;
        std::string text;
        const char* diagnostic;
    } cases[] = {
        // Fields that are no numbers, named by the family's columns.
        {"x09.out", replaced(g09, "     1.250000", "     1.2x0000", true),
         "^\\*ERR\\* 101 .*x09\\.out, line 17, columns 35-46"},
        {"x94.out", replaced(g94, "     1.250000", "     1.2x0000", true),
         "^\\*ERR\\* 101 .*x94\\.out, line 17, columns 24-35"},
        {"dz09.out", replaced(g09, "  -0.22  -0.21  -0.20", "  -0.22  -0.21  -0.2?"),
         "^\\*ERR\\* 101 .*dz09\\.out, line .*, columns 27-33"},
        // Atom numbers outside the molecule, twice the same atom.
        {"five.out", replaced(g09, "     4  17", "     5  17"),
         "^\\*ERR\\* 109 row 4 of normal-mode block 1 of .*five\\.out is numbered 5; the "
         "molecule has no such atom"},
        {"twice.out", replaced(g09, "     4  17", "     3  17"),
         "^\\*ERR\\* 109 row 4 of normal-mode block 1 .* is numbered 3; an earlier row"},
        // Rows of another family under a table header.
        {"rows09in94.out",
         replaced(g94, "    2          8           1.250000   -0.750000  100.123456",
                  "      2          8           0        1.250000   -0.750000  100.123456", true),
         "^\\*ERR\\* 109 row 2 of the last \"Standard orientation:\" table of .* is numbered 0"},
        {"modes09in94.out", replaced(g94, "   1   6", "     1   6"),
         "^\\*ERR\\* 109 row 1 of normal-mode block 1 .* is numbered 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write(c.name, c.text);
        EXPECT_EXIT(readAsRun(file, r), testing::ExitedWithCode(errorStatus), c.diagnostic);
    }
}

TEST(GeneratedFamilies, FilesThatMixFamiliesEndTheRun) {
    ScratchDir dir;
    Read r;
    // A Gaussian 98 job and a Gaussian 16 job in one file.
    const std::string both =
        dir.write("both.out", job(Columns::gaussian98) + job(Columns::gaussian09));
    EXPECT_EXIT(readAsRun(both, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 .*both\\.out holds a normal-mode block headed \"Atom AN\" where "
                "its orientation table's columns call for \"Atom  AN\"");
    const std::string old =
        dir.write("old.out", job(Columns::gaussian09) + job(Columns::gaussian94));
    EXPECT_EXIT(readAsRun(old, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 .*old\\.out holds a normal-mode block headed \"Atom  AN\" where");
    // A Gaussian 09/16 table with Gaussian 98 mode blocks only; a Gaussian 94 table with
    // Gaussian 09/16 blocks only.
    const std::string modes98 = dir.write(
        "modes98.out", orientationTable(molecule, "Standard orientation:", Columns::gaussian09) +
                           harmonicHeading + modeBlock({1.0, 2.0, 3.0}, numbers, displacements(0)));
    EXPECT_EXIT(readAsRun(modes98, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 .*modes98\\.out holds a normal-mode block headed \"Atom AN\"");
    const std::string modes16 = dir.write(
        "modes16.out",
        orientationTable(molecule, "Standard orientation:", Columns::gaussian94) + harmonicHeading +
            modeBlock({1.0, 2.0, 3.0}, numbers, displacements(0), Columns::gaussian09));
    EXPECT_EXIT(readAsRun(modes16, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 .*modes16\\.out holds a normal-mode block headed \"Atom  AN\"");
    // No block at all: the end of the file, named with the header the table calls for.
    const std::string noBlock = dir.write(
        "noblock.out", orientationTable(molecule, "Standard orientation:", Columns::gaussian09));
    EXPECT_EXIT(readAsRun(noBlock, r), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*noblock\\.out.*\"Atom  AN\" line of normal-mode block 1 .*09/16");
}

TEST(GeneratedFamilies, Gaussian16TableOfMoreThanThousandAtoms) {
    ScratchDir dir;
    std::vector<Atom> atoms(1001, Atom{6, 1.0, 2.0, 3.0});
    const std::string file =
        dir.write("big.out", orientationTable(atoms, "Standard orientation:", Columns::gaussian09));
    Read r;
    EXPECT_EXIT(reader::countAtoms(file, r.layout, r.atomCount),
                testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 the last \"Standard orientation:\" table of .*big\\.out has more "
                "than 1000 atom rows; Molvane holds at most 1000 atoms");
    atoms.pop_back();
    const std::string full = dir.write(
        "full.out", orientationTable(atoms, "Standard orientation:", Columns::gaussian09) +
                        harmonicHeading +
                        modeBlock({1.0, 2.0, 3.0}, std::vector<int>(1000, 6),
                                  std::vector<std::vector<double>>(1000, displacements(0)[0]),
                                  Columns::gaussian09));
    reader::countAtoms(full, r.layout, r.atomCount);
    EXPECT_EQ(r.atomCount, 1000);
    reader::readGeometry(full, r.atomCount, r.layout, r.geometry);
    reader::readModeVector(full, 1, 2, r.atomCount, r.layout, r.modes[0]);
    expectRecord(r.modes[0][999], {6.0f, float(displacements(0)[0][3]),
                                   float(displacements(0)[0][4]), float(displacements(0)[0][5])});
}

} // namespace
