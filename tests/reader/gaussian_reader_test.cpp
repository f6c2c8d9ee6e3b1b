// The Gaussian reader through the operations a run calls: the bundled examples and small inline
// listings of Gaussian 98; the column families of Gaussian 92 to 16 and NoSymm jobs (real
// listings and generated ones of each family, frozen atoms, rows and files that do not fit the
// family the file shows).
#include "reader/gaussian_reader.h"
#include "reader/vibrations.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int errorStatus = 255;

// Everything one run reads, as the dialogue reads it: one mode (readAll), or modes 1, 2 and
// 3N-6 (readAsRun).
struct Read {
    reader::OutputLayout layout;
    int atomCount = -1;
    reader::GeometryTable geometry;
    reader::AtomTable modeVector;
    reader::AtomTable modes[3];
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

void readAll(const std::string& file, int mode, Read& r) {
    EXPECT_EQ(reader::recogniseFormat(file), reader::Format::gaussian) << file;
    reader::countAtoms(file, r.layout, r.atomCount);
    reader::readGeometry(file, r.atomCount, r.layout, r.geometry);
    reader::readModeVector(file, reader::modeBlock(mode), reader::modeColumn(mode), r.atomCount,
                           r.layout, r.modeVector);
    r.frequency = reader::readFirstFrequency(file);
}

// The layout of a file read in the Gaussian 98 columns whose last "Standard orientation:"
// table is the count-th, for reading one part without counting first.
reader::OutputLayout tables(int count) {
    reader::OutputLayout layout;
    layout.orientationCount = count;
    return layout;
}
const reader::OutputLayout gaussian98 = tables(0);

void expectAtom(const double (&atom)[4], double number, double x, double y, double z) {
    EXPECT_EQ(atom[0], number);
    EXPECT_DOUBLE_EQ(atom[1], x);
    EXPECT_DOUBLE_EQ(atom[2], y);
    EXPECT_DOUBLE_EQ(atom[3], z);
}

void expectMode(const float (&atom)[4], float number, float dx, float dy, float dz) {
    EXPECT_EQ(atom[0], number);
    EXPECT_FLOAT_EQ(atom[1], dx);
    EXPECT_FLOAT_EQ(atom[2], dy);
    EXPECT_FLOAT_EQ(atom[3], dz);
}

const std::vector<Atom> water = {
    {8, 0.0, 0.0, 0.117}, {1, 0.0, 0.757, -0.469}, {1, 0.0, -0.757, -0.469}};
const std::vector<int> waterNumbers = {8, 1, 1};
const std::vector<std::vector<double>> waterModes = {
    {0.00, 0.00, -0.07, 0.00, 0.00, 0.05, 0.00, -0.07, 0.00},
    {0.00, 0.43, 0.56, 0.00, 0.58, -0.40, 0.00, 0.55, -0.44},
    {0.00, -0.43, 0.56, 0.00, -0.58, -0.40, 0.00, 0.55, 0.44}};

std::string waterFreq(double firstFrequency) {
    return orientationTable(water) + harmonicHeading +
           modeBlock({firstFrequency, 3866.1598, 3976.5311}, waterNumbers, waterModes) +
           " Normal termination of Gaussian 98.\n";
}

} // namespace

TEST(BundledExamples, FormaldehydeGivesFourAtomsAndSecondBlockModes) {
    Read r;
    readAll(exampleFile("formaldehyde-freq.out"), 4, r);
    EXPECT_EQ(r.layout.orientationCount, 1);
    EXPECT_EQ(r.atomCount, 4);
    expectAtom(r.geometry[0], 6, 0.0, 0.0, -0.603198);
    expectAtom(r.geometry[3], 1, 0.0, -0.939359, -1.194744);
    // Mode 4 is block 2, column 1.
    expectMode(r.modeVector[0], 6, 0.00f, 0.00f, 0.21f);
    expectMode(r.modeVector[2], 1, 0.00f, -0.53f, -0.44f);
    EXPECT_DOUBLE_EQ(r.frequency, 1209.5589);

    reader::readModeVector(exampleFile("formaldehyde-freq.out"), 2, 3, 4, r.layout, r.modeVector);
    expectMode(r.modeVector[0], 6, 0.00f, -0.11f, 0.00f);
    expectMode(r.modeVector[3], 1, 0.00f, 0.61f, 0.36f);
}

TEST(BundledExamples, OptimisationThenFrequencyTakesTheLastTable) {
    Read r;
    readAll(exampleFile("water-optfreq.out"), 3, r);
    EXPECT_EQ(r.layout.orientationCount, 5);
    EXPECT_EQ(r.atomCount, 3);
    expectAtom(r.geometry[1], 1, 0.0, 0.761703, -0.531364);
    expectMode(r.modeVector[1], 1, 0.00f, 0.55f, -0.44f);
    EXPECT_DOUBLE_EQ(r.frequency, 1688.7652);
}

TEST(BundledExamples, TransitionStateHasANegativeFirstFrequency) {
    Read r;
    readAll(exampleFile("ammonia-ts-freq.out"), 1, r);
    EXPECT_EQ(r.atomCount, 4);
    EXPECT_DOUBLE_EQ(r.frequency, -905.0292);
    expectMode(r.modeVector[0], 7, 0.00f, 0.00f, -0.12f);
}

TEST(Geometry, WideNegativeCoordinatesKeepTheirSign) {
    // Gaussian fills x, y, z in columns 35-46, 47-58, 59-70: the sign of z <= -10, y <= -100
    // and x <= -1000 stands left of the narrower windows 36-46, 49-59, 62-72.
    ScratchDir dir;
    const std::string file =
        dir.write("wide.out", orientationTable({{6, -1000.123456, -100.25, -10.413637},
                                                {8, 99.5, 999.000001, -9.999999}}));
    reader::OutputLayout layout;
    int n = 0;
    reader::countAtoms(file, layout, n);
    ASSERT_EQ(n, 2);
    reader::GeometryTable geometry;
    reader::readGeometry(file, n, layout, geometry);
    expectAtom(geometry[0], 6, -1000.123456, -100.25, -10.413637);
    expectAtom(geometry[1], 8, 99.5, 999.000001, -9.999999);
}

TEST(Geometry, RowsInTheNarrowColumnsReadTheSame) {
    // Rows written by (13X,F3.0,19X,F11.8,2X,F11.8,2X,F11.8): the columns the wider windows
    // add are blank.
    ScratchDir dir;
    const std::string rule = " " + std::string(69, '-') + "\n";
    const std::string file =
        dir.write("narrow.out",
                  " Standard orientation:\n" + rule + " header\n header\n" + rule +
                      "              24                   -1.11153200   1.97012500  -0.87756500\n"
                      "               8                    0.00001800  -1.97012500   1.11153200\n" +
                      rule);
    reader::GeometryTable geometry;
    reader::OutputLayout layout = tables(1);
    reader::readGeometry(file, 2, layout, geometry);
    expectAtom(geometry[0], 24, -1.111532, 1.970125, -0.877565);
    expectAtom(geometry[1], 8, 0.000018, -1.970125, 1.111532);
}

TEST(Geometry, LastOfSeveralTablesAndModesOfTheFirstJob) {
    // Two frequency jobs: the geometry comes from the last orientation table, the modes
    // and the first frequency from the first job's blocks.
    ScratchDir dir;
    const std::string file = dir.write(
        "twojobs.out",
        orientationTable({{8, 0, 0, 0.1}, {1, 0, 0.7, -0.4}, {1, 0, -0.7, -0.4}}) +
            harmonicHeading + modeBlock({1600.0, 3800.0, 3900.0}, waterNumbers, waterModes) +
            orientationTable({{8, 0, 0, 0.2}, {1, 0, 0.8, -0.5}, {1, 0, -0.8, -0.5}}) +
            " Z-Matrix orientation:\n standard orientation:\n" + harmonicHeading +
            modeBlock({-50.0, 3700.0, 3800.0}, waterNumbers,
                      {{0.1, 0.1, 0.1, 0, 0, 0, 0, 0, 0},
                       {0.2, 0.2, 0.2, 0, 0, 0, 0, 0, 0},
                       {0.3, 0.3, 0.3, 0, 0, 0, 0, 0, 0}}));
    Read r;
    readAll(file, 2, r);
    EXPECT_EQ(r.layout.orientationCount, 2);
    EXPECT_EQ(r.atomCount, 3);
    expectAtom(r.geometry[0], 8, 0, 0, 0.2);
    expectAtom(r.geometry[2], 1, 0, -0.8, -0.5);
    expectMode(r.modeVector[1], 1, 0.00f, 0.58f, -0.40f);
    EXPECT_DOUBLE_EQ(r.frequency, 1600.0);
}

TEST(Geometry, EmptyTableGivesNoAtomsAndTablesStopAtCapacity) {
    ScratchDir dir;
    reader::OutputLayout layout;
    int n = -1;
    reader::countAtoms(dir.write("empty.out", orientationTable({})), layout, n);
    EXPECT_EQ(layout.orientationCount, 1);
    EXPECT_EQ(n, 0);

    std::vector<Atom> atoms(reader::atomCapacity, Atom{6, 1.0, 2.0, 3.0});
    atoms.back() = {1, -4.5, 5.5, -6.5};
    const std::string file = dir.write("full.out", orientationTable(atoms));
    reader::countAtoms(file, layout, n);
    ASSERT_EQ(n, reader::atomCapacity);
    reader::GeometryTable geometry;
    reader::readGeometry(file, n, layout, geometry);
    expectAtom(geometry[reader::atomCapacity - 1], 1, -4.5, 5.5, -6.5);
}

TEST(Keywords, LowerCaseAndLateKeywordsAreNotFound) {
    // A keyword in lower case, or one reaching past column 100, is not found; neither is
    // "ATOM AN" for "Atom AN".
    ScratchDir dir;
    const std::string late(80, ' ');
    const std::string file = dir.write(
        "keys.out", orientationTable({{1, 0, 0, 0.37}, {1, 0, 0, -0.37}}) + late +
                        "Standard orientation:\n standard orientation:\n" + harmonicHeading +
                        " ATOM AN      X      Y      Z\n   1   1     9.00   9.00   9.00\n" +
                        modeBlock({4400.0}, {1, 1}, {{0, 0, 0.71}, {0, 0, -0.71}}));
    Read r;
    reader::countAtoms(file, r.layout, r.atomCount);
    EXPECT_EQ(r.layout.orientationCount, 1);
    EXPECT_EQ(r.atomCount, 2);
    reader::readModeVector(file, 1, 1, 2, r.layout, r.modeVector);
    expectMode(r.modeVector[0], 1, 0.0f, 0.0f, 0.71f);
}

TEST(Modes, ShortRowsReadAsZeroForLaterColumns) {
    ScratchDir dir;
    const std::string file = dir.write("short.out", " Atom AN      X      Y      Z\n"
                                                    "   1   6     0.10   0.20   0.30     0.40\n");
    reader::AtomTable modes;
    reader::readModeVector(file, 1, 3, 1, gaussian98, modes);
    expectMode(modes[0], 6, 0.0f, 0.0f, 0.0f);
    reader::readModeVector(file, 1, 2, 1, gaussian98, modes);
    expectMode(modes[0], 6, 0.40f, 0.0f, 0.0f);
}

TEST(Frequencies, HighPrecisionLinesArePassedOverAndZeroIsNotNegative) {
    ScratchDir dir;
    const std::string hp = std::string(harmonicHeading) +
                           "       Frequencies --- -1407.9574\n"
                           "    Reduced masses ---     1.0078\n" +
                           harmonicHeading + " Frequencies -- -1407.9574\n";
    EXPECT_DOUBLE_EQ(reader::readFirstFrequency(dir.write("hp.out", hp)), -1407.9574);
    EXPECT_DOUBLE_EQ(reader::readFirstFrequency(dir.write("zero.out", waterFreq(0.0))), 0.0);
    // "Frequencies --" before the heading does not count.
    EXPECT_DOUBLE_EQ(reader::readFirstFrequency(dir.write(
                         "before.out", " Frequencies --   -12.0000\n" + waterFreq(1595.0))),
                     1595.0);
}

TEST(LineEnds, CarriageReturnLineFeedReadsLikeLineFeed) {
    std::string crlf;
    for (char c : waterFreq(1668.2293)) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    ScratchDir dir;
    Read lf, dos;
    readAll(dir.write("lf.out", waterFreq(1668.2293)), 3, lf);
    readAll(dir.write("crlf.out", crlf), 3, dos);
    EXPECT_EQ(dos.atomCount, 3);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(dos.geometry[i][k], lf.geometry[i][k]);
            EXPECT_EQ(dos.modeVector[i][k], lf.modeVector[i][k]);
        }
    EXPECT_EQ(dos.frequency, 1668.2293);
}

// Failures end the run with one "*ERR*" line on standard error and status -1.
TEST(ReaderFailures, MissingPartsNameWhatWasMissing) {
    ScratchDir dir;
    reader::OutputLayout layout;
    int n = 0;
    reader::GeometryTable geometry;
    reader::AtomTable modes;

    const std::string none =
        dir.write("none.out", " Gaussian orientation\n" + std::string(70, '-') + "\n");
    EXPECT_EXIT(reader::countAtoms(none, layout, n), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*none\\.out.*Standard orientation:.*has none");
    // A file without a keyword but with rules: the count passes, the geometry read fails.
    const std::string rules =
        dir.write("rules.out", orientationTable({{1, 0, 0, 0}, {1, 0, 0, 1}}, "Other orientation"));
    reader::countAtoms(rules, layout, n);
    EXPECT_EQ(layout.orientationCount, 0);
    EXPECT_EXIT(reader::readGeometry(rules, n, layout, geometry),
                testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*Standard orientation:.*Input orientation:");

    const std::string header = dir.write("header.out", " Standard orientation:\n -----\n");
    EXPECT_EXIT(reader::countAtoms(header, layout, n), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*header\\.out.*rule lines");
    const std::string table = orientationTable({{1, 0, 0, 0}});
    const std::string unclosed = dir.write("unclosed.out", table.substr(0, table.rfind(" ---")));
    EXPECT_EXIT(reader::countAtoms(unclosed, layout, n), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*no rule line closes it");

    const std::string file = dir.write("water.out", waterFreq(1600.0));
    EXPECT_EXIT(reader::readModeVector(file, 2, 1, 3, gaussian98, modes),
                testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*water\\.out.*\"Atom AN\" line of normal-mode block 2");
    const std::string full = waterFreq(1600.0);
    const std::string cut = dir.write("cut.out", full.substr(0, full.rfind("   3   1")));
    EXPECT_EXIT(reader::readModeVector(cut, 1, 1, 3, gaussian98, modes),
                testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*rows of normal-mode block 1");

    const std::string noHeading = dir.write("noheading.out", orientationTable(water));
    EXPECT_EXIT(reader::readFirstFrequency(noHeading), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*\"Harmonic frequencies\" heading");
    const std::string noLine = dir.write("noline.out", std::string(harmonicHeading) +
                                                           "       Frequencies --- -1407.9574\n");
    EXPECT_EXIT(reader::readFirstFrequency(noLine), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 104 .*\"Frequencies --\" line");
}

TEST(ReaderFailures, GarbageInAFieldIsAConversionError) {
    ScratchDir dir;
    std::string text = orientationTable(water);
    text.replace(text.find("0.757000"), 8, "0.75,000");
    const std::string file = dir.write("comma.out", text);
    reader::GeometryTable geometry;
    reader::OutputLayout layout = tables(1);
    EXPECT_EXIT(reader::readGeometry(file, 3, layout, geometry),
                testing::ExitedWithCode(errorStatus), "^\\*ERR\\* 101 .*comma\\.out");
    const std::string freq =
        dir.write("freq.out", std::string(harmonicHeading) + " Frequencies --   abc\n");
    EXPECT_EXIT(reader::readFirstFrequency(freq), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 101 .*freq\\.out");
}

TEST(ReaderFailures, MoreThanCapacityAtomsIsRejectedBeforeAnyTableIsFilled) {
    ScratchDir dir;
    const std::string file = dir.write(
        "big.out", orientationTable(std::vector<Atom>(reader::atomCapacity + 1, Atom{6, 0, 0, 0})));
    reader::OutputLayout layout;
    int n = 0;
    EXPECT_EXIT(reader::countAtoms(file, layout, n), testing::ExitedWithCode(errorStatus),
                "^\\*ERR\\* 109 .*big\\.out.*more than 1000");
    // An earlier, larger table does not matter: only the last one is read.
    const std::string earlier =
        dir.write("earlier.out", orientationTable(std::vector<Atom>(1500, Atom{6, 0, 0, 0})) +
                                     orientationTable(water));
    reader::countAtoms(earlier, layout, n);
    EXPECT_EQ(n, 3);
}

// What real listings showed, in listings written here: a diatomic whose high-precision modes
// come first, with a negative frequency; a CR LF file without modes.
TEST(WrittenListings, HighPrecisionDiatomicWithNegativeFrequency) {
    ScratchDir dir;
    const std::string file = dir.write(
        "h2.log", orientationTable({{1, 0, 0, 0.5}, {1, 0, 0, -0.5}}) + harmonicHeading +
                      "       Frequencies --- -1407.9574\n    Reduced masses ---     1.0078\n" +
                      harmonicHeading +
                      modeBlock({-1407.9574}, {1, 1}, {{0, 0, 0.71}, {0, 0, -0.71}}));
    reader::OutputLayout layout;
    int n = 0;
    reader::countAtoms(file, layout, n);
    EXPECT_EQ(n, 2);
    EXPECT_DOUBLE_EQ(reader::readFirstFrequency(file), -1407.9574);
}

TEST(WrittenListings, CarriageReturnFileWithoutModes) {
    std::string crlf;
    for (char c : orientationTable(water) + " Normal termination of Gaussian 98.\n")
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ScratchDir dir;
    const std::string file = dir.write("crlf-nofreq.out", crlf);
    reader::OutputLayout layout;
    int n = 0;
    reader::countAtoms(file, layout, n);
    EXPECT_EQ(layout.orientationCount, 1);
    EXPECT_EQ(n, 3);
    reader::GeometryTable geometry;
    reader::readGeometry(file, n, layout, geometry);
    expectAtom(geometry[1], 1, 0.0, 0.757, -0.469);
    reader::AtomTable modes;
    EXPECT_EXIT(reader::readModeVector(file, 1, 1, n, layout, modes),
                testing::ExitedWithCode(errorStatus), "^\\*ERR\\* 104 .*\"Atom AN\" line");
}

namespace {

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
