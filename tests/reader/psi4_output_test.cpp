// The Psi4 reader as a run reads a file: the real output read to the values printed in it
// (the reference geometry of its finite-difference step, not the displaced one printed last),
// generated outputs laid out as Psi4 1.3 and later print them (imaginary frequencies written
// "653.3950i", rotation-like modes, linear molecules, two frequency steps, analytic Hessians);
// its row of the cases every format shares.
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"

using namespace columntest;
using testsupport::ScratchDir;

namespace {

constexpr double bohr = 0.529177210903;

//          O            0.000000000000     0.000000000000     0.119159000000    15.99491461957
std::string geometryTable(const Molecule& m, double dx = 0.0, bool inBohr = false) {
    std::string text = "  ==> Geometry <==\n\n    Molecular point group: c2v\n\n";
    text += inBohr ? "    Geometry (in Bohr), charge = 0, multiplicity = 1:\n\n"
                   : "    Geometry (in Angstrom), charge = 0, multiplicity = 1:\n\n";
    text += "       Center              X                  Y                   Z       "
            "        Mass       \n";
    text += "    ------------   -----------------  -----------------  -----------------  "
            "-----------------\n";
    const double scale = inBohr ? 1.0 / bohr : 1.0;
    for (int i = 0; i < m.atoms(); ++i) {
        char row[160];
        std::snprintf(row, sizeof row, "    %6s     %18.12f %18.12f %18.12f %18.12f\n",
                      m.symbols[std::size_t(i)].c_str(),
                      (m.xyz[std::size_t(3 * i)] + (i == 0 ? dx : 0.0)) * scale,
                      m.xyz[std::size_t(3 * i + 1)] * scale, m.xyz[std::size_t(3 * i + 2)] * scale,
                      2.0 * m.numbers[std::size_t(i)]);
        text += row;
    }
    return text + "\n  Running in c2v symmetry.\n\n";
}

const char* const findif =
    "         ----------------------------------------------------------\n"
    "                                   FINDIF\n"
    "                     R. A. King and Jonathon Misiewicz\n"
    "         ----------------------------------------------------------\n\n"
    "  Using finite-differences of gradients to determine vibrational frequencies and \n"
    "  normal modes.  Resulting frequencies are only valid at stationary points.\n";

// A frequency as Psi4 prints it.
std::string frequencyField(double f) { return f < 0.0 ? format("%.4fi", -f) : format("%.4f", f); }

std::string analysis(const Molecule& m, bool intensities = true) {
    std::string text = "  ==> Harmonic Vibrational Analysis <==\n\n"
                       "  non-mass-weighted Hessian:       Symmetric? True   Hermitian? True\n"
                       "  pre-proj  low-frequency mode:    0.0000i [cm^-1]\n\n";
    for (int first = 0; first < m.entries(); first += 3) {
        const int count = m.entries() - first < 3 ? m.entries() - first : 3;
        std::string number = "  Vibration               ", frequency = "  Freq [cm^-1]            ";
        std::string intensity = "  IR activ [km/mol]       ";
        for (int c = 0; c < count; ++c) {
            number += format("%12d        ", first + c + 7);
            char field[40];
            std::snprintf(field, sizeof field, "%-20s",
                          frequencyField(m.frequencies[std::size_t(first + c)]).c_str());
            frequency += std::string("   ") + field;
            intensity += format("%12.4f        ", m.intensities[std::size_t(first + c)]);
        }
        text += number + "\n" + frequency + "\n  Irrep                           A1\n";
        text += "  Reduced mass [u]              1.0823\n  Force const [mDyne/A]         2.2064\n";
        if (intensities) text += intensity + "\n";
        text += "  Char temp [K]               197.4767\n";
        text += "  " + std::string(82, '-') + "\n";
        for (int i = 0; i < m.atoms(); ++i) {
            text += format("%7d", i + 1) + "   " + m.symbols[std::size_t(i)] +
                    std::string(15 - m.symbols[std::size_t(i)].size(), ' ');
            for (int c = 0; c < count; ++c) {
                const std::vector<double>& v = m.modes[std::size_t(first + c)];
                for (int k = 0; k < 3; ++k) text += format("%6.2f", v[std::size_t(3 * i + k)]);
                text += "   ";
            }
            text += "\n";
        }
        text += "\n";
    }
    return text + "  ==> Thermochemistry Components <==\n\n  Entropy, S\n";
}

const char* const banner =
    "    -----------------------------------------------------------------------\n"
    "          Psi4: An Open-Source Ab Initio Electronic Structure Package\n"
    "                               Psi4 1.7 release\n\n";
const char* const closing = "*** Psi4 exiting successfully. Buy a developer a beer!\n";

std::string output(const Molecule& m) { return banner + geometryTable(m) + analysis(m) + closing; }

TEST(Psi4Output, RealOutputReadsToTheValuesPrintedInIt) {
    const std::string file = programSampleFile("psi4-1.7-dvb-ir.out");
    // Vibrations 7, 8 and 60 as Psi4 numbers them; the lengths of their printed vectors.
    const double norms[3] = {1.007571, 0.998699, 1.005286};
    const int modes[3] = {1, 2, 54};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE(modes[t]);
        const Reading r = read(file, modes[t]);
        ASSERT_TRUE(readWell(r));
        EXPECT_EQ(r.format, reader::Format::psi4);
        ASSERT_EQ(reader::atomCount, 20);
        const int numbers[20] = {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1};
        for (int i = 0; i < 20; ++i) EXPECT_EQ(reader::geometry[i][0], numbers[i]) << i;
        // The reference geometry, in bohr, first after the finite-difference heading; the
        // table printed last before the frequencies has y = -0.131878614048 for atom 20.
        expectAtom(reader::geometry[0], 6, -2.674441177480 * bohr, 0.435056122520 * bohr, 0.0);
        expectAtom(reader::geometry[19], 1, -9.319459068080 * bohr, -0.134368889790 * bohr, 0.0);
        EXPECT_EQ(reader::modeList.count, 54);
        EXPECT_DOUBLE_EQ(reader::firstFrequency, 137.2531);
        EXPECT_DOUBLE_EQ(reader::modeList.frequency[53], 3680.4324);
        ASSERT_TRUE(reader::modeList.hasIntensities);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[0], 0.0544);
        EXPECT_DOUBLE_EQ(reader::modeList.intensity[53], 0.1911);
        const float(&first)[4] = reader::modeVector[0];
        const float(&last)[4] = reader::modeVector[19];
        const double n = norms[t];
        if (t == 0) {
            expectDisplacement(first, 6, 0.00, -0.00, -0.11, n);
            expectDisplacement(last, 1, -0.00, 0.00, 0.43, n);
        } else if (t == 1) {
            expectDisplacement(first, 6, 0.00, -0.00, -0.14, n);
            expectDisplacement(last, 1, -0.00, 0.00, 0.20, n);
        } else {
            expectDisplacement(first, 6, -0.00, -0.00, 0.00, n);
            expectDisplacement(last, 1, -0.47, 0.14, -0.00, n);
        }
    }
}

TEST(Psi4Output, ImaginaryRotationLikeAndLinear) {
    ScratchDir dir;
    const Molecule ts = water(true);
    const std::string text = output(ts);
    ASSERT_NE(text.find("1234.5600i"), std::string::npos);
    Reading r = read(dir.write("ts.out", text), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    expectEntry(reader::modeVector[2], ts, 0, 2);

    // Three rotation-like modes Psi4 did not project out, listed among the vibrations.
    const Molecule listing = withTranslations(water(true), 3);
    r = read(dir.write("rotations.out", output(listing)), 2);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 3);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);
    EXPECT_DOUBLE_EQ(reader::modeList.frequency[1], 3939.13);
    EXPECT_DOUBLE_EQ(reader::modeList.intensity[1], 50.0);
    expectEntry(reader::modeVector[1], listing, entryOf(listing, 2, 3), 1);

    const Molecule co2 = carbonDioxide();
    r = read(dir.write("co2.out", output(co2)), 4);
    ASSERT_TRUE(readWell(r));
    EXPECT_EQ(reader::modeList.count, 4);
    expectEntry(reader::modeVector[0], co2, 3, 0);

    r = read(dir.write("quiet.out", banner + geometryTable(co2) + analysis(co2, false) + closing),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_FALSE(reader::modeList.hasIntensities);
}

TEST(Psi4Output, GeometryOfTheFrequencyStep) {
    ScratchDir dir;
    const Molecule h2o = water();
    // Psi4 1.3: the gradient at the reference, then the finite-difference heading, the
    // reference again (in bohr) and two displaced geometries; then a second frequency step;
    // then an analytic Hessian with no finite differences.
    const std::string first = banner + geometryTable(h2o, 0.5) + findif +
                              geometryTable(h2o, 0.25, true) + geometryTable(h2o, 0.001) +
                              geometryTable(h2o, -0.001) + analysis(h2o);
    Reading r = read(dir.write("one.out", first + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.25, 1e-9);
    EXPECT_NEAR(reader::geometry[2][2], 0.790649, 1e-9);

    const Molecule ts = water(true);
    const std::string second =
        first + findif + geometryTable(ts, 0.125) + geometryTable(ts, 0.126) + analysis(ts);
    r = read(dir.write("two.out", second + closing), 1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.125, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, -1234.56);

    r = read(dir.write("three.out", second + geometryTable(h2o, 0.0625) + analysis(h2o) + closing),
             1);
    ASSERT_TRUE(readWell(r));
    EXPECT_NEAR(reader::geometry[0][1], 0.0625, 1e-9);
    EXPECT_DOUBLE_EQ(reader::firstFrequency, 1860.10);
}

} // namespace

// The cases every format shares (format_cases_test.cpp).
formatcases::Row formatcases::psi4Cases() {
    Row row{"psi4.out", reader::Format::psi4};
    row.good = output(water(true));
    row.damages = {
        {"a vector value", "  0.07 -0.07", "  0.07 -0,07", "the row of atom 1"},
        {"a geometry row", "     H  ", "     Q  ", "geometry row 2"},
        {"an imaginary frequency", "1234.5600i", "1234.56i00", "3 frequencies after"},
        {"an intensity", "20.0000", "20.00.00", "3 intensities after"},
        {"an atom row's element", "      2   H", "      2   C", "the row of atom 2"},
        {"an atom row's number", "      3   H", "      4   H", "the row of atom 3"},
        {"four vibrations in a block", "  Vibration                          7",
         "  Vibration       1 2 3 4", "1 to 3 vibration numbers"},
        {"a line that does not close the block", "\n\n  ==> Thermochemistry",
         "\n      4   H   0.1\n\n  ==> Thermochemistry", "a blank line after the 3 atom rows"},
    };
    for (const char* cut : {"     H  ", "  Freq [cm^-1]", "      3   H", "  ==> Thermochemistry"})
        row.cuts.push_back({cut, cutBefore(output(water()), cut), {" ends at line", "was read"}});
    row.cuts.push_back(
        {"no frequencies", banner + geometryTable(water()) + closing, {"(it has none)"}});
    row.thousand = [](const testsupport::ScratchDir& dir) {
        return dir.write("big.out", output(grid(1000)));
    };
    row.thousandMode = 2;
    row.read = [] { expectEntry(reader::modeVector[999], grid(1000), 1, 999); };
    row.over = output(grid(1001));
    row.overSays = {"at most 1000 atom rows"};
    return row;
}
