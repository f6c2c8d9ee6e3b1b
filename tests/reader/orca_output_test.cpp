// ORCA output text read through the reader's one face: the real ORCA 5 output to the values
// printed in it, generated outputs in the layouts of ORCA 4, 5 and 6 (linear
// molecules, diatomics, transition states, several jobs in one file); its row of the cases
// every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/vibration_files.h"

#include <cstdio>

using namespace vibrationfiles;
using testsupport::ScratchDir;

namespace {

// The layouts ORCA's versions print: up to 4 the IR table's "T**2" column is in km/mol; 5
// adds eps and "Int"; 6 prints 10 columns a block and, with symmetry, irreps.
enum class Orca { v4, v5, v6 };

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
std::string printed(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string geometryTable(const std::vector<testsupport::Atom>& atoms) {
    static const char* symbols[] = {"", "H", "He", "Li", "Be", "B", "C", "N", "O"};
    std::string text = "---------------------------------\n"
                       "CARTESIAN COORDINATES (ANGSTROEM)\n"
                       "---------------------------------\n";
    for (const testsupport::Atom& a : atoms) {
        char row[120];
        std::snprintf(row, sizeof row, "  %-2s %12.6f%12.6f%12.6f\n", symbols[a.number], a.x, a.y,
                      a.z);
        text += row;
    }
    return text + "\n";
}

// The frequency section of a job: the list, the normal modes and the IR table.
std::string frequencySection(const Molecule& m, Orca version) {
    const int n3 = m.listed();
    std::string text =
        "-----------------------\nVIBRATIONAL FREQUENCIES\n-----------------------\n\n"
        "Scaling factor for frequencies =  1.000000000  (already applied!)\n";
    if (version == Orca::v6)
        text += "Point group:  C1\n                             Irrep\n";
    else
        text += "\n";
    for (int i = 0; i < n3; ++i) {
        text += printed("%4d:", i) + printed("%13.2f cm**-1", m.frequencies[std::size_t(i)]);
        if (m.frequencies[std::size_t(i)] < 0) text += " ***imaginary mode***";
        if (version == Orca::v6) text += printed("    %d-A", i + 1);
        text += "\n";
    }
    text += "\n\n------------\nNORMAL MODES\n------------\n\n"
            "These modes are the Cartesian displacements weighted by the diagonal matrix\n"
            "M(i,i)=1/sqrt(m[i]) where m[i] is the mass of the displaced atom\n"
            "Thus, these vectors are normalized but *not* orthogonal\n\n";
    const int perBlock = version == Orca::v6 ? 10 : 6;
    for (int first = 0; first < n3; first += perBlock) {
        const int last = first + perBlock < n3 ? first + perBlock : n3;
        text += version == Orca::v6 ? "     " : "       ";
        for (int c = first; c < last; ++c) text += printed("%11d", c);
        text += "\n";
        if (version == Orca::v6) {
            text += "     ";
            for (int c = first; c < last; ++c) text += printed("%9d-A", c + 1);
            text += "\n";
        }
        for (int r = 0; r < n3; ++r) {
            text += printed(version == Orca::v6 ? "%5d" : "%7d    ", r);
            for (int c = first; c < last; ++c)
                text += printed("%11.6f", m.vectors[std::size_t(c)][std::size_t(r)]);
            text += "\n";
        }
        if (version == Orca::v6) text += "\n";
    }
    text += "\n\n-----------\nIR SPECTRUM\n-----------\n\n";
    if (version == Orca::v4)
        text += " Mode    freq (cm**-1)   T**2         TX         TY         TZ\n"
                "-------------------------------------------------------------------\n";
    else
        text += " Mode   freq       eps      Int      T**2         TX        TY        TZ\n"
                "       cm**-1   L/(mol*cm) km/mol    a.u.\n"
                "----------------------------------------------------------------------------\n";
    for (int i = m.first(); i < n3; ++i) {
        const double f = m.frequencies[std::size_t(i)], intensity = m.intensities[std::size_t(i)];
        text += printed("%4d:", i) + printed("%10.2f", f);
        if (version != Orca::v4)
            text += printed("%11.6f", intensity / 5000) + printed("%8.2f", intensity);
        text += printed(version == Orca::v4 ? "%12.6f" : "%10.6f",
                        version == Orca::v4 ? intensity : intensity / 50000);
        text += "  ( 0.000000  0.000000  0.000000)\n";
    }
    return text + "\n";
}

std::string orcaOutput(const Molecule& m, Orca version) {
    return "\n                                 * O   R   C   A *\n\n"
           "                         Program Version 5.0.1 -  RELEASE  -\n\n" +
           geometryTable(m.atoms) + "SCF done\n\n" + frequencySection(m, version) +
           "\n--------------------------\nTHERMOCHEMISTRY AT 298.15K\n"
           "--------------------------\n\n                             ****ORCA TERMINATED "
           "NORMALLY****\n";
}

void readOrca(const std::string& file, int mode) {
    reader::readVibrations(file, reader::Format::orcaOutput, mode);
}

TEST(OrcaOutput, RealOutputReadsToItsPrintedValues) {
    // ORCA 5.0.1, divinylbenzene: the table at line 293, the frequencies at 1289 (six 0.00
    // first), NORMAL MODES at 1357 in blocks of 6, IR SPECTRUM at 1977 with its "Int" column.
    expectRealFile({"orca5-dvb-ir.out",
                    reader::Format::orcaOutput,
                    {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1},
                    {-1.415253, 0.230222, 0.000000},
                    {-4.931645, -0.071105, 0.000000},
                    54,
                    {{0.0, 0.0, -0.078644}, {0.0, 0.0, 0.085575}, {-0.000338, -0.000168, 0.0}},
                    {{0.0, 0.0, 0.299009}, {0.0, 0.0, -0.100397}, {-0.472766, 0.139000, 0.0}},
                    45.66,
                    45, // entry 50: Int 96.88 km/mol (T**2 0.001763 a.u.)
                    96.88});
}

TEST(OrcaOutput, EveryVersionsLayoutReadsTheMoleculeItHolds) {
    ScratchDir dir;
    struct Case {
        const char* name;
        Molecule molecule;
        Orca version;
    } cases[] = {
        {"bent transition state, ORCA 5", bentTransitionState(), Orca::v5},
        {"linear, ORCA 6 with irreps", linearTriatomic(), Orca::v6},
        {"diatomic, ORCA 4", diatomic(), Orca::v4},
        {"bent transition state, ORCA 6", bentTransitionState(), Orca::v6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write("job.out", orcaOutput(c.molecule, c.version));
        for (int mode = 1; mode <= c.molecule.vibrations; ++mode) {
            readOrca(file, mode);
            expectRead(c.molecule, mode);
        }
        expectStep(c.molecule, file, reader::Format::orcaOutput);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        for (int v = 0; v < c.molecule.vibrations; ++v)
            EXPECT_NEAR(reader::modeList.intensity[v],
                        c.molecule.intensities[std::size_t(c.molecule.first() + v)], 0.006);
        EXPECT_FALSE(reader::modeList.hasRaman);
    }
}

TEST(OrcaOutput, TheLastCompleteSectionIsReadWithTheGeometryBeforeIt) {
    ScratchDir dir;
    const Molecule first = bentTransitionState(), second = linearTriatomic();
    Molecule moved = second;
    for (testsupport::Atom& a : moved.atoms) a.z += 0.5;
    // An optimisation's earlier table, then two jobs, then a third job that stops before its
    // frequencies: the second job's section and its own (last) table count.
    const std::string jobs = geometryTable(second.atoms) + geometryTable(first.atoms) +
                             frequencySection(first, Orca::v5) + geometryTable(second.atoms) +
                             geometryTable(moved.atoms) + frequencySection(moved, Orca::v5) +
                             geometryTable(first.atoms) + "SCF not converged\n";
    readOrca(dir.write("jobs.out", jobs), 2);
    expectRead(moved, 2);

    // A frequency list with no NORMAL MODES before the next table is no section.
    const std::string unfinished = geometryTable(first.atoms) + frequencySection(first, Orca::v5) +
                                   geometryTable(second.atoms) +
                                   cutAfter(frequencySection(second, Orca::v5), "   8:") + "\n" +
                                   geometryTable(second.atoms);
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
    readOrca(dir.write("raman.out", orcaOutput(m, Orca::v5) + raman), 1);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 12.718447);
}

// Writes the output of a job on `count` grid atoms whose every vector component is 0.1 straight
// to disk: 1000 atoms give 9 million mode values.
std::string writeGridOutput(const ScratchDir& dir, int count) {
    const std::string file = dir.file("grid.out");
    std::FILE* out = std::fopen(file.c_str(), "wb");
    const std::vector<testsupport::Atom> atoms = gridAtoms(count);
    std::string head =
        geometryTable(atoms) +
        "-----------------------\nVIBRATIONAL FREQUENCIES\n-----------------------\n\n";
    for (int i = 0; i < 3 * count; ++i)
        head += printed("%5d:", i) + printed("%13.2f cm**-1\n", i < 6 ? 0.0 : double(i - 5));
    head += "\n------------\nNORMAL MODES\n------------\n\n";
    std::fputs(head.c_str(), out);
    std::string row;
    for (int first = 0; first < 3 * count; first += 10) {
        std::string header = "     ";
        for (int c = first; c < first + 10; ++c) header += printed("%11d", c);
        std::fputs((header + "\n").c_str(), out);
        for (int r = 0; r < 3 * count; ++r) {
            row = printed("%5d", r);
            for (int c = 0; c < 10; ++c) row += "   0.100000";
            row += "\n";
            std::fwrite(row.data(), 1, row.size(), out);
        }
    }
    std::fputs("\n", out);
    std::fclose(out);
    return file;
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::orcaOutputCases() {
    Row row{"orca.out", reader::Format::orcaOutput, 2};
    const std::string good = orcaOutput(bentTransitionState(), Orca::v5);
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
         orcaOutput(bentTransitionState(), Orca::v6)},
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
    row.thousand = [](const testsupport::ScratchDir& dir) { return writeGridOutput(dir, 1000); };
    row.thousandMode = 2994;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 2994);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 1.0);
        EXPECT_NEAR(reader::modeVector[999][3], 1.0 / std::sqrt(3000.0), 1e-7);
        EXPECT_EQ(reader::modeVector[998][0], 1.0f);
    };
    row.over = geometryTable(gridAtoms(1001)) + frequencySection(diatomic(), Orca::v5);
    row.overSays = {": the CARTESIAN COORDINATES (ANGSTROEM) table before the frequencies has more "
                    "than 1000 atom rows; Molvane holds at most 1000 atoms"};
    return row;
}
