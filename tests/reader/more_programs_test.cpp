// The readers of DALTON, MOPAC, ADF and CFOUR output as a run reads a file: the real outputs
// read to the values printed in them; generated outputs laid out as each program prints them,
// checked by one table over the four formats (a transition state, a linear molecule, a
// thousand atoms and one more, a file cut short, a damaged row); then what each format has of
// its own (DALTON's order, MOPAC's trivial modes, ADF's geometry tables, CFOUR's columns).
#include "reader/format_support.h"
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"

#include <functional>

using namespace columntest;
using reader::Format;
using testsupport::ScratchDir;

namespace {

constexpr double bohr = 0.529177210903;

std::string sampleFile(const std::string& name) {
    return std::string(MOLVANE_TEST_DATA) + "/more-program-samples/" + name;
}

// --- Real files -----------------------------------------------------------------------------

// A real file's values as printed in it: atomic numbers, first and last geometry rows (in
// Angstroms), vibrations 1, 2 and M at the first and last atom after rescaling (printed value /
// length of the printed vector, checked by hand), the first and last frequency and one
// intensity (none for MOPAC, which prints none).
struct Sample {
    const char* name;
    Format format;
    std::vector<int> numbers;
    double first[3], last[3];
    int modes;
    struct {
        int mode;
        double first[3], last[3];
    } vectors[3];
    double lowest, highest;
    int intensityMode; // 0: the file has no intensities
    double intensity;
};

const std::vector<int> daltonNumbers = {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1};
const std::vector<int> adfNumbers = {6, 6, 6, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1, 6, 1, 6, 1, 1, 6, 1};
const std::vector<int> cfourNumbers = {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

const Sample samples[] = {
    // DALTON lists 3546.72 down to 46.75: vibration 1 is its last column (54, printed first
    // atom z -0.044164, last atom z 0.167794, length 0.564800), vibration 54 its first
    // (-0.000319 -0.000158 / -0.447397 0.131528, length 0.945645).
    {"dalton2015-dvb-ir.out",
     Format::dalton,
     daltonNumbers,
     {-2.6744411768 * bohr, 0.4350561224 * bohr, 0.0},
     {-9.3194590658 * bohr, -0.1343688898 * bohr, 0.0},
     54,
     {{1, {0.0, 0.0, -0.078194}, {0.0, 0.0, 0.297085}},
      {2, {0.0, 0.0, 0.085142}, {0.0, 0.0, -0.098980}},
      {54, {-0.000337, -0.000167, 0.0}, {-0.473113, 0.139088, 0.0}}},
     46.75,
     3546.72,
     45,
     98.616},
    // MOPAC's three roots (its FREQ(I) table's first three entries), each printed with
    // lengths 0.671864, 0.675133, 0.689186: root 1 O -0.0320 -0.0420, H 0.4300 0.1999.
    {"mopac2016-h2o-force.out",
     Format::mopac,
     {8, 1, 1},
     {-0.0395, -0.0516, 0.0},
     {-0.2903, 0.8700, 0.0},
     3,
     {{1, {-0.047629, -0.062513, 0.0}, {0.640011, 0.297531, 0.0}},
      {2, {-0.056137, 0.042806, 0.0}, {0.186778, -0.680162, 0.0}},
      {3, {-0.022926, -0.030035, 0.0}, {-0.326472, 0.626391, 0.0}}},
     1397.9064,
     2857.1874,
     0,
     0.0},
    // ADF: the geometry of its last "Coordinates (Cartesian)" table, the undisplaced one
    // (1 C -1.275568 0.692949, 20 H -0.053320 2.519080); vectors of lengths 1.000116,
    // 0.999617 and 1.000551 (mode 1: 1.C z -0.100, 20.H z -0.133).
    {"adf2013-dvb-ir.adfout",
     Format::adf,
     adfNumbers,
     {-1.275568, 0.692949, 0.0},
     {-0.053320, 2.519080, 0.0},
     54,
     {{1, {0.0, 0.0, -0.099988}, {0.0, 0.0, -0.132985}},
      {2, {0.0, 0.0, 0.102039}, {0.0, 0.0, -0.071027}},
      {54, {0.0, 0.0, 0.0}, {0.0, -0.000999, 0.0}}},
     82.433,
     3436.365,
     45,
     106.709309},
    // CFOUR: its 54 VIBRATION rows (the two imaginary and four small ones are rotations and
    // translations); the printed vectors divided by the square root of 12.011 (C) and 1.008
    // (H), then rescaled: mode 1 prints C 0.1452 and H -0.3028 in z.
    {"cfour2.1-dvb-ir.c4",
     Format::cfour,
     cfourNumbers,
     {2.63251022 * bohr, 0.42886586 * bohr, 0.0},
     {-6.94567284 * bohr, 2.69019626 * bohr, 0.0},
     54,
     {{1, {0.0, 0.0, 0.070787}, {0.0, 0.0, -0.509565}},
      {2, {0.0, 0.0, 0.075797}, {0.0, 0.0, 0.448030}},
      {54, {0.000305, -0.000122, 0.0}, {-0.078467, -0.499872, 0.0}}},
     39.6075,
     3816.2118,
     45,
     136.3592},
};

TEST(MorePrograms, RealOutputsReadToTheValuesPrintedInThem) {
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        for (const auto& v : s.vectors) {
            SCOPED_TRACE(v.mode);
            const Reading r = read(sampleFile(s.name), v.mode);
            ASSERT_TRUE(readWell(r));
            EXPECT_EQ(r.format, s.format);
            const int n = int(s.numbers.size());
            ASSERT_EQ(reader::atomCount, n);
            for (int i = 0; i < n; ++i) EXPECT_EQ(reader::geometry[i][0], s.numbers[i]) << i;
            expectAtom(reader::geometry[0], s.numbers[0], s.first[0], s.first[1], s.first[2]);
            expectAtom(reader::geometry[n - 1], s.numbers[n - 1], s.last[0], s.last[1], s.last[2]);
            EXPECT_EQ(reader::modeList.count, s.modes);
            EXPECT_DOUBLE_EQ(reader::firstFrequency, s.lowest);
            EXPECT_DOUBLE_EQ(reader::modeList.frequency[s.modes - 1], s.highest);
            EXPECT_EQ(reader::modeList.hasIntensities, s.intensityMode > 0);
            if (s.intensityMode > 0) {
                EXPECT_DOUBLE_EQ(reader::modeList.intensity[s.intensityMode - 1], s.intensity);
            }
            expectDisplacement(reader::modeVector[0], s.numbers[0], v.first[0], v.first[1],
                               v.first[2], 1.0);
            expectDisplacement(reader::modeVector[n - 1], s.numbers[n - 1], v.last[0], v.last[1],
                               v.last[2], 1.0);
        }
    }
}

// --- Generated files, as each program lays them out -----------------------------------------

// The vibrations of a molecule are its entries, lowest first; the programs list them so but
// DALTON, which lists them highest first.
std::string daltonOutput(const Molecule& m) {
    std::string text = "     *************** Dalton - An Electronic Structure Program "
                       "***************\n\n"
                       "                             Molecular geometry (au)\n"
                       "                             -----------------------\n\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(9 - m.symbols[std::size_t(i)].size(), ' ');
        for (int k = 0; k < 3; ++k)
            text += format("%14.10f", m.xyz[std::size_t(3 * i + k)] / bohr) + "          ";
        text += "\n";
    }
    text += "\n\n  Vibrational Frequencies and IR Intensities\n"
            "  ------------------------------------------\n\n"
            "  mode   irrep        frequency             IR intensity\n"
            "  ============================================================\n"
            "                  cm-1       hartrees     km/mol   (D/A)**2/amu\n"
            "  ------------------------------------------------------------\n";
    const int count = m.entries();
    auto frequency = [](double f, const char* layout) {
        return f < 0.0 ? format(layout, -f) + "i" : format(layout, f) + " ";
    };
    for (int k = 0; k < count; ++k) {
        const std::size_t e = std::size_t(count - 1 - k);
        text += format("%4d", k + 1) + "      A   " + frequency(m.frequencies[e], "%10.2f") +
                "  0.016160  " + format("%9.3f", m.intensities[e]) + "   0.0000\n";
    }
    text += "\n\n\n  Normal Coordinates (bohrs*amu**(1/2)):\n"
            "  --------------------------------------\n\n";
    for (int first = 0; first < count; first += 5) {
        const int n = count - first < 5 ? count - first : 5;
        text += "\n              ";
        for (int c = 0; c < n; ++c)
            text +=
                format("%3d", first + c + 1) +
                frequency(std::round(m.frequencies[std::size_t(count - 1 - first - c)]), "%6.0f") +
                "   ";
        text += "\n  " + std::string(70, '-') + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += "\n";
            for (int k = 0; k < 3; ++k) {
                text += "    " + m.symbols[std::size_t(i)] +
                        std::string(7 - m.symbols[std::size_t(i)].size(), ' ') +
                        (k == 0   ? "x "
                         : k == 1 ? "y "
                                  : "z ");
                for (int c = 0; c < n; ++c)
                    text +=
                        format("%12.6f",
                               m.modes[std::size_t(count - 1 - first - c)][std::size_t(3 * i + k)]);
                text += "\n";
            }
        }
        text += "\n";
    }
    return text + "\n  Interpretation of vibrational modes\n";
}

// The six trivial modes MOPAC lists after the vibrations in its FREQ(I) table.
constexpr double trivialFrequencies[6] = {7.9287, 6.0936, 0.0369, 58.6417, -44.9798, 68.7225};

std::string mopacOutput(const Molecule& m) {
    std::string text = " ** Cite this program as: MOPAC2016, Version: 16.093M, James J. P. "
                       "Stewart,   **\n\n"
                       "          ORIENTATION OF MOLECULE IN FORCE CALCULATION\n\n"
                       "    NO.       ATOM         X         Y         Z\n\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += format("%6d", i + 1) + "          " + m.symbols[std::size_t(i)];
        for (int k = 0; k < 3; ++k) text += format("%10.4f", m.xyz[std::size_t(3 * i + k)]);
        text += "\n";
    }
    std::vector<double> table = m.frequencies;
    table.insert(table.end(), std::begin(trivialFrequencies), std::end(trivialFrequencies));
    text += "\n\n           FREQUENCIES, REDUCED MASSES AND VIBRATIONAL DIPOLES\n\n";
    for (std::size_t first = 0; first < table.size(); first += 6) {
        std::string numbers = "   I    ", frequencies = " FREQ(I) ";
        for (std::size_t c = first; c < table.size() && c < first + 6; ++c) {
            numbers += format("%10d", int(c + 1));
            frequencies += format("%10.4f", table[c]);
        }
        text += "\n" + numbers + "\n" + frequencies + "\n\n MASS(I)   0.54639   0.51928\n";
    }
    text += "\n\n           NORMAL COORDINATE ANALYSIS (Total motion = 1 Angstrom)\n\n";
    for (int first = 0; first < m.entries(); first += 6) {
        const int n = m.entries() - first < 6 ? m.entries() - first : 6;
        text += "\n   Root No.";
        for (int c = 0; c < n; ++c) text += format("%9d", first + c + 1) + " ";
        text += "\n\n              ";
        for (int c = 0; c < n; ++c) text += "  1 A1     ";
        text += "\n\n            ";
        for (int c = 0; c < n; ++c) text += format("%10.1f", m.frequencies[std::size_t(first + c)]);
        text += "\n  \n";
        for (int row = 0; row < 3 * m.atoms(); ++row) {
            text += format("%12d", row + 1);
            for (int c = 0; c < n; ++c)
                text += format("%10.4f", m.modes[std::size_t(first + c)][std::size_t(row)]);
            text += "\n";
        }
        text += "\n";
    }
    return text + "\n           MASS-WEIGHTED COORDINATE ANALYSIS (NORMAL COORDINATES)\n";
}

// A "Coordinates (Cartesian)" table, its atoms moved by dx along x.
std::string adfCartesian(const Molecule& m, double dx = 0.0) {
    std::string text = "\n Coordinates (Cartesian)\n =======================\n\n"
                       "     Atom                    bohr                                 "
                       "angstrom                 Geometric Variables\n"
                       "                   X           Y           Z              X           "
                       "Y           Z       (0:frozen, *:LT par.)\n" +
                       std::string(" ") + std::string(110, '-') + "\n";
    for (int i = 0; i < m.atoms(); ++i) {
        double xyz[3];
        for (int k = 0; k < 3; ++k) xyz[k] = m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0);
        text += format("%6d", i + 1) + " " + m.symbols[std::size_t(i)] + "    ";
        for (int k = 0; k < 3; ++k) text += format("%12.6f", xyz[k] / bohr);
        text += "   ";
        for (int k = 0; k < 3; ++k) text += format("%12.6f", xyz[k]);
        text += "      1       2       3\n";
    }
    return text + " " + std::string(110, '-') + "\n\n";
}

std::string adfAtoms(const Molecule& m) {
    std::string text =
        "\n ATOMS\n =====                            X Y Z                    CHARGE\n"
        "                                (Angstrom)             Nucl     +Core"
        "       At.Mass\n"
        "                       --------------------------    ----------------"
        "       -------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += format("%5d", i + 1) + "  " + m.symbols[std::size_t(i)] + "           ";
        for (int k = 0; k < 3; ++k) text += format("%10.4f", m.xyz[std::size_t(3 * i + k)]);
        text += "      6.00      6.00       12.0000\n";
    }
    return text + "\n\n";
}

std::string adfModes(const Molecule& m) {
    std::string text = "\n ===========================\n Vibrations and Normal Modes  ***  "
                       "(cartesian coordinates, NOT mass-weighted)  ***\n"
                       " ===========================\n  \n"
                       " The headers on the normal mode eigenvectors below give the Frequency "
                       "in cm-1\n"
                       " (a negative value means an imaginary frequency, no output for "
                       "(almost-)zero frequencies)\n\n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int n = m.entries() - first < 3 ? m.entries() - first : 3;
        text += "\n            ";
        for (int c = 0; c < n; ++c)
            text += format("%14.3f", m.frequencies[std::size_t(first + c)]) + "                ";
        text += "\n              ";
        for (int c = 0; c < n; ++c) text += "------------------------      ";
        text += "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            const std::string label = std::to_string(i + 1) + "." + m.symbols[std::size_t(i)];
            text += std::string(label.size() < 8 ? 8 - label.size() : 1, ' ') + label + "     ";
            for (int c = 0; c < n; ++c) {
                for (int k = 0; k < 3; ++k)
                    text +=
                        format("%8.3f", m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
                text += "      ";
            }
            text += "\n";
        }
        text += "\n";
    }
    text += "\n\n List of All Frequencies:\n\n\n Intensities\n ===========\n\n"
            "               Frequency       Dipole Strength        Absorption Intensity "
            "(degeneracy not counted)\n"
            "                 cm-1           1e-40 esu2 cm2          km/mole\n"
            "              ----------          ----------          ----------\n";
    for (int e = 0; e < m.entries(); ++e)
        text += format("%25.6f", m.frequencies[std::size_t(e)]) + "            6.608474" +
                format("%20.6f", m.intensities[std::size_t(e)]) + "\n";
    return text + "\n\n ============================\n Statistical Thermal Analysis\n";
}

const char* const adfBanner =
    " *   Amsterdam Density Functional  (ADF)         2013.01   April 2, 2013       *\n";

std::string adfOutput(const Molecule& m) {
    return adfBanner + adfAtoms(m) + adfCartesian(m, 0.01) + adfCartesian(m) + adfModes(m);
}

// CFOUR's row of an atom: the element in columns 1-4, then (F9.3, F7.4, F8.4) for the first
// mode and (F10.4, F8.4, F8.4) for the others.
std::string cfourRow(const std::string& symbol, const std::vector<double>& values) {
    std::string row = " " + symbol + std::string(3 - symbol.size(), ' ');
    for (std::size_t v = 0; v < values.size(); ++v) {
        const char* layout = v == 0 ? "%9.3f" : v == 1 ? "%7.4f" : v % 3 == 0 ? "%10.4f" : "%8.4f";
        row += format(layout, values[v]);
    }
    return row + "\n";
}

std::string cfourFrequency(double f, const char* layout) {
    return f < 0.0 ? format(layout, -f) + "i" : format(layout, f) + " ";
}

// The molecule's vectors stand in the file as CFOUR's mass-weighted ones: the reader divides
// them by the square root of each atom's weight.
std::string cfourOutput(const Molecule& m) {
    std::string text = "     * CFOUR Coupled-Cluster techniques for Computational Chemistry "
                       "*\n\n"
                       " Z-matrix   Atomic            Coordinates (in bohr)\n"
                       "  Symbol    Number           X              Y              Z\n"
                       " ----------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += "     " + m.symbols[std::size_t(i)] +
                std::string(10 - m.symbols[std::size_t(i)].size(), ' ') +
                format("%-3d", m.numbers[std::size_t(i)]);
        for (int k = 0; k < 3; ++k) text += format("%15.8f", m.xyz[std::size_t(3 * i + k)] / bohr);
        text += "\n";
    }
    text += " ----------------------------------------------------------------\n\n"
            "                     Normal Coordinate Analysis\n"
            "  ----------------------------------------------------------------\n"
            "    Irreducible         Harmonic       Infrared        Type \n"
            "   Representation       Frequency      Intensity \n"
            "  ----------------------------------------------------------------\n"
            "                       (cm-1)         (km/mol)\n"
            "  ----------------------------------------------------------------\n"
            "      ----                 0.3638i        0.0000       ROTATION  \n"
            "      ----                 0.0249         0.0000      TRANSLATION\n";
    for (int e = 0; e < m.entries(); ++e)
        text += "        A " + cfourFrequency(m.frequencies[std::size_t(e)], "%22.4f") +
                format("%14.4f", m.intensities[std::size_t(e)]) + "       VIBRATION \n";
    text += "  ----------------------------------------------------------------\n \n \n"
            "                                   Normal Coordinates \n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int n = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string irreps = "\n      ", frequencies = "\n      ", types = "\n      ";
        for (int c = 0; c < n; ++c) {
            irreps += "          A               ";
            frequencies +=
                cfourFrequency(m.frequencies[std::size_t(first + c)], "%15.2f") + "          ";
            types += "       VIBRATION          ";
        }
        text += irreps + frequencies + types + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            std::vector<double> values;
            for (int c = 0; c < n; ++c)
                for (int k = 0; k < 3; ++k)
                    values.push_back(m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
            text += cfourRow(m.symbols[std::size_t(i)], values);
        }
    }
    return text + "\n            Gradient vector in normal coordinate representation\n";
}

// Each format's generated file and how it is told: the intensities it carries, whether its
// vectors are mass-weighted.
struct Layout {
    const char* name;
    Format format;
    std::function<std::string(const Molecule&)> write;
    bool intensities;
    bool weighted;
};

const Layout layouts[] = {
    {"DALTON", Format::dalton, daltonOutput, true, false},
    {"MOPAC", Format::mopac, mopacOutput, false, false},
    {"ADF", Format::adf, adfOutput, true, false},
    {"CFOUR", Format::cfour, cfourOutput, true, true},
};

// The record of atom `atom` of entry `entry` at unit length, the entry's values divided by
// the square root of each atom's weight first when `weighted`.
void expectVector(const float (&record)[4], const Molecule& m, int entry, int atom, bool weighted) {
    std::vector<double> v = m.modes[std::size_t(entry)];
    for (std::size_t c = 0; weighted && c < v.size(); ++c)
        v[c] /= std::sqrt(reader::scan::standardAtomicWeight(m.numbers[c / 3]));
    double norm = 0.0;
    for (double x : v) norm += x * x;
    norm = std::sqrt(norm);
    const std::size_t at = std::size_t(3 * atom);
    expectDisplacement(record, m.numbers[std::size_t(atom)], v[at], v[at + 1], v[at + 2], norm);
}

TEST(MorePrograms, TransitionStatesAndLinearMoleculesInEveryLayout) {
    ScratchDir dir;
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.name);
        const Molecule ts = water(true);
        for (int mode = 1; mode <= 3; ++mode) {
            const Reading r = read(dir.write("ts.out", l.write(ts)), mode);
            ASSERT_TRUE(readWell(r));
            EXPECT_EQ(r.format, l.format);
            ASSERT_EQ(reader::atomCount, 3);
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(reader::geometry[i][k + 1], ts.xyz[std::size_t(3 * i + k)], 5e-5);
            EXPECT_EQ(reader::modeList.count, 3);
            EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
            EXPECT_NEAR(reader::modeList.frequency[2], 4272.66, 1e-9);
            EXPECT_EQ(reader::modeList.hasIntensities, l.intensities);
            if (l.intensities) {
                EXPECT_NEAR(reader::modeList.intensity[1], 20.0, 1e-9);
            }
            for (int i = 0; i < 3; ++i)
                expectVector(reader::modeVector[i], ts, mode - 1, i, l.weighted);
        }
        const Molecule co2 = carbonDioxide();
        const Reading r = read(dir.write("co2.out", l.write(co2)), 4);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(reader::modeList.count, 4);
        expectVector(reader::modeVector[2], co2, 3, 2, l.weighted);
    }
}

} // namespace

// --- The rows of the cases every format shares (format_cases.h) ------------------------------

namespace {

using formatcases::cutBefore;
using formatcases::Row;

// The file of 1000 atoms of `layout`, and the check of its vibration 3 at the last atom.
formatcases::Row thousandAtoms(formatcases::Row row, std::string (*write)(const Molecule&),
                               bool weighted) {
    row.thousand = [write, name = std::string(row.name)](const testsupport::ScratchDir& dir) {
        return dir.write("big-" + name, write(grid(1000)));
    };
    row.thousandMode = 3;
    row.read = [weighted] { expectVector(reader::modeVector[999], grid(1000), 2, 999, weighted); };
    row.over = write(grid(1001));
    row.overSays = {"at most 1000 atom"};
    return row;
}

} // namespace

formatcases::Row formatcases::daltonCases() {
    Row row{"dalton.out", Format::dalton};
    row.good = daltonOutput(water(true));
    row.damages = {
        {"a vector value", "    H      x    -0.070000", "    H      x    -0.07O000",
         "the x row of atom 2"},
        {"an axis", "\n    H      y    -0.020000", "\n    H      z    -0.020000",
         "the y row of atom 2"},
        {"an element", "\n    H      x    -0.040000", "\n    O      x    -0.040000",
         "the x row of atom 3"},
        {"a table frequency", "1234.56i", "1234.56j", "table row 3"},
        {"a mode number", "                1  4273", "                2  4273",
         "the header of a block of modes 1 and on"},
        {"a geometry row", " H          0.0000000000           -1.4941100707",
         " H          0.0000000000           -1.49411OO707", "geometry row 2"},
        {"a value of a mode not asked for", "0.080000\n\n\n  Interpretation",
         "0.08000x\n\n\n  Interpretation", "the z row of atom 3"},
    };
    const std::string good = daltonOutput(water());
    for (const char* cut :
         {" H          0.0000000000", "   2      A", "    H      y", "    H      z"})
        row.cuts.push_back({cut, cutBefore(good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back(
        {"no normal coordinates", cutBefore(good, "  Normal Coordinates"), {"(it has none)"}});
    return thousandAtoms(row, daltonOutput, false);
}

formatcases::Row formatcases::mopacCases() {
    Row row{"mopac.out", Format::mopac};
    row.good = mopacOutput(water(true));
    row.damages = {
        {"a vector value", "           4   -0.0200", "           4   -0.02O0", "row 4 of a block"},
        {"a row number", "           5    0.0300", "           6    0.0300", "row 5 of a block"},
        {"a root number", "   Root No.        1", "   Root No.        2",
         "the root numbers 1 and on"},
        {"no frequency row", "               -1234.6    3939.1    4272.7",
         "               -1234.6    3939.1", "a row of 3 frequencies", "", 1},
        {"a table frequency", " FREQ(I) -1234.5600", " FREQ(I) -1234.56O0",
         "frequencies after \"FREQ(I)\""},
        {"an orientation row", "     2          H", "     3          H", "orientation row 2"},
        {"a value of a mode not asked for", "0.0600\n\n\n           MASS-WEIGHTED",
         "0.060x\n\n\n           MASS-WEIGHTED", "row 9 of a block"},
    };
    const std::string good = mopacOutput(water());
    for (const char* cut : {"     2          H", "   Root No.", "           5 ", "           9 "})
        row.cuts.push_back({cut, cutBefore(good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no analysis", cutBefore(good, "           NORMAL"), {"(it has none)"}});
    return thousandAtoms(row, mopacOutput, false);
}

formatcases::Row formatcases::adfCases() {
    Row row{"adf.out", Format::adf};
    row.good = adfOutput(water(true));
    row.damages = {
        {"a vector value", "     2.H       -0.020", "     2.H       -0.O20", "the row of atom 2"},
        {"an atom label", "     2.H ", "     2.O ", "the row of atom 2"},
        {"an atom number", "     3.H ", "     2.H ", "the row of atom 3"},
        {"no rules", "\n              ------------------------      ---", "\n              x",
         "the rules under a block's frequencies"},
        {"a geometry row", "0.000000   -0.790649", "0.0O0000   -0.790649", "atom row 2", "", 0,
         true},
        {"an intensity", "0.000000\n\n\n ====", "0.00000x\n\n\n ====", "intensity row 3"},
    };
    const std::string good = adfOutput(water());
    for (const char* cut : {"     2 H ", "     2.H ", "     3.H ", " List of All"})
        row.cuts.push_back({cut, cutBefore(good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes",
                        cutBefore(good, "\n ===========================\n Vibrations"),
                        {"(it has none)"}});
    return thousandAtoms(row, adfOutput, false);
}

formatcases::Row formatcases::cfourCases() {
    Row row{"cfour.out", Format::cfour};
    row.good = cfourOutput(water(true));
    row.damages = {
        {"a vector value", " H     -0.020 0.0300", " H     -0.020 0.03O0", "the row of atom 2"},
        {"an element", " H      0.010", " O      0.010", "the row of atom 3"},
        {"a type", "VIBRATION                 VIBRATION          ",
         "VIBRATION                 VIBRATION ROTATION ", "the type of each mode"},
        {"a table row", "       10.0000       VIBRATION", "       10.0000       VIBRANT",
         "table row 3"},
        {"a coordinates row", "     H         1       0.00000000    -1.49411007",
         "     H         1       0.00000000    -1.49411O07", "coordinates row 2"},
        {"a value of a mode not asked for", "0.0600\n\n            Gradient",
         "0.060x\n\n            Gradient", "the row of atom 3"},
    };
    const std::string good = cfourOutput(water());
    for (const char* cut :
         {"     H         1", "        A              3939", " H     -0.020", " H      0.010"})
        row.cuts.push_back({cut, cutBefore(good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no vectors",
                        cutBefore(good, "                                   Normal Coordinates"),
                        {"(it has none)"}});
    return thousandAtoms(row, cfourOutput, true);
}

namespace {

// --- What each format has of its own --------------------------------------------------------

TEST(MorePrograms, DaltonWithoutIntensitiesAndWithTwoSections) {
    ScratchDir dir;
    std::string text = daltonOutput(water());
    // A table without the intensity columns: rows end after the hartrees.
    for (std::size_t at = text.find("  0.016160  "); at != std::string::npos;
         at = text.find("  0.016160  ", at + 1))
        text.erase(at + 10, text.find('\n', at) - at - 10);
    Reading r = read(dir.write("plain.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
    // A second job in the same file is the one read.
    r = read(dir.write("two.out", daltonOutput(water()) + daltonOutput(water(true))), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    expectVector(reader::modeVector[1], water(true), 0, 1, false);
}

TEST(MorePrograms, MopacRootsTakeTheirOwnTableEntriesNotTheLargest) {
    ScratchDir dir;
    // A real vibration at 25 cm**-1, below the trivial modes at 58.64 and 68.72 the table lists
    // after it: the roots' entries are the first three, whatever their size.
    const Molecule floppy =
        molecule({"O", "H", "H"}, {8, 1, 1}, water().xyz, {25.0, 1600.0, 3700.0});
    Reading r = read(dir.write("floppy.out", mopacOutput(floppy)), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 3);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 25.0);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[2], 3700.0);
    // Without LARGE there is no FREQ(I) table: the headers' frequencies, to one decimal.
    std::string text = mopacOutput(water(true));
    const std::size_t table = text.find("\n   I  ");
    text.erase(table, text.find("\n\n\n           NORMAL") - table);
    r = read(dir.write("headers.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.6);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 3939.1);
}

TEST(MorePrograms, AdfGeometryFromTheLastTableAndIntensitiesThatFit) {
    ScratchDir dir;
    const Molecule ts = water(true);
    // The ATOMS table alone (four decimals).
    Reading r = read(dir.write("atoms.out", adfBanner + adfAtoms(ts) + adfModes(ts)), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][3], 0.1192, 1e-9);
    // A displaced table after the last undisplaced one would be taken: the geometry is the last
    // table's (here moved by 0.25 Angstrom along x).
    r = read(dir.write("moved.out", adfBanner + adfAtoms(ts) + adfCartesian(ts) +
                                        adfCartesian(ts, 0.25) + adfModes(ts)),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[2][1], 0.25, 1e-9);
    // An intensity table with a row too few is not matched to the vibrations.
    std::string text = adfOutput(ts);
    const std::size_t last = text.rfind("            6.608474");
    text.erase(text.rfind('\n', last) + 1, text.find('\n', last) - text.rfind('\n', last));
    r = read(dir.write("short.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_EQ(reader::modeList.count, 3);
}

TEST(MorePrograms, CfourColumnsThatTouchAndModesOfOtherTypes) {
    ScratchDir dir;
    // Values of both signs fill CFOUR's fields: "-0.090-0.0900" is two numbers.
    EXPECT_EQ(cfourRow("H", {-0.09, -0.09, 0.1}), " H     -0.090-0.0900  0.1000\n");
    // A block that shows a rotation beside two vibrations: its column is passed over.
    const std::string types =
        "       VIBRATION                 VIBRATION                 VIBRATION";
    const Molecule shown =
        molecule({"O", "H", "H"}, {8, 1, 1}, water().xyz, {5.0, 1860.10, 3939.13});
    std::string withRotation = cfourOutput(shown);
    withRotation.replace(withRotation.find(types), types.size(),
                         "       ROTATION                  VIBRATION                 VIBRATION");
    // The table lists 5.0 as a rotation too.
    const std::size_t row = withRotation.find("       VIBRATION \n", withRotation.find("(km/mol)"));
    withRotation.replace(row, 18, "       ROTATION  \n");
    Reading r = read(dir.write("rotation.out", withRotation), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 2);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
    expectVector(reader::modeVector[2], shown, 1, 2, true);
}

} // namespace

namespace {

bool isOneOfThese(Format f) {
    return f == Format::dalton || f == Format::mopac || f == Format::adf || f == Format::cfour;
}

// Every other program's file at hand (the real outputs among the test data, the examples) is
// not taken for a DALTON, MOPAC, ADF or CFOUR output.
TEST(MorePrograms, NoOtherProgramsFileIsTakenForOneOfThese) {
    // The other programs' outputs among the test data.
    const std::string data = MOLVANE_TEST_DATA;
    const std::string more = data + "/more-program-samples";
    int files = 0;
    for (const std::string& folder : {std::string(MOLVANE_EXAMPLES_DIR), data + "/gaussian-samples",
                                      data + "/program-samples", more}) {
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            const bool own = name.rfind("dalton", 0) == 0 || name.rfind("mopac", 0) == 0 ||
                             name.rfind("adf", 0) == 0 || name.rfind("cfour", 0) == 0;
            if (!entry.is_regular_file() || name == "README.md" || own) continue;
            // Made outside the guarded run, which a file that fits no format leaves by a jump.
            const std::string path = entry.path().string();
            Format format = Format::gaussian;
            const testsupport::RunEnd end =
                testsupport::guarded([&] { format = reader::recogniseFormat(path); });
            EXPECT_TRUE(end.ended || !isOneOfThese(format)) << entry.path();
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
