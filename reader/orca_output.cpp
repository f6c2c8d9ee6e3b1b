// ORCA's output text, versions 2.6 to 6, in one pass: the rows of each "CARTESIAN COORDINATES
// (ANGSTROEM)" table are kept as text and converted only for the table a "VIBRATIONAL
// FREQUENCIES" list follows; then its "NORMAL MODES" column blocks, and the "IR SPECTRUM" and
// "RAMAN SPECTRUM" tables after them. The lines in between are passed over by the keyword skip.
#include "reader/format_readers.h"

#include <cstdio>
#include <cstring>

namespace reader {
namespace {

using scan::FormatResult;

constexpr std::string_view formatLabel = "ORCA output";
constexpr std::string_view geometryKeyword = "CARTESIAN COORDINATES (ANGSTROEM)";
constexpr std::string_view frequenciesKeyword = "VIBRATIONAL FREQUENCIES";
constexpr std::string_view modesKeyword = "NORMAL MODES";
constexpr std::string_view infraredKeyword = "IR SPECTRUM";
constexpr std::string_view ramanKeyword = "RAMAN SPECTRUM";
enum Heading { geometryHeading, frequenciesHeading, modesHeading, infraredHeading, ramanHeading };
constexpr std::string_view headings[] = {geometryKeyword, frequenciesKeyword, modesKeyword,
                                         infraredKeyword, ramanKeyword};
// What the keyword skip looks for: a part of each heading that opens with one of its rarer
// capitals, since the skip keys on a pattern's first capital and "C" opens every carbon row
// of every geometry table. The line found must then be the heading itself.
constexpr std::string_view geometryKey = "M)";
constexpr std::string_view frequenciesKey = "VIBRATIONAL";
constexpr std::string_view modesKey = "L MODES";
constexpr std::string_view spectrumKey = "UM"; // "IR SPECTRUM", "RAMAN SPECTRUM"

// Text lines ORCA prints between a heading's rule and its first table line (a scaling factor,
// a point group, a note on the vectors' weighting): more than these means the table is missing.
constexpr int preambleLimit = 12;
// Fields of a NORMAL MODES row: the row number and up to this many columns less one.
constexpr int rowFieldCapacity = 32;

bool holdsNothing(std::string_view line) { return scan::trimmed(line).empty(); }

bool opensWithDashes(std::string_view line) { return scan::trimmed(line).substr(0, 3) == "---"; }

// "6:" as ORCA numbers the entries of its lists.
bool entryNumber(std::string_view field, int& number) {
    return field.size() > 1 && field.back() == ':' &&
           scan::toInteger(field.substr(0, field.size() - 1), number);
}

// The row number that opens a NORMAL MODES row, without cutting the rest of the row.
bool leadingInteger(std::string_view line, int& value) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    return end > i && scan::toInteger(line.substr(i, end - i), value);
}

// --- Geometry tables, kept as text ------------------------------------------------------

// The rows of the latest "CARTESIAN COORDINATES (ANGSTROEM)" table:
//          1         2         3         4
// 1234567890123456789012345678901234567890123
//   C     -1.415253    0.230222    0.000000
constexpr int rowWidth = 96;
struct GeometryText {
    int table = 0; // the table's place among the file's geometry headings, from 1
    int rows = 0;  // rows of the table, counted up to atomCapacity + 1
    char text[atomCapacity][rowWidth];
    int length[atomCapacity]; // -1 for a row too long to hold, which is no atom row
};
GeometryText keptTable;
int geometryHeadingsSeen = 0;

// Reads the rule and the rows of a geometry table, up to the blank line that ends it.
void keepGeometryTable() {
    keptTable.table = ++geometryHeadingsSeen;
    keptTable.rows = 0;
    std::string_view line;
    scan::readLine(line, "a CARTESIAN COORDINATES (ANGSTROEM) table");
    if (!opensWithDashes(line))
        scan::failExpected("the rule under CARTESIAN COORDINATES (ANGSTROEM)", line);
    for (;;) {
        scan::readLine(line, "the rows of a CARTESIAN COORDINATES (ANGSTROEM) table");
        if (holdsNothing(line)) return;
        if (keptTable.rows < atomCapacity) {
            const int row = keptTable.rows;
            if (line.size() < std::size_t(rowWidth)) {
                std::memcpy(keptTable.text[row], line.data(), line.size());
                keptTable.length[row] = int(line.size());
            } else {
                keptTable.length[row] = -1;
            }
        }
        if (keptTable.rows <= atomCapacity) ++keptTable.rows;
    }
}

bool readGeometryRow(int row, double* atom) {
    if (keptTable.length[row] < 0) return false;
    std::string_view fields[6];
    const std::string_view text(keptTable.text[row], std::size_t(keptTable.length[row]));
    if (scan::splitFields(text, fields, 6) != 4) return false;
    atom[0] = scan::atomicNumberOfSymbol(fields[0]);
    return atom[0] > 0 && scan::toReal(fields[1], atom[1]) && scan::toReal(fields[2], atom[2]) &&
           scan::toReal(fields[3], atom[3]);
}

// A row of the kept table that is no atom row: the file is read again up to it, so that the
// diagnostic names its line.
[[noreturn]] void failGeometryRow(std::string_view fileName, int row) {
    scan::close();
    scan::open(fileName, formatLabel);
    std::string_view line;
    int which = 0;
    for (int seen = 0; seen < keptTable.table;) {
        if (!scan::skipToLineHolding({geometryKeyword}, line, which))
            scan::failFile("changed while it was read");
        if (scan::trimmed(line) == geometryKeyword) ++seen;
    }
    for (int i = 0; i <= row + 1; ++i)
        scan::readLine(line, "the CARTESIAN COORDINATES table once more");
    scan::failExpected("an element symbol and x, y, z in Angstroms", line);
}

// The atoms and geometry of the kept table, for the frequencies that follow it.
void convertKeptTable(std::string_view fileName, FormatResult& section) {
    if (keptTable.table == 0)
        scan::failFile("lists VIBRATIONAL FREQUENCIES with no CARTESIAN COORDINATES (ANGSTROEM)"
                       " table before them");
    if (keptTable.rows > atomCapacity) {
        char message[160];
        std::snprintf(message, sizeof message,
                      "the CARTESIAN COORDINATES (ANGSTROEM) table before the frequencies has more"
                      " than %d atom rows; Molvane holds at most %d atoms",
                      atomCapacity, atomCapacity);
        scan::failFile(message);
    }
    if (keptTable.rows == 0) failGeometryRow(fileName, 0);
    for (int i = 0; i < keptTable.rows; ++i)
        if (!readGeometryRow(i, section.geometry[i])) failGeometryRow(fileName, i);
    section.atomCount = keptTable.rows;
}

// --- The frequency section -----------------------------------------------------------------

// Passes the text between a heading's rule and the table (blank lines and lines that do not
// open with a digit) and returns the table's first line.
std::string_view firstTableLine(std::string_view what) {
    std::string_view line;
    for (int passed = 0; passed <= preambleLimit; ++passed) {
        scan::readLine(line, what);
        const std::string_view text = scan::trimmed(line);
        if (!text.empty() && text[0] >= '0' && text[0] <= '9') return line;
    }
    scan::failExpected(what, line);
}

// "VIBRATIONAL FREQUENCIES", its rule, a scaling factor (and in ORCA 6 a point group and an
// "Irrep" heading), then one entry for each of the 3N Cartesian degrees of freedom, up to a
// blank line; the six (five) of translation and rotation are printed as 0.00:
//          1         2         3         4         5
// 12345678901234567890123456789012345678901234567890
//    6:      -439.85 cm**-1 ***imaginary mode***
//     6:      43.87 cm**-1    2-Au
void readFrequencies(FormatResult& section) {
    std::string_view line;
    scan::readLine(line, "the VIBRATIONAL FREQUENCIES list");
    if (!opensWithDashes(line)) scan::failExpected("the rule under VIBRATIONAL FREQUENCIES", line);
    const int expected = 3 * section.atomCount;
    line = firstTableLine("the entry \"0:\" of the VIBRATIONAL FREQUENCIES list");
    int count = 0;
    for (; !holdsNothing(line); ++count) {
        std::string_view fields[4];
        int number = -1;
        if (count == expected)
            scan::failExpectedNumbered(line,
                                       "the end of the VIBRATIONAL FREQUENCIES list (3 x %d atoms"
                                       " = %d entries)",
                                       section.atomCount, expected);
        if (scan::splitFields(line, fields, 4) < 3 || !entryNumber(fields[0], number) ||
            number != count || !scan::toReal(fields[1], section.frequency[count]) ||
            fields[2] != "cm**-1")
            scan::failExpectedNumbered(
                line, "entry \"%d:\" of the VIBRATIONAL FREQUENCIES list, in cm**-1", count);
        scan::readLine(line, "the VIBRATIONAL FREQUENCIES list");
    }
    if (count != expected)
        scan::failExpectedNumbered(
            line, "entry \"%d:\" of the VIBRATIONAL FREQUENCIES list (3 x %d atoms)", count,
            section.atomCount);
    section.listed = count;
}

// ORCA 6's line of irreps under a block's column numbers, each "number-label" ("7-Bu").
bool isIrrepLine(std::string_view line) {
    std::string_view fields[rowFieldCapacity];
    const int count = scan::splitFields(line, fields, rowFieldCapacity);
    if (count < 1 || count > rowFieldCapacity) return false;
    for (int k = 0; k < count; ++k) {
        const std::size_t dash = fields[k].find('-');
        int number = 0;
        if (dash == 0 || dash == std::string_view::npos || dash + 1 == fields[k].size() ||
            !scan::toInteger(fields[k].substr(0, dash), number))
            return false;
    }
    return true;
}

// "NORMAL MODES", its rule, a note on the weighting (and in ORCA 6 a point group), then blocks
// of columns, one for each listed entry: a line numbering the columns (6 up to ORCA 5, 10 in
// ORCA 6), with symmetry a line of irreps, then the 3N rows, each opened by its number:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123456
//                   6          7          8          9         10         11
//       0       0.000000   0.000000  -0.000000   0.020034   0.042817   0.000000
//               30         31         32         33         34         35
//             7-Bu      10-Au      10-Bg       7-Ag       8-Bu       8-Ag
//     0   0.030640   0.000000   0.000000  -0.065332   0.048766   0.072393
// Column `target` (none when negative) goes into vector; only the row numbers of the other
// columns' blocks are read.
void readModes(const FormatResult& section, int target, AtomTable& vector) {
    std::string_view line;
    scan::readLine(line, "the NORMAL MODES");
    if (!opensWithDashes(line)) scan::failExpected("the rule under NORMAL MODES", line);
    const int listed = section.listed;
    line = firstTableLine("the line numbering the first NORMAL MODES columns");
    for (int first = 0; first < listed;) {
        while (holdsNothing(line)) scan::readLine(line, "the NORMAL MODES");
        const int columns = scan::blockColumns(line, first, listed);
        if (columns == 0)
            scan::failExpectedNumbered(
                line, "a line numbering the NORMAL MODES columns from %d (of %d)", first, listed);
        const bool holdsTarget = target >= first && target < first + columns;
        char what[80];
        std::snprintf(what, sizeof what, "the NORMAL MODES block of columns %d to %d", first,
                      first + columns - 1);
        scan::readLine(line, what);
        int number = -1;
        if (isIrrepLine(line)) scan::readLine(line, what);
        for (int row = 0; row < listed; ++row) {
            if (row > 0) scan::readLine(line, what);
            if (holdsTarget) {
                std::string_view fields[rowFieldCapacity];
                double value = 0.0;
                if (scan::splitFields(line, fields, rowFieldCapacity) != columns + 1 ||
                    !scan::toInteger(fields[0], number) || number != row ||
                    !scan::toReal(fields[1 + target - first], value))
                    scan::failExpectedNumbered(
                        line, "row %d of the NORMAL MODES: its number and %d values", row, columns);
                vector[row / 3][1 + row % 3] = float(value);
            } else if (!leadingInteger(line, number) || number != row) {
                scan::failExpectedNumbered(line, "row %d of the NORMAL MODES block from column %d",
                                           row, first);
            }
        }
        first += columns;
        if (first < listed) scan::readLine(line, "the NORMAL MODES");
    }
    if (target >= 0)
        for (int i = 0; i < section.atomCount; ++i) vector[i][0] = float(section.geometry[i][0]);
}

// The rows of an "IR SPECTRUM" or "RAMAN SPECTRUM" table, one per vibration, numbered as the
// frequency list is; `column` is the field of the value kept.
void readSpectrumRows(const FormatResult& section, int column, std::string_view what,
                      double* values) {
    std::string_view line;
    int previous = -1;
    for (;;) {
        scan::readLine(line, what);
        if (holdsNothing(line)) return;
        std::string_view fields[8];
        int number = -1;
        double frequency = 0.0;
        if (scan::splitFields(line, fields, 8) <= column || !entryNumber(fields[0], number) ||
            number <= previous || number >= section.listed || !scan::toReal(fields[1], frequency) ||
            !scan::toReal(fields[column], values[number]))
            scan::failExpectedNumbered(line,
                                       "a numbered row of the table, its value in field %d (of %d"
                                       " entries)",
                                       column + 1, section.listed);
        previous = number;
    }
}

// The heading lines of a spectrum table between its two rules; whether one names a column
// `name`.
bool passSpectrumHeading(std::string_view what, std::string_view name) {
    std::string_view line;
    scan::readLine(line, what);
    if (!opensWithDashes(line)) scan::failExpected("the rule under the heading", line);
    bool named = false;
    for (int passed = 0; passed <= preambleLimit; ++passed) {
        scan::readLine(line, what);
        if (opensWithDashes(line)) return named;
        std::string_view fields[12];
        const int count = scan::splitFields(line, fields, 12);
        for (int k = 0; k < count && k < 12; ++k) named = named || fields[k] == name;
    }
    scan::failExpected("the rule above the rows of the table", line);
}

// "IR SPECTRUM": from ORCA 5 on the rows hold eps, "Int" (km/mol) and T**2 (atomic units)
// after the frequency; up to ORCA 4 the "T**2" column beside the frequency is in km/mol:
//          1         2         3         4         5         6
// 123456789012345678901234567890123456789012345678901234567890123
//   6:     45.66   0.000006    0.03  0.000039  ( 0.000000  0.000000
//    7:       209.72    0.840134  ( -0.793734  -0.458387  -0.000688)
void readInfrared(FormatResult& result) {
    const std::string_view what = "the IR SPECTRUM table";
    const bool intColumn = passSpectrumHeading(what, "Int");
    for (int i = 0; i < result.listed; ++i) result.intensity[i] = 0.0;
    readSpectrumRows(result, intColumn ? 3 : 2, what, result.intensity);
    result.hasIntensities = true;
}

// "RAMAN SPECTRUM": the activity beside the frequency.
//   6:        36.86      0.000035      0.749920
void readRaman(FormatResult& result) {
    const std::string_view what = "the RAMAN SPECTRUM table";
    passSpectrumHeading(what, "Activity");
    for (int i = 0; i < result.listed; ++i) result.ramanActivity[i] = 0.0;
    readSpectrumRows(result, 2, what, result.ramanActivity);
    result.hasRaman = true;
}

FormatResult section;
AtomTable sectionVector;
int kept[modeCapacity];

// Passes lines up to the next heading that can come now: a geometry table or a frequency list
// always, the NORMAL MODES after a frequency list, the spectrum tables after the modes. False
// at the end of the file.
bool nextHeading(Heading next, Heading& heading) {
    std::string_view line;
    int which = 0;
    for (;;) {
        const bool found =
            next == modesHeading
                ? scan::skipToLineHolding({geometryKey, frequenciesKey, modesKey}, line, which)
            : next == infraredHeading
                ? scan::skipToLineHolding({geometryKey, frequenciesKey, spectrumKey}, line, which)
                : scan::skipToLineHolding({geometryKey, frequenciesKey}, line, which);
        if (!found) return false;
        heading = which < 2 ? Heading(which) : next;
        if (heading == infraredHeading && scan::trimmed(line) == ramanKeyword)
            heading = ramanHeading;
        if (scan::trimmed(line) == headings[heading]) return true;
    }
}

} // namespace

void readOrcaOutput(std::string_view fileName, int mode, scan::FormatResult& result,
                    AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    geometryHeadingsSeen = 0;
    keptTable.table = 0;
    // What may follow besides tables and frequencies: the NORMAL MODES of a frequency list
    // just read, or the spectrum tables of the section last read whole.
    Heading next = geometryHeading;
    bool complete = false;
    Heading heading = geometryHeading;
    while (nextHeading(next, heading)) {
        switch (heading) {
        case geometryHeading:
            keepGeometryTable();
            next = geometryHeading;
            break;
        case frequenciesHeading:
            section = FormatResult{};
            convertKeptTable(fileName, section);
            readFrequencies(section);
            next = modesHeading;
            break;
        case modesHeading: {
            const int vibrations = scan::selectVibrations(section, kept);
            const int target = mode >= 1 && mode <= vibrations ? kept[mode - 1] : -1;
            readModes(section, target, sectionVector);
            result = section;
            if (target >= 0) std::memcpy(modeVector, sectionVector, sizeof(AtomTable));
            complete = true;
            next = infraredHeading;
            break;
        }
        case infraredHeading:
            readInfrared(result);
            break;
        case ramanHeading:
            readRaman(result);
            break;
        }
    }
    if (!complete) {
        if (next == modesHeading)
            scan::failEnded("the NORMAL MODES after the VIBRATIONAL FREQUENCIES");
        scan::failFile("holds no VIBRATIONAL FREQUENCIES with NORMAL MODES");
    }
    scan::close();
}

} // namespace reader
