// MOPAC output of a FORCE job: the "ORIENTATION OF MOLECULE IN FORCE CALCULATION" table
// (Angstroms), the "FREQ(I)" rows of the frequency table and the "NORMAL COORDINATE ANALYSIS
// (Total motion = 1 Angstrom)" blocks, one row per Cartesian component. That analysis lists the
// 3N-6 (3N-5) vibrations (its roots), each vector scaled so that its atoms' motions add up to
// 1 Angstrom; its block headers give the frequencies to one decimal, the FREQ(I) table (printed
// with LARGE) to four. That table lists the roots first, in the analysis' order, then the six
// trivial modes, which MOPAC puts at up to some 70 cm**-1 either side of zero: a root takes
// the table's entry of its own number, never one picked by size. MOPAC prints no IR
// intensities.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

#include <cmath>

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view orientationKeyword = "ORIENTATION OF MOLECULE IN FORCE CALCULATION";
constexpr std::string_view frequencyKeyword = " FREQ(I) ";
constexpr std::string_view analysisKeyword =
    "NORMAL COORDINATE ANALYSIS (Total motion = 1 Angstrom)";
constexpr std::string_view section = "a \"NORMAL COORDINATE ANALYSIS\" section";

GeometryTable orientation;
int orientationAtoms = 0; // 0 until a table has been read

// The FREQ(I) rows read since the last orientation table.
double tableFrequency[modeCapacity];
int tableCount = 0;

// A row of the table: its number, the element, x, y, z.
bool readOrientationRow(const Fields& f, int row, double* atom) {
    int number = 0;
    atom[0] = f.count == 5 ? scan::atomicNumberOfSymbol(f.field[1]) : 0;
    return atom[0] != 0 && scan::toInteger(f.field[0], number) && number == row + 1 &&
           scan::toReals(f, 2, 3, atom + 1);
}

// The table after its heading:
//     NO.       ATOM         X         Y         Z
//
//      1          O      -0.0395   -0.0516    0.0000
// down to the blank line after the rows.
void readOrientation() {
    constexpr std::string_view table = "an orientation table";
    std::string_view line;
    do readLine(line, table);
    while (scan::isBlank(line));
    if (!scan::holds(line, "ATOM"))
        scan::failExpected("the \"NO.  ATOM  X  Y  Z\" header of the orientation table", line);
    scan::AtomRows rows = {table, false,
                           "orientation row %d: its number, an element symbol and x, y, z",
                           "orientation table", 1.0};
    rows.blanksFirst = true;
    orientationAtoms = scan::readAtomRows(rows, readOrientationRow, &orientation);
    tableCount = 0;
}

//  FREQ(I) 1397.9064 2809.4282 2857.1874    7.9287    6.0936    0.0369
void readFrequencyRow(std::string_view line) {
    Fields f;
    scan::split(line, f);
    double values[Fields::capacity];
    const int count = f.count - 1;
    if (count < 1 || count >= Fields::capacity || tableCount + count > modeCapacity ||
        !scan::toReals(f, 1, count, values))
        scan::failExpected("frequencies after \"FREQ(I)\"", line);
    for (int c = 0; c < count; ++c) tableFrequency[tableCount++] = values[c];
}

// One block from its "Root No." line:
//    Root No.       1         2         3
//
//                  1 A1      1 B2      2 A1
//
//                 1397.9    2809.4    2857.2
//
//            1   -0.0320   -0.0379   -0.0158
// then a row for each of the 3N Cartesian components. The symmetry row is not always there.
void readBlock(std::string_view rootLine) {
    Fields f;
    scan::split(rootLine, f);
    const int count = f.count - 2;
    const int first = columns::listed();
    bool numbered = count >= 1 && count <= 10;
    for (int c = 0; numbered && c < count; ++c) {
        int number = 0;
        numbered = scan::toInteger(f.field[2 + c], number) && number == first + c + 1;
    }
    if (!numbered)
        scan::failExpectedNumbered(rootLine, "the root numbers %d and on after \"Root No.\"",
                                   first + 1);
    columns::addEntries(count, rootLine);

    std::string_view line;
    double values[10];
    for (int lines = 0;; ++lines) {
        readLine(line, section);
        scan::split(line, f);
        if (f.count == count && scan::toReals(f, 0, count, values)) break;
        if (lines == 4)
            scan::failExpectedNumbered(line, "a row of %d frequencies under the root numbers",
                                       count);
    }
    // The table's value where it is the header's to the header's decimal.
    for (int c = 0; c < count; ++c) {
        const int entry = first + c;
        const bool inTable =
            entry < tableCount && std::fabs(tableFrequency[entry] - values[c]) <= 0.051;
        columns::setFrequency(entry, inTable ? tableFrequency[entry] : values[c]);
    }

    const int n = columns::atomCount();
    do readLine(line, section);
    while (scan::isBlank(line));
    for (int row = 0; row < 3 * n; ++row) {
        if (row > 0) readLine(line, section);
        scan::split(line, f);
        int number = 0;
        if (f.count != count + 1 || !scan::toInteger(f.field[0], number) || number != row + 1 ||
            !columns::toDisplacements(f, 1, first, count, 1, values))
            scan::failExpectedNumbered(
                line, "row %d of a block: its number and a value for each root", row + 1);
        for (int c = 0; c < count; ++c)
            columns::keepComponent(first + c, row / 3, row % 3, values[c]);
    }
}

// The section after its heading: blocks until a line that begins none, which completes it.
void readAnalysis(std::string_view heading) {
    if (orientationAtoms == 0)
        scan::failExpected("an orientation table before the normal coordinate analysis", heading);
    columns::beginSection(orientation, orientationAtoms);
    std::string_view line;
    for (;;) {
        readLine(line, section);
        if (scan::holds(line, "Root No.")) {
            readBlock(line);
        } else if (!scan::isBlank(line)) {
            if (columns::listed() == 0)
                scan::failExpected("the \"Root No.\" line of the analysis' first block", line);
            break;
        }
    }
    columns::completeSection();
}

} // namespace

void readMopac(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector) {
    scan::open(fileName, "MOPAC output");
    columns::start(mode);
    orientationAtoms = 0;
    tableCount = 0;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({orientationKeyword, frequencyKeyword, analysisKeyword}, line,
                                   which)) {
        if (which == 0)
            readOrientation();
        else if (which == 1)
            readFrequencyRow(line);
        else
            readAnalysis(line);
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"NORMAL COORDINATE ANALYSIS\" section (it has none)");
    scan::close();
}

} // namespace reader
