// The readers of Molpro output and of Turbomole's control file and aoforce output on what
// each has of its own (Molpro's blocks of imaginary and low modes and its atom labels, the
// control file's groups in files beside it); their rows of the cases every format shares.
#include "tests/reader/format_cases.h"
#include "tests/reader/reading.h"

using namespace readertest;
using namespace layouts;

namespace {

// The start of a diagnostic naming line `line` of `file`.
std::string lineAt(const std::string& file, int line) {
    return file + ", line " + std::to_string(line) + ": expected ";
}

TEST(Molpro, ImaginaryModesComeFirstAndLowOnesAreVibrationsWhenTheCountSaysSo) {
    ScratchDir dir;
    // A transition state: its imaginary mode printed positive in a block of its own after the
    // others; the six low/zero entries of the listing are translations and rotations.
    const Molecule ts = bentTransitionState();
    std::string text = molpro::output(ts);
    ASSERT_NE(text.find("1234.56000000"), std::string::npos);
    ASSERT_EQ(text.find("-1234.56"), std::string::npos);
    reader::readVibrations(dir.write("ts.out", text), Format::molpro, 1);
    expectRead(ts, 1, 1e-8);

    // Four atoms, six vibrations: a seventh low/zero entry of 12 cm-1 is a vibration all the
    // same, numbered first, as its frequency is lowest.
    const Molecule low = withVibrations(
        {{6, 0.0, 0.0, 0.0}, {8, 0.0, 0.0, 1.2}, {1, 0.0, 0.9, -0.6}, {1, 0.0, -0.9, -0.6}},
        {12.0, 500.5, 1000.25, 1500.75, 2000.5, 2500.25});
    text = molpro::output(low, 20.0);
    ASSERT_NE(text.find("12.00000000", text.find("low/zero")), std::string::npos);
    const std::string file = dir.write("low.out", text);
    for (int mode = 1; mode <= low.vibrations; ++mode) {
        reader::readVibrations(file, Format::molpro, mode);
        expectRead(low, mode, 1e-8);
    }
}

TEST(Molpro, TheElementIsTheChargesWhateverTheLabel) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    // GX1 is the oxygen here; "I" with the charge 25 an iodine whose core of 28 electrons an
    // effective core potential takes (its row labels as Molpro writes them).
    std::string text = replaced(molpro::output(m), "   1   O", "   1   GX1", "Atomic Coordinates");
    reader::readVibrations(dir.write("label.out", text), Format::molpro, 1);
    EXPECT_EQ(reader::geometry[0][0], 8);
    text = replaced(replaced(molpro::output(m), "   2   H    1.00", "   2   I   25.00"), "   3   H",
                    "   3   C");
    reader::readVibrations(dir.write("ecp.out", text), Format::molpro, 1);
    EXPECT_EQ(reader::geometry[1][0], 53);
    EXPECT_EQ(reader::geometry[2][0], 1);
}

TEST(TurbomoleControl, GroupsInFilesBesideIt) {
    ScratchDir dir;
    const Molecule m = bentTransitionState();
    dir.write("coord", turbomole::coordGroup(m) + "$user-defined bonds\n$end\n");
    dir.write("vibspectrum", turbomole::spectrumGroup(m) + "$end\n");
    dir.write("vib_normal_modes", turbomole::modesGroup(m) + "$end\n");
    const std::string control = dir.write(
        "control",
        "$title\n$coord    file=coord\n$vibrational normal modes    file=vib_normal_modes\n"
        "$vibrational spectrum    file=vibspectrum\n$end\n");
    EXPECT_EQ(reader::recogniseFormat(control), Format::turbomole);
    for (int mode = 1; mode <= m.vibrations; ++mode) {
        reader::readVibrations(control, Format::turbomole, mode);
        expectRead(m, mode, 1e-8);
    }

    dir.write("vib_normal_modes", turbomole::modesGroup(m, true) + "$end\n");
    reader::readVibrations(control, Format::turbomole, 3);
    expectRead(m, 3, 1e-8);

    // A vibspectrum alone (Turbomole's or xtb's) holds no modes, and says so.
    const std::string spectrum = dir.file("vibspectrum");
    EXPECT_EQ(reader::recogniseFormat(spectrum), Format::turbomole);
    EXPECT_TRUE(endsTheRun(spectrum, {spectrum + ": holds no normal modes, only the frequencies"
                                                 " and intensities of a vibspectrum"}));
    // A damaged row of a group's file is named in that file.
    const std::string modes = dir.write(
        "vib_normal_modes", replaced(turbomole::modesGroup(m) + "$end\n", "  3  1", "  3  3"));
    EXPECT_TRUE(endsTheRun(control, {lineAt(modes, 1 + 2 * 2 + 1) + "a line of row 2"}));
    // Only a file beside the control file is read.
    const std::string elsewhere =
        dir.write("control2", replaced(dir.read("control"), "file=coord", "file=../coord"));
    EXPECT_TRUE(
        endsTheRun(elsewhere, {lineAt(elsewhere, 2) + "the name of a file beside the control"}));
    dir.write("vib_normal_modes", "$end\n");
    EXPECT_TRUE(endsTheRun(control, {dir.file("vib_normal_modes") +
                                     ": has no $vibrational normal modes group, which the control"
                                     " file puts there"}));
}

} // namespace

// --- The rows of the cases every format shares ----------------------------------------------

namespace formatcases {

namespace {

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
    Row row = rowOf("job.out", Format::molpro, [](const Molecule& m) { return molpro::output(m); });
    row.damages = {{"a component row", "HX2", "HQ2", "component row 4 of a block", "Normal Modes"}};
    row.cuts = {{"in a block", cutAfter(row.good, "HX2"), {"ends at line"}}};
    row.overSays = {"at most 1000 atom rows"};
    return row;
}

Row aoforceCases() {
    Row row = rowOf("aoforce.out", Format::aoforce, turbomole::aoforce);
    row.damages = {
        {"a frequency", "  i1234.56", "  j1234.56", "3 frequencies after \"frequency\""}};
    row.cuts = {{"in a block", cutAfter(row.good, "h           x"), {"ends at line"}}};
    row.overSays = {"at most 1000 atom rows"};
    return row;
}

Row turbomoleCases() {
    Row row = rowOf("control", Format::turbomole, turbomole::controlFile);
    row.damages = {
        {"a spectrum row", "        a ", "        a x", "mode 7 of $vibrational spectrum"}};
    row.cuts = {{"in the normal modes",
                 cutAfter(row.good, "  4  1"),
                 {"the values of row 4 of $vibrational normal modes, as many as in row 1"}}};
    row.overSays = {"at most 1000 atoms"};
    return row;
}

} // namespace formatcases
