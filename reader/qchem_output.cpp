// Q-Chem output, versions 4 to 6: the "VIBRATIONAL ANALYSIS" section, in blocks of three
// modes side by side, and the "Standard Nuclear Orientation" table printed last before it (the
// geometry the frequencies were computed at: an optimisation prints one per step, an
// anharmonic job prints its displaced geometries after the harmonic section and the
// reference one again before the section it repeats). Q-Chem lists the vibrations only, an
// imaginary frequency as a negative number.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view formatLabel = "Q-Chem output";
constexpr std::string_view orientationKeyword = "Standard Nuclear Orientation";
constexpr std::string_view analysisKeyword = "VIBRATIONAL ANALYSIS";
constexpr std::string_view section = "a \"VIBRATIONAL ANALYSIS\" section";

GeometryTable orientation;
int orientationAtoms = 0; // 0 until a table has been read

// The table after its heading, in Angstroms or bohr as the heading says:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890
//              Standard Nuclear Orientation (Angstroms)
//     I     Atom           X                Y                Z
//  ----------------------------------------------------------------
//     1      O      -0.0000000000     0.0000000000     0.1191593746
//  ----------------------------------------------------------------
// A row: its number, an element symbol and x, y, z.
bool readOrientationRow(const Fields& f, int row, double* atom) {
    int number = 0;
    const int element = f.count == 5 ? scan::atomicNumberOfSymbol(f.field[1]) : 0;
    atom[0] = element;
    return f.count == 5 && scan::toInteger(f.field[0], number) && number == row + 1 &&
           element != 0 && scan::toReals(f, 2, 3, atom + 1);
}

void readOrientation(std::string_view heading) {
    double scale = 1.0;
    if (scan::holds(heading, "(Bohr)"))
        scale = scan::angstromsPerBohr;
    else if (!scan::holds(heading, "(Angstroms)"))
        scan::failExpected("\"(Angstroms)\" or \"(Bohr)\" after \"Standard Nuclear Orientation\"",
                           heading);
    constexpr std::string_view table = "a \"Standard Nuclear Orientation\" table";
    scan::readTableHead(table, "Atom", "the \"I  Atom  X  Y  Z\" header of the orientation table",
                        "the rule under the orientation header");
    const scan::AtomRows rows = {table, true,
                                 "orientation row %d: its number, an element symbol and x, y, z",
                                 "orientation table", scale};
    orientationAtoms = scan::readAtomRows(rows, readOrientationRow, &orientation);
}

// Values of a block's property row for its `count` modes, after `labelFields` words:
//  Frequency:      1860.10                3939.13                4272.66
//  IR Intens:        5.911                 61.120                 36.761
// False when Q-Chem printed a value too wide for its field as asterisks; any other row that is
// not `count` numbers ends the run.
bool readProperty(const Fields& f, int labelFields, int count, double* values,
                  std::string_view line) {
    bool stars = false;
    for (int c = 0; c < count && labelFields + c < f.count; ++c) {
        const std::string_view field = f.field[labelFields + c];
        stars = stars || field.find_first_not_of('*') == field.npos;
    }
    if (f.count == labelFields + count && (stars || scan::toReals(f, labelFields, count, values)))
        return !stars;
    scan::failExpectedNumbered(line, "%d numbers after the row's name", count);
}

// One block from its "Mode:" line to the blank line after its rows (a "TransDip" row before
// it in Q-Chem 4 and later).
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890
//  Mode:                 1                      2                      3
//  Frequency:      1860.10                3939.13                4272.66
//  Force Cnst:      2.2064                 9.5583                11.6524
//  Red. Mass:       1.0823                 1.0455                 1.0833
//  IR Active:          YES                    YES                    YES
//  IR Intens:        5.911                 61.120                 36.761
//  Raman Active:       YES                    YES                    YES
//                X      Y      Z        X      Y      Z        X      Y      Z
//  O         -0.000 -0.000 -0.070   -0.000 -0.000 -0.050   -0.071 -0.000  0.000
//  TransDip  -0.000 -0.000  0.078   -0.000  0.000 -0.250   -0.194 -0.000  0.000
void readBlock(std::string_view modeLine) {
    Fields f;
    scan::split(modeLine, f);
    const int count = f.count - 1;
    if (count < 1 || count > 3) scan::failExpected("1 to 3 mode numbers after \"Mode:\"", modeLine);
    const int first = columns::listed();
    for (int c = 0; c < count; ++c) {
        int number = 0;
        if (!scan::toInteger(f.field[c + 1], number) || number != first + c + 1)
            scan::failExpectedNumbered(modeLine, "the mode numbers %d and on after \"Mode:\"",
                                       first + 1);
    }
    columns::addEntries(count, modeLine);

    double values[3];
    bool frequencies = false;
    std::string_view line;
    for (;;) {
        readLine(line, section);
        scan::split(line, f);
        if (f.count == 0)
            scan::failExpected("the rows of a mode block down to its \"X  Y  Z\" header", line);
        const std::string_view word = f.field[0];
        if (word == "X") break;
        if (word == "Frequency:") {
            if (!readProperty(f, 1, count, values, line))
                scan::failExpectedNumbered(line, "%d frequencies after \"Frequency:\"", count);
            for (int c = 0; c < count; ++c) columns::setFrequency(first + c, values[c]);
            frequencies = true;
        } else if (word == "IR" && f.count > 1 && f.field[1] == "Intens:") {
            if (readProperty(f, 2, count, values, line))
                for (int c = 0; c < count; ++c) columns::setIntensity(first + c, values[c]);
        } else if (word == "Raman" && f.count > 1 && f.field[1] == "Intens:") {
            if (readProperty(f, 2, count, values, line))
                for (int c = 0; c < count; ++c) columns::setRamanActivity(first + c, values[c]);
        }
    }
    if (!frequencies) scan::failExpected("a \"Frequency:\" row above the \"X  Y  Z\" header", line);
    if (f.count != 3 * count)
        scan::failExpectedNumbered(line, "an \"X  Y  Z\" header for each of %d modes", count);

    const int n = columns::atomCount();
    double d[9] = {};
    for (int i = 0; i < n; ++i) {
        readLine(line, section);
        scan::split(line, f);
        if (f.count != 1 + 3 * count || scan::atomicNumberOfSymbol(f.field[0]) == 0 ||
            scan::atomicNumberOfSymbol(f.field[0]) != columns::atomicNumber(i) ||
            !columns::toDisplacements(f, 1, first, count, 3, d))
            scan::failExpectedNumbered(
                line,
                "the row of atom %d (its element as in the orientation table, then x, y, z"
                " of each mode)",
                i + 1);
        for (int c = 0; c < count; ++c)
            for (int k = 0; k < 3; ++k) columns::keepComponent(first + c, i, k, d[3 * c + k]);
    }
    readLine(line, section);
    if (scan::holds(line, "TransDip")) readLine(line, section);
    if (!scan::isBlank(line))
        scan::failExpectedNumbered(line, "a blank line after the %d atom rows of a mode block", n);
}

// The section after its heading: the heading's box, then blocks until a line that begins
// none, which completes the section. The words outside a box of asterisks are not its heading.
void readAnalysis(std::string_view heading) {
    if (!scan::holds(heading, "**")) return;
    if (orientationAtoms == 0)
        scan::failExpected("a \"Standard Nuclear Orientation\" table before this section", heading);
    std::string_view line;
    bool blocks = false;
    for (;;) {
        readLine(line, section);
        if (scan::isBlank(line)) continue;
        Fields f;
        scan::split(line, f);
        if (f.field[0] == "Mode:") {
            if (!blocks) columns::beginSection(orientation, orientationAtoms);
            readBlock(line);
            blocks = true;
        } else if (blocks) {
            columns::completeSection();
            return;
        } else if (!scan::holds(line, "**")) {
            scan::failExpected("the first \"Mode:\" line of the vibrational analysis", line);
        }
    }
}

} // namespace

void readQchem(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    columns::start(mode);
    orientationAtoms = 0;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({orientationKeyword, analysisKeyword}, line, which)) {
        if (which == 0)
            readOrientation(line);
        else
            readAnalysis(line);
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"VIBRATIONAL ANALYSIS\" section (it has none)");
    scan::close();
}

} // namespace reader
