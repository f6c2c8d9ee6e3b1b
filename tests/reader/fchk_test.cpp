// Gaussian formatted checkpoint files read through the reader's one face: the real Gaussian 16
// file of divinylbenzene to the values printed in it; generated files (linear molecules, diatomics,
// Raman activities); a Gaussian 09 file without normal modes; its row of the cases every format
// shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/vibration_files.h"

#include <cstdio>

using namespace vibrationfiles;
using testsupport::ScratchDir;

namespace {

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A field as Gaussian writes it: the name in 43 columns, the type, then "N=" and the count of
// an array, whose values follow 6 integers (6I12) or 5 reals (5E16.8) a line.
std::string field(const std::string& name, char type, int value) {
    char head[100];
    std::snprintf(head, sizeof head, "%-43s%c%17d\n", name.c_str(), type, value);
    return head;
}
std::string array(const std::string& name, const std::vector<double>& values, bool integers) {
    char head[100];
    std::snprintf(head, sizeof head, "%-43s%c   N=%12d\n", name.c_str(), integers ? 'I' : 'R',
                  int(values.size()));
    std::string text = head;
    const std::size_t perLine = integers ? 6 : 5;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += integers ? printed("%12.0f", values[i]) : printed("%16.8E", values[i]);
        if (i % perLine == perLine - 1 || i + 1 == values.size()) text += "\n";
    }
    return text;
}

std::string fchkHead(const Molecule& m) {
    std::vector<double> numbers, coordinates;
    for (const testsupport::Atom& a : m.atoms) {
        numbers.push_back(a.number);
        for (double c : {a.x, a.y, a.z}) coordinates.push_back(c / bohr);
    }
    return "Title Card Required\nFreq      RB3LYP                                 STO-3G\n" +
           field("Number of atoms", 'I', int(m.atoms.size())) + field("Charge", 'I', 0) +
           array("Atomic numbers", numbers, true) + array("Nuclear charges", numbers, false) +
           array("Current cartesian coordinates", coordinates, false) +
           array("Alpha MO coefficients", {0.5, -0.25, 0.125, 1.0}, false);
}

// The vibration fields: Vib-E2 holds 14 blocks of one value a vibration (frequencies, reduced
// masses, force constants, IR intensities, Raman activities, ...), Vib-Modes the vectors.
std::string fchkFile(const Molecule& m, const std::vector<double>& raman = {}) {
    const int v = m.vibrations;
    std::vector<double> e2(std::size_t(14 * v), 0.0), modes;
    for (int i = 0; i < v; ++i) {
        e2[std::size_t(i)] = m.frequencies[std::size_t(m.first() + i)];
        e2[std::size_t(v + i)] = 1.5;
        e2[std::size_t(3 * v + i)] = m.intensities[std::size_t(m.first() + i)];
        if (!raman.empty()) e2[std::size_t(4 * v + i)] = raman[std::size_t(i)];
        for (double c : m.vectors[std::size_t(m.first() + i)]) modes.push_back(c);
    }
    return fchkHead(m) + field("Number of Normal Modes", 'I', v) + field("Vib-LE2Fix", 'I', 14) +
           array("Vib-E2", e2, false) + array("Vib-Modes", modes, false) +
           array("ClPar Real Params", {1.0, 2.0}, false);
}

void readCheckpoint(const std::string& file, int mode) {
    reader::readVibrations(file, reader::Format::fchk, mode);
}

TEST(Fchk, RealFileReadsToItsPrintedValues) {
    // Gaussian 16 A.03: "Atomic numbers" at line 20, "Current cartesian coordinates" at 30
    // (bohr: 5.09177602E-01 is 0.269445 A), "Number of Normal Modes" 54, Vib-E2 at 3764 (54
    // frequencies, then reduced masses, force constants, IR intensities: vibration 9 holds
    // 5.80386187), Vib-Modes at 3917.
    expectRealFile({"g16-dvb-ir.fchk",
                    reader::Format::fchk,
                    {6, 6, 6, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1, 6, 1, 6, 1, 1, 6, 1},
                    {0.269445, 1.410118, 0.0},
                    {2.364759, 0.813041, 0.0},
                    54,
                    {{0.0, 0.0, -0.080738}, {0.0, 0.0, 0.085086}, {0.000154, -0.000352, 0.0}},
                    {{0.0, 0.0, -0.112494}, {0.0, 0.0, -0.083288}, {0.000692, 0.000262, 0.0}},
                    53.1980918,
                    9,
                    5.80386187});
}

TEST(Fchk, EveryShapeOfMoleculeReads) {
    ScratchDir dir;
    for (const Molecule& m : {bentTransitionState(), linearTriatomic(), diatomic()}) {
        const std::string file = dir.write("job.fchk", fchkFile(m));
        for (int mode = 1; mode <= m.vibrations; ++mode) {
            readCheckpoint(file, mode);
            expectRead(m, mode);
        }
        expectStep(m, file, reader::Format::fchk);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[0], m.intensities[std::size_t(m.first())]);
        EXPECT_FALSE(reader::modeList.hasRaman); // the Raman block is all zero
    }
}

TEST(Fchk, RamanActivitiesAreTheFifthBlockOfVibE2) {
    ScratchDir dir;
    readCheckpoint(dir.write("raman.fchk", fchkFile(bentTransitionState(), {0.0, 7.25, 3.5})), 1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[1], 7.25);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[2], 3.5);
}

// A checkpoint of `count` grid atoms and two vibrations, every component alike.
std::string gridFile(int count) {
    Molecule grid;
    grid.atoms = gridAtoms(count);
    grid.vibrations = 2;
    grid.frequencies = {100.0, 200.0};
    grid.vectors = {std::vector<double>(std::size_t(3 * count), 0.1),
                    std::vector<double>(std::size_t(3 * count), -0.2)};
    grid.intensities = {1.0, 2.0};
    return fchkFile(grid);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::fchkCases() {
    const Molecule m = bentTransitionState();
    Row row{"job.fchk", reader::Format::fchk};
    const std::string good = fchkFile(m);
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
    fewerAtoms.atoms.pop_back();
    row.cuts = {
        {"in Vib-Modes",
         good.substr(0, good.rfind('\n', good.find("ClPar") - 40) + 1),
         {"while the values of \"Vib-Modes\" was read"}},
        {"vectors that do not fit the atoms",
         fchkHead(fewerAtoms) + good.substr(good.find("Number of Normal Modes")),
         {"holds 27 values in Vib-Modes, not a whole number of vectors of 2 atoms"}},
        {"a count that does not fit the vectors",
         replaced(good, "Number of Normal Modes                     I                3",
                  "Number of Normal Modes                     I                4"),
         {"declares 4 normal modes and holds 3 vectors in Vib-Modes"}},
        {"without Vib-Modes", cutBefore(good, "Vib-Modes"), {"has Vib-E2 but no Vib-Modes field"}},
        // As Gaussian 09 writes a frequency job's checkpoint.
        {"without normal modes",
         fchkHead(m),
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
