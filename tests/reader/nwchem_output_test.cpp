// The NWChem reader as a run reads a file: the real output read to the values printed in it
// (the projected table, printed after the unprojected one), generated outputs laid out as
// NWChem prints them (all 3N modes listed, transition states, linear molecules, two
// analyses); its row of the cases every format shares.
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"

using namespace columntest;
using testsupport::ScratchDir;

namespace {

constexpr double bohr = 0.529177210903;

// A number as NWChem's atom table prints it, 4.4749758D-01.
std::string dNumber(double value) {
    std::string text = format("%15.7E", value);
    text[text.find('E')] = 'D';
    return text;
}

//     C        1  4.4749758D-01  2.6723874D+00  0.0000000D+00  1.2000000D+01
std::string atomTable(const Molecule& m, double dx = 0.0) {
    std::string text =
        "\n ---------------------------- Atom information ----------------------------\n"
        "     atom    #        X              Y              Z            mass\n"
        " --------------------------------------------------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        text += "    " + m.symbols[std::size_t(i)] +
                std::string(6 - m.symbols[std::size_t(i)].size(), ' ');
        text += format("%3d", i + 1);
        for (int k = 0; k < 3; ++k)
            text += dNumber((m.xyz[std::size_t(3 * i + k)] + (k == 0 ? dx : 0.0)) / bohr);
        text += dNumber(2.0 * m.numbers[std::size_t(i)]) + "\n";
    }
    return text + " --------------------------------------------------------------------------\n\n";
}

// The eigenvector table and its intensity table, projected or not; `shift` is added to every
// frequency and intensity (the unprojected values differ a little).
std::string modeTables(const Molecule& m, bool projected, double shift = 0.0) {
    std::string text = "          -------------------------------------------------\n"
                       "          NORMAL MODE EIGENVECTORS IN CARTESIAN COORDINATES\n"
                       "          -------------------------------------------------\n";
    text += projected ? "             (Projected Frequencies expressed in cm-1)\n"
                      : "                 (Frequencies expressed in cm-1)\n";
    for (int first = 0; first < m.entries(); first += 6) {
        const int count = m.entries() - first < 6 ? m.entries() - first : 6;
        std::string numbers = "\n            ",
                    frequency = projected ? " P.Frequency " : " Frequency   ";
        for (int c = 0; c < count; ++c) {
            numbers += format("%12d", first + c + 1);
            frequency += format("%12.2f", m.frequencies[std::size_t(first + c)] + shift);
        }
        text += numbers + "\n \n" + frequency + "\n \n";
        for (int r = 0; r < 3 * m.atoms(); ++r) {
            text += format("%12d", r + 1) + "  ";
            for (int c = 0; c < count; ++c)
                text += format("%12.5f", m.modes[std::size_t(first + c)][std::size_t(r)]);
            text += "\n";
        }
    }
    text += "\n\n ----------------------------------------------------------------------------\n";
    text += projected ? " Normal Eigenvalue ||           Projected Infra Red Intensities\n"
                      : " Normal Eigenvalue ||                 Infra Red Intensities\n";
    text += "  Mode   [cm**-1]  || [atomic units] [(debye/angs)**2] [(KM/mol)] [arbitrary]\n"
            " ------ ---------- || -------------- ----------------- ---------- -----------\n";
    for (int e = 0; e < m.entries(); ++e) {
        const double intensity = m.intensities[std::size_t(e)] + shift;
        text += format("%5d", e + 1) + format("%13.3f", m.frequencies[std::size_t(e)] + shift) +
                " ||" + format("%12.6f", intensity / 42.2561) +
                format("%16.3f", intensity / 42.2561) + format("%14.3f", intensity) +
                format("%12.3f", 2.0 * intensity) + "\n";
    }
    return text +
           " ----------------------------------------------------------------------------\n\n";
}

const char* const banner =
    "              Northwest Computational Chemistry Package (NWChem) 7.0.2\n"
    "              --------------------------------------------------------\n\n";
const char* const closing = " Task  times  cpu:      287.4s     wall:      287.9s\n";

// An analysis as NWChem prints it: the atom table, the unprojected tables, the projected ones.
std::string analysis(const Molecule& m) {
    return atomTable(m) + "  Vibrational analysis via the FX method \n" +
           modeTables(m, false, 0.5) +
           "        Vibrational analysis via the FX method \n"
           "  --- with translations and rotations projected out ---\n" +
           modeTables(m, true);
}

std::string output(const Molecule& m) { return banner + analysis(m) + closing; }

TEST(NwchemOutput, RealOutputReadsToTheValuesPrintedInIt) {
    const std::string file = programSampleFile("nwchem7.0-dvb-ir.out");
    // Vibrations 1, 2 and 54 are the projected table's modes 7, 8 and 60; the lengths of their
    // printed vectors.
    const double norms[3] = {0.560961, 0.633712, 0.945635};
    const int modes[3] = {1, 2, 54};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE(modes[t]);
        const Reading r = read(file, modes[t]);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(r.format, reader::Format::nwchem);
        ASSERT_EQ(reader::atomCount, 20);
        const int numbers[20] = {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1};
        for (int i = 0; i < 20; ++i) EXPECT_EQ(reader::geometry[i][0], numbers[i]) << i;
        // The atom table of the analysis, in bohr.
        expectAtom(reader::geometry[0], 6, 4.4749758e-01 * bohr, 2.6723874 * bohr, 0.0);
        expectAtom(reader::geometry[19], 1, -9.0996939e-02 * bohr, 9.3199828 * bohr, 0.0);
        EXPECT_EQ(reader::modeList.count, 54);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 49.01);
        // Projected: 81.56 (unprojected 81.29); the intensity of mode 33, 13.162 (mode 32
        // unprojected, 13.163).
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 81.56);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[53], 3546.65);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[25], 0.000);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[26], 13.162);
        const float(&first)[4] = reader::modeVector[0];
        const float(&last)[4] = reader::modeVector[19];
        const double n = norms[t];
        if (t == 0) {
            expectDisplacement(first, 6, -0.00000, 0.00000, -0.04456, n);
            expectDisplacement(last, 1, 0.00000, 0.00000, 0.16996, n);
        } else if (t == 1) {
            expectDisplacement(first, 6, 0.00000, 0.00000, 0.05431, n);
            expectDisplacement(last, 1, -0.00000, -0.00000, -0.06336, n);
        } else {
            expectDisplacement(first, 6, -0.00016, 0.00032, -0.00000, n);
            expectDisplacement(last, 1, 0.13347, 0.44621, 0.00000, n);
        }
    }
}

TEST(NwchemOutput, TranslationsLeftOutByTheirFrequencies) {
    ScratchDir dir;
    // A transition state: the imaginary mode first, then six small ones, then the others.
    const Molecule ts = withTranslations(water(true), 6);
    for (int vibration : {1, 2, 3}) {
        SCOPED_TRACE(vibration);
        const Reading r = read(dir.write("ts.out", output(ts)), vibration);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(reader::modeList.count, 3);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[2], 4272.66);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[1], 80.0);
        for (int i = 0; i < 3; ++i)
            expectEntry(reader::modeVector[i], ts, entryOf(ts, vibration, 6), i);
    }
    const Molecule co2 = withTranslations(carbonDioxide(), 5);
    const Reading r = read(dir.write("co2.out", output(co2)), 4);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 4);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 667.3);
    expectEntry(reader::modeVector[1], co2, entryOf(co2, 4, 5), 1);
}

TEST(NwchemOutput, ProjectedTableOfTheLastAnalysis) {
    ScratchDir dir;
    const Molecule first = withTranslations(water(), 6);
    Molecule second = withTranslations(water(true), 6);
    second.xyz[0] = 0.25;
    // Two tasks; then the unprojected tables alone, as a first-order saddle point search
    // might leave them, read as they stand.
    Reading r = read(
        dir.write("two.out", banner + analysis(first) + closing + analysis(second) + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[0], 10.0);

    r = read(
        dir.write("plain.out", banner + atomTable(first) + modeTables(first, false, 0.5) + closing),
        2);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.60);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[1], 80.5);
    expectEntry(reader::modeVector[0], first, entryOf(first, 2, 6), 0);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::nwchemCases() {
    Row row{"nwchem.out", reader::Format::nwchem};
    const Molecule h2o = withTranslations(water(), 6);
    row.good = output(h2o);
    // The last of each (the projected table's).
    row.damages = {
        {"a vector value", "           9      -0.04000", "           9      -0.04x00",
         "row 9 of a block"},
        {"a missing vector row", "           8      -0.09000", "           9      -0.09000",
         "row 8 of a block"},
        {"an atom row", "    H       2", "    H       3", "atom row 2"},
        {"a frequency", " P.Frequency ", " P.Frequency  1.2.3", "\"P.Frequency\" row of 3 numbers"},
        {"the mode numbers", "           7           8", "           8           7",
         "the mode numbers 7 and on"},
        {"an intensity row", "    4        0.020 ||", "    4        0.020 //", "intensity row 4"},
        {"the table's frequency line", "(Projected Frequencies", "(Projected Modes",
         "\"(Frequencies expressed in cm-1)\""},
        // Mode 9's last value, read only for vibrations 3 and on.
        {"a value of a mode not asked for", "000\n\n\n ------", "00x\n\n\n ------",
         "row 9 of a block"},
    };
    for (Damage& d : row.damages) d.last = true;
    // Cut in the atom table, in the projected table (the unprojected one complete before it),
    // and in the projected intensity table.
    for (const char* cut : {"    H       3", "           9      ", "    5        "})
        row.cuts.push_back(
            {cut, cutBefore(row.good, cut, "", true), {" ends at line", "was read"}});
    row.cuts.push_back({"no modes", banner + atomTable(h2o) + closing, {"(it has none)"}});
    row.cuts.push_back({"modes first",
                        banner + modeTables(h2o, true) + closing,
                        {"an \"Atom information\" table before"}});
    row.over = output(grid(1001));
    row.overSays = {lineText(lineOf(row.over, "C     1001")), "at most 1000 atom rows"};
    return row;
}
