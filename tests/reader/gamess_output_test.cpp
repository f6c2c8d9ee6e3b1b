// The GAMESS reader as a run reads a file: the real output read to the values printed in it
// (a transition state whose translations and rotations are printed as 3.88 to 69.45 cm**-1),
// generated outputs laid out as GAMESS-US and Firefly print them (imaginary frequencies
// written "825.18 I", geometries in bohr and in Angstroms, Raman activities, intensity units,
// linear molecules); its row of the cases every format shares.
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"

using namespace columntest;
using testsupport::ScratchDir;

namespace {

constexpr double bohr = 0.529177210903;
constexpr double kmPerMole = 42.2561; // per debye**2/amu-angstrom**2

//  N           7.0     0.0000000000        0.0000000000        0.0000000000
std::string bohrTable(const Molecule& m) {
    std::string text = " ATOM      ATOMIC                      COORDINATES (BOHR)\n"
                       "           CHARGE         X                   Y                   Z\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(11 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%4.1f", double(m.numbers[std::size_t(i)]));
        for (int k = 0; k < 3; ++k) text += format("%20.10f", m.xyz[std::size_t(3 * i + k)] / bohr);
        text += "\n";
    }
    return text + "\n          INTERNUCLEAR DISTANCES (ANGS.)\n\n";
}

//  O           8.0   0.0000000000   0.0000000000   0.0783404292
std::string angstromTable(const Molecule& m, double dx = 0.0) {
    std::string text = " COORDINATES OF ALL ATOMS ARE (ANGS)\n"
                       "   ATOM   CHARGE       X              Y              Z\n"
                       " ------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += " " + m.symbols[std::size_t(i)] +
                std::string(11 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%4.1f", double(m.numbers[std::size_t(i)]));
        for (int k = 0; k < 3; ++k)
            text += format("%15.10f", m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0));
        text += "\n";
    }
    return text + "\n";
}

// The section, as GAMESS-US prints it (a "SYMMETRY:" row) or as Firefly does ("RAMAN
// ACTIVITY:" and "DEPOLARIZATION:" rows); `unit` is the intensities' unit line.
std::string analysis(const Molecule& m, bool firefly = false,
                     const char* unit = "IR INTENSITIES IN DEBYE**2/AMU-ANGSTROM**2,") {
    std::string text = "          --------------------------------------------------------\n"
                       "          NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION\n"
                       "          --------------------------------------------------------\n\n"
                       "          ATOMIC WEIGHTS (AMU)\n\n";
    for (int i = 0; i < m.atoms(); ++i)
        text += format("%5d", i + 1) + "     " + m.symbols[std::size_t(i)] +
                "                14.00307\n";
    text += "\n MODES    2 TO    7 ARE TAKEN AS ROTATIONS AND TRANSLATIONS.\n\n";
    text +=
        std::string("     FREQUENCIES IN CM**-1, ") + unit + "\n     REDUCED MASSES IN AMU.\n\n";
    for (int first = 0; first < m.entries(); first += 5) {
        const int count = m.entries() - first < 5 ? m.entries() - first : 5;
        std::string numbers = "                 ", frequency = "       FREQUENCY:  ";
        std::string intensity = "    IR INTENSITY:  ", raman = "  RAMAN ACTIVITY:  ";
        for (int c = 0; c < count; ++c) {
            const double f = m.frequencies[std::size_t(first + c)];
            numbers += format("%12d", first + c + 1);
            frequency += format("%10.2f", std::fabs(f)) + (f < 0.0 ? " I" : "  ");
            intensity += format("%12.5f", m.intensities[std::size_t(first + c)] / kmPerMole);
            raman += format("%12.3f", 1.5 * (first + c + 1));
        }
        text += numbers + "\n" + frequency + "\n";
        if (!firefly) text += "        SYMMETRY:         A           A\n";
        text += "    REDUCED MASS:      1.20753     4.16524\n" + intensity + "\n";
        if (firefly) text += raman + "\n  DEPOLARIZATION:        0.750       0.749\n";
        text += "\n";
        for (int i = 0; i < m.atoms(); ++i)
            for (int k = 0; k < 3; ++k) {
                text += k == 0 ? format("%3d", i + 1) + "   " + m.symbols[std::size_t(i)] +
                                     std::string(13 - m.symbols[std::size_t(i)].size(), ' ')
                               : std::string(19, ' ');
                text += k == 0 ? "X" : k == 1 ? "Y" : "Z";
                for (int c = 0; c < count; ++c)
                    text +=
                        format("%12.8f", m.modes[std::size_t(first + c)][std::size_t(3 * i + k)]);
                text += "\n";
            }
        text += "\n TRANS. SAYVETZ    X  0.00000000  0.00000000  4.98868209 10.25628105\n"
                "                   Y  0.00000000  0.00000000-10.25628105  4.98868209\n"
                "               TOTAL  0.00000000  0.00000000 11.40518522 11.40518522\n\n";
    }
    return text + "  MODE FREQ(CM**-1)  SYMMETRY  RED. MASS  IR INTENS.\n"
                  "     1     825.176    A        1.207525   21.643570\n\n"
                  " ......END OF NORMAL COORDINATE ANALYSIS......\n";
}

const char* const banner = "          *         GAMESS VERSION = 30 SEP 2018 (R3)         *\n\n";
const char* const closing = " EXECUTION OF GAMESS TERMINATED NORMALLY\n";

std::string output(const Molecule& m) { return banner + bohrTable(m) + analysis(m) + closing; }

TEST(GamessOutput, RealOutputReadsToTheValuesPrintedInIt) {
    const std::string file = programSampleFile("gamess2018-nh3-ts-ir.out");
    // The six smallest of |825.18|, 3.88, 0.02, 0.68, 46.87, 69.45, 69.45, 1691.24, ... are
    // modes 2 to 7: vibrations 1, 2 and 6 are modes 1, 8 and 12; the lengths of their printed
    // vectors.
    const double norms[3] = {0.910022, 0.954098, 0.996110};
    const int modes[3] = {1, 2, 6};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE(modes[t]);
        const Reading r = read(file, modes[t]);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(r.format, reader::Format::gamess);
        ASSERT_EQ(reader::atomCount, 4);
        EXPECT_EQ(reader::geometry[1][0], 1);
        EXPECT_EQ(reader::geometry[2][0], 1);
        expectAtom(reader::geometry[0], 7, 0.0, 0.0, 0.0);
        expectAtom(reader::geometry[3], 1, 1.8454915779 * bohr, 0.0, 0.0);
        EXPECT_EQ(reader::modeList.count, 6);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, -825.18);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 1691.24);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[5], 3661.48);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_NEAR(reader::modeList.intensity[0], 21.64357 * kmPerMole, 1e-9);
        EXPECT_NEAR(reader::modeList.intensity[1], 3.10631 * kmPerMole, 1e-9);
        const float(&first)[4] = reader::modeVector[0];
        const float(&last)[4] = reader::modeVector[3];
        const double n = norms[t];
        if (t == 0) {
            expectDisplacement(first, 7, -0.00000000, 0.00000000, -0.11281030, n);
            expectDisplacement(last, 1, 0.00000000, -0.00000000, 0.52134891, n);
        } else if (t == 1) {
            expectDisplacement(first, 7, -0.07971306, -0.00000041, 0.00000000, n);
            expectDisplacement(last, 1, -0.03702575, 0.00000404, 0.00000000, n);
        } else {
            expectDisplacement(first, 7, -0.00019710, 0.00000000, -0.00000000, n);
            expectDisplacement(last, 1, 0.57700408, 0.00000000, -0.00000000, n);
        }
    }
}

TEST(GamessOutput, TransitionStatesLinearMoleculesAndFirefly) {
    ScratchDir dir;
    const Molecule ts = withTranslations(water(true), 6);
    const std::string text = output(ts);
    ASSERT_NE(text.find("   1234.56 I"), std::string::npos);
    Reading r = read(dir.write("ts.out", text), 2);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_EQ(reader::modeList.count, 3);
    EXPECT_NEAR(reader::modeList.intensity[2], 90.0, 1e-4);
    EXPECT_FALSE(reader::modeList.hasRaman);
    expectEntry(reader::modeVector[2], ts, entryOf(ts, 2, 6), 2);

    const Molecule co2 = withTranslations(carbonDioxide(), 5);
    r = read(dir.write("co2.out", output(co2)), 4);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 4);
    expectEntry(reader::modeVector[0], co2, entryOf(co2, 4, 5), 0);

    const Molecule h2o = withTranslations(water(), 6);
    const std::string firefly =
        "          *      Firefly version 8.0.1, build number 8540      *\n\n" + bohrTable(h2o) +
        analysis(h2o, true) + closing;
    r = read(dir.write("firefly.out", firefly), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(r.format, reader::Format::gamess);
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[0], 10.5);
    expectEntry(reader::modeVector[1], h2o, entryOf(h2o, 1, 6), 1);
}

TEST(GamessOutput, IntensitiesInTheUnitStated) {
    ScratchDir dir;
    const Molecule h2o = withTranslations(water(), 6);
    Reading r =
        read(dir.write("km.out", banner + bohrTable(h2o) +
                                     analysis(h2o, false, "IR INTENSITIES IN KM/MOL,") + closing),
             1);
    ASSERT_TRUE(readWell(r));
    ASSERT_TRUE(reader::modeList.hasIntensities);
    EXPECT_NEAR(reader::modeList.intensity[0], 70.0 / kmPerMole, 1e-5);
    r = read(dir.write("unknown.out", banner + bohrTable(h2o) +
                                          analysis(h2o, false, "IR INTENSITIES IN FURLONGS,") +
                                          closing),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
}

TEST(GamessOutput, EquilibriumGeometryOfAnOptimisation) {
    ScratchDir dir;
    const Molecule h2o = withTranslations(water(), 6);
    // The input in bohr, two steps in Angstroms, the Hessian, then a second job.
    const std::string first = banner + bohrTable(h2o) + angstromTable(h2o, 0.5) +
                              angstromTable(h2o, 0.25) + analysis(h2o) + closing;
    Reading r = read(dir.write("opt.out", first), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);

    const Molecule ts = withTranslations(water(true), 6);
    r = read(dir.write("two.out", first + banner + bohrTable(ts) + analysis(ts) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::gamessCases() {
    Row row{"gamess.out", reader::Format::gamess};
    row.good = output(withTranslations(water(true), 6));
    row.damages = {
        {"a vector value", "X -0.05000000", "X -0.05O00000", "the X row of atom 1"},
        {"an axis", "\n                   Y", "\n                   Z", "the Y row of atom 1"},
        {"an atom number", "  2   H", "  3   H", "the X row of atom 2"},
        {"a frequency", "   1234.56 I", "   1234.56 J", "frequencies after \"FREQUENCY:\""},
        {"six frequencies", "       FREQUENCY:  ", "       FREQUENCY:        1.00  ",
         "1 to 5 frequencies"},
        {"an intensity", "    IR INTENSITY:  ", "    IR INTENSITY:  x", "5 numbers after"},
        {"a nuclear charge", " H           1.0", " H           1.5", "geometry row 2"},
        {"too few modes", "                          6", " ......END OF NORMAL COORDINATE ANALYSIS",
         "all 3N = 9 modes before the end"},
        // Mode 9's last value, read only for vibrations 3 and on.
        {"a value of a mode not asked for", "000\n\n TRANS. SAYVETZ", "00x\n\n TRANS. SAYVETZ",
         "the Z row of atom 3", "", 0, true},
    };
    const Molecule h2o = withTranslations(water(), 6);
    // Cut in the geometry, before the first block, in a block's rows, between blocks.
    for (const char* cut : {" H           1.0", "       FREQUENCY:", "  3   H", " TRANS."})
        row.cuts.push_back({cut, cutBefore(output(h2o), cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes", banner + bohrTable(h2o) + closing, {"(it has none)"}});
    row.cuts.push_back(
        {"modes first", banner + analysis(h2o) + closing, {"a geometry table before"}});
    row.over = banner + angstromTable(grid(1001)) + closing;
    row.overSays = {lineText(lineOf(row.over, "\n C ") + 1001), "at most 1000 atom rows"};
    return row;
}
