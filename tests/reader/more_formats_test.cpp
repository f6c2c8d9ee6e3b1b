// Turbomole (the control file and aoforce's output) and Molpro output, read through the reader's
// one face: the real files kept in tests/data against the values printed in them; one table over
// the formats for what they share (molecules written in each layout, a thousand atoms and one
// more, a file cut short, a damaged row); then what is each format's own.
#include "tests/reader/column_formats.h"
#include "tests/reader/format_cases.h"
#include "tests/reader/vibration_files.h"

#include <cstdio>

using namespace vibrationfiles;
using reader::Format;
using testsupport::ScratchDir;

namespace {

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

const char* symbolOf(int number) {
    static const char* symbols[] = {"", "h", "he", "li", "be", "b", "c", "n", "o"};
    return symbols[number];
}

std::string upperSymbol(int number) {
    std::string s = symbolOf(number);
    s[0] = char(s[0] - 'a' + 'A');
    return s;
}

// --- Molpro ----------------------------------------------------------------------------------

// The modes of one kind as Molpro prints them in blocks of five.
std::string molproBlocks(const Molecule& m, const std::vector<int>& entries, bool irreps) {
    std::string text;
    for (std::size_t first = 0; first < entries.size(); first += 5) {
        const std::size_t end = std::min(entries.size(), first + 5);
        std::string numbers = "                      ", waves = " Wavenumbers [cm-1]     ",
                    intensities = " Intensities [km/mol]   ";
        for (std::size_t c = first; c < end; ++c) {
            const int e = entries[c];
            numbers += printed("%10.0f", double(c + 1)) + (irreps ? " A  " : "    ");
            waves += printed(" %15.8f", std::fabs(m.frequencies[std::size_t(e)]));
            intensities += printed(" %15.8f", m.intensities[std::size_t(e)]);
        }
        text += numbers + "\n" + waves + "\n" + intensities +
                "\n Intensities [relative]         1.00\n";
        for (std::size_t a = 0; a < m.atoms.size(); ++a)
            for (int k = 0; k < 3; ++k) {
                std::string row = "           " + upperSymbol(m.atoms[a].number) + "XYZ"[k] +
                                  std::to_string(a + 1) + "      ";
                for (std::size_t c = first; c < end; ++c)
                    row += printed(" %15.8f", m.vectors[std::size_t(entries[c])][3 * a + k]);
                text += row + "\n";
            }
        text += "\n";
    }
    return text;
}

// The output of molecule m, the entries below `lowLimit` in absolute value among the low/zero ones.
std::string molproOutput(const Molecule& m, double lowLimit) {
    std::string text =
        " Primary working directories    : /tmp/molpro\n"
        " Wavefunction directory         : /home/user/wfu/\n\n"
        "                                         ***  PROGRAM SYSTEM MOLPRO  ***\n\n"
        " FREQUENCIES * CALCULATION OF NORMAL MODES FOR KS-SCF\n\n\n"
        " Atomic Coordinates\n\n"
        "  Nr  Atom  Charge       X              Y              Z\n\n";
    for (std::size_t a = 0; a < m.atoms.size(); ++a) {
        const testsupport::Atom& atom = m.atoms[a];
        text += printed("%4.0f", double(a + 1)) + "   " + upperSymbol(atom.number) +
                printed("  %6.2f", atom.number) + printed(" %16.10f", atom.x / bohr) +
                printed(" %16.10f", atom.y / bohr) + printed(" %16.10f\n", atom.z / bohr);
    }
    std::vector<int> real, imaginary, low;
    for (int e = 0; e < m.listed(); ++e) {
        const double f = m.frequencies[std::size_t(e)];
        (std::fabs(f) < lowLimit ? low : f < 0.0 ? imaginary : real).push_back(e);
    }
    text += "\n Normal Modes\n\n" + molproBlocks(m, real, true);
    if (!imaginary.empty())
        text += "\n Normal Modes of imaginary frequencies\n\n" + molproBlocks(m, imaginary, false);
    if (!low.empty())
        text += "\n Normal Modes of low/zero frequencies\n\n" + molproBlocks(m, low, false);
    return text + "\n FREQUENCIES * CALCULATION OF THERMODYNAMICAL PROPERTIES\n";
}

std::string molproOutput(const Molecule& m) { return molproOutput(m, 0.5); }

// --- Turbomole aoforce -------------------------------------------------------------------------

std::string aoforceFrequency(double f) {
    return f < 0.0 ? printed("  i%.2f", -f) : printed(" %8.2f", f);
}

std::string aoforceOutput(const Molecule& m) {
    std::string text = "                             T U R B O M O L E\n\n"
                       "                          a o f o r c e - program\n\n"
                       "                    atomic coordinates            atom    charge  isotop\n";
    for (const testsupport::Atom& a : m.atoms)
        text += printed("%20.8f", a.x / bohr) + printed("%14.8f", a.y / bohr) +
                printed("%14.8f", a.z / bohr) + "    " + symbolOf(a.number) +
                printed("  %9.3f     0\n", a.number);
    text += " \n          NORMAL MODES and VIBRATIONAL FREQUENCIES (cm**(-1))\n\n"
            " imaginary wave numbers indicate a negative curvature of the energy surface.\n\n";
    for (int first = 0; first < m.listed(); first += 6) {
        const int end = std::min(m.listed(), first + 6);
        std::string numbers = "       mode          ", frequency = "     frequency       ",
                    intensity = "intensity (km/mol)   ";
        for (int e = first; e < end; ++e) {
            numbers += printed("%9.0f", double(e + 1));
            frequency += aoforceFrequency(m.frequencies[std::size_t(e)]);
            intensity += printed(" %8.2f", m.intensities[std::size_t(e)]);
        }
        text += "\n" + numbers + "\n\n" + frequency + "\n\n     symmetry\n\n        IR\n" +
                "|dDIP/dQ|   (a.u.)\n" + intensity + "\n \n       RAMAN\n \n";
        for (std::size_t a = 0; a < m.atoms.size(); ++a)
            for (int k = 0; k < 3; ++k) {
                std::string row = k == 0 ? printed("%3.0f", double(a + 1)) + "   " +
                                               symbolOf(m.atoms[a].number) + "           x"
                                         : std::string("                  ") + "xyz"[k];
                for (int e = first; e < end; ++e)
                    row += printed(" %12.8f", m.vectors[std::size_t(e)][3 * a + k]);
                text += row + "\n";
            }
        text += "\nreduced mass(g/mol)     1.212\n\n";
    }
    return text + "         ****************\n         *  zero point VIBRATIONAL energy  *\n";
}

// --- Turbomole control -------------------------------------------------------------------------

std::string coordGroup(const Molecule& m) {
    std::string text = "$coord\n";
    for (const testsupport::Atom& a : m.atoms)
        text += printed("%20.14f", a.x / bohr) + printed("%22.14f", a.y / bohr) +
                printed("%22.14f", a.z / bohr) + "      " + symbolOf(a.number) + "\n";
    return text;
}

std::string spectrumGroup(const Molecule& m) {
    std::string text = "$vibrational spectrum\n"
                       "#  mode     symmetry     wave number   IR intensity    selection rules\n"
                       "#                         cm**(-1)        km/mol         IR     RAMAN\n";
    for (int e = 0; e < m.listed(); ++e) {
        const double f = m.frequencies[std::size_t(e)];
        text += printed("%6.0f", double(e + 1)) + (f == 0.0 ? "          " : "        a ") +
                printed("%18.2f", f) + printed("%16.5f", m.intensities[std::size_t(e)]) +
                (f == 0.0 ? "        -       -\n" : "       YES     YES\n");
    }
    return text;
}

// `joined`: "i j" with no blank between, as Turbomole's columns run together once the numbers
// are wide.
std::string modesGroup(const Molecule& m, bool joined = false) {
    std::string text = "$vibrational normal modes\n";
    const std::size_t components = 3 * m.atoms.size();
    for (std::size_t i = 0; i < components; ++i)
        for (int first = 0, part = 1; first < m.listed(); first += 5, ++part) {
            text += joined ? printed("%.0f", double(i + 1)) + printed("%.0f", part)
                           : printed("%3.0f", double(i + 1)) + printed("%3.0f", part);
            for (int e = first; e < std::min(m.listed(), first + 5); ++e)
                text += printed(" %14.10f", m.vectors[std::size_t(e)][i]);
            text += "\n";
        }
    return text;
}

std::string controlFile(const Molecule& m) {
    return "$title\n$symmetry c1\n" + coordGroup(m) + "$atoms\no  1\n" + spectrumGroup(m) +
           "$nvibro        " + std::to_string(m.listed()) + "\n" + modesGroup(m) + "$end\n";
}

// --- One table over the formats ---------------------------------------------------------------

struct Layout {
    const char* name;
    Format format;
    std::string (*write)(const Molecule&);
};

const Layout layouts[] = {
    {"Molpro", Format::molpro, molproOutput},
    {"aoforce", Format::aoforce, aoforceOutput},
    {"control", Format::turbomole, controlFile},
};

void readAs(const Layout& layout, const std::string& file, int mode) {
    reader::readVibrations(file, layout.format, mode);
}

// Reading `file` (recognised by its content) ends the run with one line holding `parts`.
testing::AssertionResult endsTheRun(const std::string& file,
                                    std::initializer_list<std::string> parts) {
    const columntest::Reading r = columntest::read(file, 1);
    const std::string text(r.end.diagnostic());
    if (!r.end.ended || r.end.status != -1 || !testsupport::isOneDiagnostic(text, 109))
        return testing::AssertionFailure() << "not one *ERR* 109 line: " << text;
    for (const std::string& part : parts)
        if (text.find(part) == std::string::npos)
            return testing::AssertionFailure() << "no \"" << part << "\" in: " << text;
    return testing::AssertionSuccess();
}

std::string lineOf(const std::string& file, int line) {
    return file + ", line " + std::to_string(line) + ": expected ";
}

TEST(MoreFormats, EachLayoutReadsTheMoleculeItHolds) {
    ScratchDir dir;
    for (const Layout& layout : layouts)
        for (const Molecule& m : {bentTransitionState(), linearTriatomic(), diatomic()}) {
            SCOPED_TRACE(std::string(layout.name) + ", " + std::to_string(m.atoms.size()) +
                         " atoms, first " + std::to_string(m.frequencies[std::size_t(m.first())]));
            const std::string file = dir.write("job.out", layout.write(m));
            ASSERT_EQ(reader::recogniseFormat(file), layout.format);
            for (int mode = 1; mode <= m.vibrations; ++mode) {
                readAs(layout, file, mode);
                expectRead(m, mode, 1e-8);
            }
            expectStep(m, file, layout.format);
            ASSERT_TRUE(reader::modeList.hasIntensities);
            EXPECT_NEAR(reader::modeList.intensity[m.vibrations - 1],
                        m.intensities[std::size_t(m.listed() - 1)], 1e-2);
        }
}

// --- The real files --------------------------------------------------------------------------

std::string dataFile(const std::string& name) {
    return std::string(MOLVANE_TEST_DATA) + "/more-program-samples/" + name;
}

TEST(MoreFormats, RealFilesReadToTheirPrintedValues) {
    // Molpro 2018: "Atomic Coordinates" in bohr, vectors scaled to sum m v^2 = 1 (mode 1
    // printed at length 0.5526), the low/zero block after the 54 vibrations.
    expectRealFileAt(dataFile("molpro2018-dvb-ir.out"),
                     {"Molpro 2018",
                      Format::molpro,
                      {6, 6, 6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 1, 1, 1, 1},
                      {2.676555196 * bohr, 0.445053706 * bohr, 0.0},
                      {7.012025928 * bohr, -2.731625597 * bohr, 0.0},
                      54,
                      {{0.0, 0.0, -0.04531 / 0.552616},
                       {0.0, 0.0, -0.05420 / 0.633573},
                       {-0.00033 / 0.945652, 0.00015 / 0.945652, 0.0}},
                      {{0.0, 0.0, 0.26750 / 0.552616},
                       {0.0, 0.0, 0.28162 / 0.633573},
                       {-0.07446 / 0.945652, -0.46056 / 0.945652, 0.0}},
                      55.87,
                      9,
                      5.84});
    // Turbomole 7.4 aoforce: nine modes, six at 0.00; vectors of unit length, 5 decimals.
    const RealFile aoforce{
        "Turbomole aoforce",
        Format::aoforce,
        {8, 1, 1},
        {0.0, 0.0, 0.33082209 * bohr},
        {0.0, -1.45589283 * bohr, -0.95353550 * bohr},
        3,
        {{0.0, 0.0, 0.06794}, {0.0, 0.0, 0.05335}, {0.0, -0.06666, 0.0}},
        {{0.0, 0.45490, -0.53922}, {0.0, -0.56509, -0.42338}, {0.0, 0.529083, 0.466743}},
        2016.19,
        2,
        69.67};
    expectRealFileAt(dataFile("turbomole7.4-water-aoforce.out"), aoforce);
    // The control file of the same job, its groups in coord, vib_normal_modes and vibspectrum:
    // the same modes with ten decimals, the intensities with five.
    RealFile control = aoforce;
    control.name = "Turbomole control";
    control.format = Format::turbomole;
    control.firstAtom = {0.0, -0.00000000000001 * bohr, 0.33082208695090 * bohr};
    control.lastAtom = {0.0, -1.45589282870709 * bohr, -0.95353549684997 * bohr};
    control.modeFirst[2] = {0.0, -0.0666648067, 0.0};
    control.modeLast[2] = {0.0, 0.5290816731, 0.4667445608};
    control.intensity = 69.66928;
    expectRealFileAt(dataFile("turbomole7.4-water-ir/control"), control);
}

// --- What each format holds of its own ------------------------------------------------------

TEST(Molpro, ImaginaryModesComeFirstAndLowOnesAreVibrationsWhenTheCountSaysSo) {
    ScratchDir dir;
    // A transition state: its imaginary mode printed positive in a block of its own after the
    // others; the six low/zero entries of the listing are translations and rotations.
    const Molecule ts = bentTransitionState();
    std::string text = molproOutput(ts);
    ASSERT_NE(text.find("1234.56000000"), std::string::npos);
    ASSERT_EQ(text.find("-1234.56"), std::string::npos);
    readAs(layouts[0], dir.write("ts.out", text), 1);
    expectRead(ts, 1, 1e-8);

    // Four atoms, six vibrations: a seventh low/zero entry of 12 cm-1 is a vibration all the
    // same, numbered first, as its frequency is lowest.
    const Molecule low = withVibrations(
        {{6, 0.0, 0.0, 0.0}, {8, 0.0, 0.0, 1.2}, {1, 0.0, 0.9, -0.6}, {1, 0.0, -0.9, -0.6}},
        {12.0, 500.5, 1000.25, 1500.75, 2000.5, 2500.25});
    text = molproOutput(low, 20.0);
    ASSERT_NE(text.find("12.00000000", text.find("low/zero")), std::string::npos);
    const std::string file = dir.write("low.out", text);
    for (int mode = 1; mode <= low.vibrations; ++mode) {
        readAs(layouts[0], file, mode);
        expectRead(low, mode, 1e-8);
    }
}

TEST(Molpro, TheElementIsTheChargesWhateverTheLabel) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    // GX1 is the oxygen here; "I" with the charge 25 an iodine whose core of 28 electrons an
    // effective core potential takes (its row labels as Molpro writes them).
    std::string text = replaced(molproOutput(m), "   1   O", "   1   GX1", "Atomic Coordinates");
    readAs(layouts[0], dir.write("label.out", text), 1);
    EXPECT_EQ(reader::geometry[0][0], 8);
    text = replaced(replaced(molproOutput(m), "   2   H    1.00", "   2   I   25.00"), "   3   H",
                    "   3   C");
    readAs(layouts[0], dir.write("ecp.out", text), 1);
    EXPECT_EQ(reader::geometry[1][0], 53);
    EXPECT_EQ(reader::geometry[2][0], 1);
}

TEST(TurbomoleControl, GroupsInFilesBesideIt) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    dir.write("coord", coordGroup(m) + "$user-defined bonds\n$end\n");
    dir.write("vibspectrum", spectrumGroup(m) + "$end\n");
    dir.write("vib_normal_modes", modesGroup(m) + "$end\n");
    const std::string control = dir.write(
        "control",
        "$title\n$coord    file=coord\n$vibrational normal modes    file=vib_normal_modes\n"
        "$vibrational spectrum    file=vibspectrum\n$end\n");
    EXPECT_EQ(reader::recogniseFormat(control), Format::turbomole);
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        readAs(layouts[2], control, mode);
        expectRead(m, mode, 1e-8);
    }

    dir.write("vib_normal_modes", modesGroup(m, true) + "$end\n");
    readAs(layouts[2], control, 3);
    expectRead(m, 3, 1e-8);

    // A vibspectrum alone (Turbomole's or xtb's) holds no modes, and says so.
    const std::string spectrum = dir.file("vibspectrum");
    EXPECT_EQ(reader::recogniseFormat(spectrum), Format::turbomole);
    EXPECT_TRUE(endsTheRun(spectrum, {spectrum + ": holds no normal modes, only the frequencies"
                                                 " and intensities of a vibspectrum"}));
    // A damaged row of a group's file is named in that file.
    const std::string modes =
        dir.write("vib_normal_modes", replaced(modesGroup(m) + "$end\n", "  3  1", "  3  3"));
    EXPECT_TRUE(endsTheRun(control, {lineOf(modes, 1 + 2 * 2 + 1) + "a line of row 2"}));
    // Only a file beside the control file is read.
    const std::string elsewhere =
        dir.write("control2", replaced(dir.read("control"), "file=coord", "file=../coord"));
    EXPECT_TRUE(
        endsTheRun(elsewhere, {lineOf(elsewhere, 2) + "the name of a file beside the control"}));
    dir.write("vib_normal_modes", "$end\n");
    EXPECT_TRUE(endsTheRun(control, {dir.file("vib_normal_modes") +
                                     ": has no $vibrational normal modes group, which the control"
                                     " file puts there"}));
}

} // namespace

// --- The rows of the cases every format shares ----------------------------------------------

namespace formatcases {

namespace {

// `count` atoms listing three vibrations alone.
Molecule threeOf(int count) {
    Molecule m;
    m.atoms = gridAtoms(count);
    m.vibrations = 3;
    for (int v = 0; v < 3; ++v) {
        m.frequencies.push_back(100.0 * (v + 1));
        m.intensities.push_back(1.5 * v);
        std::vector<double> vector(std::size_t(3 * count), 0.0);
        for (int c = 0; c < 3 * count; ++c) vector[std::size_t(c)] = ((c + v) % 7 - 3) * 0.125;
        m.vectors.push_back(vector);
    }
    return m;
}

Row rowOf(const char* name, Format format, std::string (*write)(const Molecule&)) {
    Row row{name, format};
    row.good = write(bentTransitionState());
    row.thousand = [write, name](const ScratchDir& dir) {
        return dir.write(name, write(threeOf(1000)));
    };
    row.thousandMode = 3;
    row.read = [] { expectRead(threeOf(1000), 3, 1e-8); };
    row.over = write(threeOf(1001));
    return row;
}

} // namespace

Row molproCases() {
    Row row = rowOf("job.out", Format::molpro, molproOutput);
    row.damages = {{"a component row", "HX2", "HQ2", "component row 4 of a block", "Normal Modes"}};
    row.cuts = {{"in a block", cutAfter(row.good, "HX2"), {"ends at line"}}};
    row.overSays = {"at most 1000 atom rows"};
    return row;
}

Row aoforceCases() {
    Row row = rowOf("aoforce.out", Format::aoforce, aoforceOutput);
    row.damages = {
        {"a frequency", "  i1234.56", "  j1234.56", "3 frequencies after \"frequency\""}};
    row.cuts = {{"in a block", cutAfter(row.good, "h           x"), {"ends at line"}}};
    row.overSays = {"at most 1000 atom rows"};
    return row;
}

Row turbomoleCases() {
    Row row = rowOf("control", Format::turbomole, controlFile);
    row.damages = {
        {"a spectrum row", "        a ", "        a x", "mode 7 of $vibrational spectrum"}};
    row.cuts = {{"in the normal modes",
                 cutAfter(row.good, "  4  1"),
                 {"the values of row 4 of $vibrational normal modes, as many as in row 1"}}};
    row.overSays = {"at most 1000 atoms"};
    return row;
}

} // namespace formatcases
