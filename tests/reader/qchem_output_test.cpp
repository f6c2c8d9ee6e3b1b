// The Q-Chem reader as a run reads a file: the real output read to the values printed in it,
// generated outputs laid out as Q-Chem 4 to 6 print them (transition states, linear
// molecules, several sections); its row of the cases every format shares.
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"

using namespace columntest;
using testsupport::ScratchDir;

namespace {

const char* const rule = " ----------------------------------------------------------------\n";

//     1      O      -0.0000000000     0.0000000000     0.1191593746
std::string orientation(const Molecule& m, const char* unit = "Angstroms", double scale = 1.0) {
    std::string text = rule;
    text += std::string("             Standard Nuclear Orientation (") + unit + ")\n";
    text += "    I     Atom           X                Y                Z\n";
    text += rule;
    for (int i = 0; i < m.atoms(); ++i) {
        char row[120];
        std::snprintf(row, sizeof row, "%5d      %-2s %16.10f %16.10f %16.10f\n", i + 1,
                      m.symbols[std::size_t(i)].c_str(), m.xyz[std::size_t(3 * i)] / scale,
                      m.xyz[std::size_t(3 * i + 1)] / scale, m.xyz[std::size_t(3 * i + 2)] / scale);
        text += row;
    }
    return text + rule + " Nuclear Repulsion Energy =           8.88700626 hartrees\n";
}

const char* const heading =
    " **********************************************************************\n"
    " **                                                                  **\n"
    " **                       VIBRATIONAL ANALYSIS                       **\n"
    " **                       --------------------                       **\n"
    " **                                                                  **\n"
    " **        VIBRATIONAL FREQUENCIES (CM**-1) AND NORMAL MODES         **\n"
    " **     FORCE CONSTANTS (mDYN/ANGSTROM) AND REDUCED MASSES (AMU)     **\n"
    " **                  INFRARED INTENSITIES (KM/MOL)                   **\n"
    " **                                                                  **\n"
    " **********************************************************************\n\n\n";

// The section's blocks of three modes; `raman` adds "Raman Intens:" rows.
std::string analysis(const Molecule& m, bool raman = false) {
    std::string text = heading;
    for (int first = 0; first < m.entries(); first += 3) {
        const int count = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string mode = " Mode:    ", frequency = " Frequency:", intensity = " IR Intens:";
        std::string ramanRow = " Raman Intens:", header = "          ";
        for (int c = 0; c < count; ++c) {
            mode += format("%13d          ", first + c + 1);
            frequency += format("%13.2f          ", m.frequencies[std::size_t(first + c)]);
            intensity += format("%13.3f          ", m.intensities[std::size_t(first + c)]);
            ramanRow += format("%10.3f             ", 2.5 * (first + c + 1));
            header += "     X      Y      Z  ";
        }
        text += mode + "\n" + frequency + "\n Force Cnst:      2.2064\n Red. Mass:       1.0823\n";
        text += " IR Active:          YES\n" + intensity + "\n Raman Active:       YES\n";
        if (raman) text += ramanRow + "\n Depolar:          0.750\n";
        text += header + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += " " + m.symbols[std::size_t(i)] +
                    std::string(9 - m.symbols[std::size_t(i)].size(), ' ');
            for (int c = 0; c < count; ++c) {
                const std::vector<double>& v = m.modes[std::size_t(first + c)];
                for (int k = 0; k < 3; ++k) text += format("%7.3f", v[std::size_t(3 * i + k)]);
                text += "  ";
            }
            text += "\n";
        }
        text += " TransDip  -0.000 -0.000  0.078\n\n";
    }
    return text + " STANDARD THERMODYNAMIC QUANTITIES AT   298.15 K  AND     1.00 ATM\n";
}

const char* const banner = "                  Welcome to Q-Chem\n"
                           "     A Quantum Leap Into The Future Of Chemistry\n\n"
                           " Q-Chem 5.4, Q-Chem, Inc., Pleasanton, CA (2021)\n\n";
const char* const closing =
    "        *  Thank you very much for using Q-Chem.  Have a nice day.  *\n";

std::string output(const Molecule& m) { return banner + orientation(m) + analysis(m) + closing; }

TEST(QchemOutput, RealOutputReadsToTheValuesPrintedInIt) {
    const std::string file = programSampleFile("qchem5.4-water-ir.out");
    // The printed vectors' lengths: mode 1 O (-0.000 -0.000 -0.070) H (-0.430 0.000 0.559)
    // H (0.430 -0.000 0.559), and likewise modes 2 and 3.
    const double norms[3] = {0.9998309857, 0.9995428955, 0.9992652301};
    for (int mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        const Reading r = read(file, mode);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(r.format, reader::Format::qchem);
        ASSERT_EQ(reader::atomCount, 3);
        expectAtom(reader::geometry[0], 8, -0.0, 0.0, 0.1191593746);
        EXPECT_EQ(reader::geometry[1][0], 1);
        expectAtom(reader::geometry[2], 1, 0.7906491549, -0.0, -0.4766374983);
        EXPECT_EQ(reader::modeList.count, 3);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[2], 4272.66);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[1], 61.120);
        EXPECT_FALSE(reader::modeList.hasRaman);
        const double n = norms[mode - 1];
        const float(&first)[4] = reader::modeVector[0];
        const float(&last)[4] = reader::modeVector[2];
        if (mode == 1) {
            expectDisplacement(first, 8, -0.000, -0.000, -0.070, n);
            expectDisplacement(last, 1, 0.430, -0.000, 0.559, n);
        } else if (mode == 2) {
            expectDisplacement(first, 8, -0.000, -0.000, -0.050, n);
            expectDisplacement(last, 1, -0.583, 0.000, 0.398, n);
        } else {
            expectDisplacement(first, 8, -0.071, -0.000, 0.000, n);
            expectDisplacement(last, 1, 0.563, -0.000, -0.424, n);
        }
    }
}

TEST(QchemOutput, TransitionStatesLinearMoleculesAndRamanActivities) {
    ScratchDir dir;
    const Molecule ts = water(true);
    Reading r = read(dir.write("ts.out", output(ts)), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_EQ(reader::modeList.count, 3);
    for (int i = 0; i < 3; ++i) expectEntry(reader::modeVector[i], ts, 0, i);

    const Molecule co2 = carbonDioxide();
    r = read(dir.write("co2.out", output(co2)), 4);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 4);
    expectEntry(reader::modeVector[2], co2, 3, 2);

    // An intensity too wide for its field: the frequencies stand, the intensities do not.
    std::string wide = output(ts);
    wide.replace(wide.find("20.000"), 6, "******");
    r = read(dir.write("wide.out", wide), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 3939.13);

    const Molecule h2o = water();
    r = read(dir.write("raman.out", banner + orientation(h2o) + analysis(h2o, true) + closing), 2);
    ASSERT_TRUE(readWell(r));
    ASSERT_TRUE(reader::modeList.hasRaman);
    EXPECT_DOUBLE_EQ(reader::modeList.ramanActivity[2], 7.5);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[2], 30.0);
    expectEntry(reader::modeVector[1], h2o, 1, 1);
}

TEST(QchemOutput, LastSectionReadWithTheOrientationBeforeIt) {
    ScratchDir dir;
    const Molecule h2o = water();
    Molecule moved = water(true);
    moved.xyz[2] = 0.2;
    // An optimisation's orientation, a first job's frequencies, the second job's orientation
    // in bohr and its frequencies, then displaced geometries as an anharmonic job prints
    // them after its harmonic section.
    const double bohr = 0.529177210903;
    Molecule displaced = h2o;
    displaced.xyz[0] = 0.5;
    const std::string text = banner + orientation(h2o) + analysis(h2o) + closing + banner +
                             orientation(moved, "Bohr", bohr) + analysis(moved) +
                             orientation(displaced) + closing;
    const Reading r = read(dir.write("two.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_NEAR(reader::geometry[0][3], 0.2, 1e-9);
    EXPECT_NEAR(reader::geometry[0][1], 0.0, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::qchemCases() {
    Row row{"qchem.out", reader::Format::qchem};
    row.good = output(water());
    row.damages = {
        {"a vector value", " 0.070 -0.070", " 0.070 -0.0x0", "the row of atom 1"},
        {"an orientation row", "    2      H ", "    2      Q ", "orientation row 2"},
        {"a frequency", "3939.13", "3939,13", "3 numbers after the row's name"},
        {"an intensity", "20.000", "20.0.0", "3 numbers after the row's name"},
        {"a missing atom row", " H         -0.020", " TransDip  -0.020", "the row of atom 2"},
        {"the block's mode numbers", " Mode:                1", " Mode:                2",
         "the mode numbers 1 and on"},
        {"the header of the displacements", "      Z       X      Y      Z  \n", "\n",
         "an \"X  Y  Z\" header for each of 3 modes"},
        {"a line that does not close the block", " TransDip  -0.000 -0.000  0.078\n\n",
         " TransDip  -0.000 -0.000  0.078\n H  0.1\n", "a blank line after the 3 atom rows", "", 1},
    };
    // Cut inside the orientation table, the section's heading, a block, and after the last
    // block (before the line that closes the section).
    for (const char* cut : {"    2      H ", " **        VIBRATIONAL FREQ", " H          0.0",
                            " STANDARD THERMODYNAMIC"})
        row.cuts.push_back({cut, cutBefore(row.good, cut), {" ends at line", "was read"}});
    row.cuts.push_back({"no frequencies",
                        banner + orientation(water()) + closing,
                        {"\"VIBRATIONAL ANALYSIS\" section (it has none)"}});
    row.cuts.push_back({"no orientation",
                        std::string(banner) + analysis(water()) + closing,
                        {"a \"Standard Nuclear Orientation\" table before"}});
    row.thousand = [](const testsupport::ScratchDir& dir) {
        return dir.write("big.out", output(grid(1000)));
    };
    row.thousandMode = 3;
    row.read = [] {
        EXPECT_EQ(reader::modeList.count, 3);
        expectEntry(reader::modeVector[999], grid(1000), 2, 999);
    };
    row.over = output(grid(1001));
    row.overSays = {lineText(lineOf(row.over, "\n 1001 ") + 1), "at most 1000 atom rows"};
    return row;
}
