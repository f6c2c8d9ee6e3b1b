// CFOUR output: the "Coordinates (in bohr)" table printed last before the frequencies, the
// "Normal Coordinate Analysis" table (every mode's frequency, an imaginary one written
// "0.3638i", its IR intensity in km/mol and its type: VIBRATION, ROTATION or TRANSLATION) and
// the "Normal Coordinates" blocks of three vibrations after it. Those vectors are
// mass-weighted: each component is divided by the square root of its atom's standard atomic
// weight. Their numbers are printed in fixed columns that touch when a value is negative
// ("-0.000-0.0000"), so the rows are read by those columns:
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890
//  C     -0.000-0.0000  0.1452    0.0000 -0.0000 -0.1707   -0.0000 -0.0000  0.0950
// the element in columns 1-4, the nine values ending at columns 13, 20, 28, 38, 46, 54, 64,
// 72 and 80.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

#include <cmath>

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view coordinatesKeyword = "Coordinates (in bohr)";
constexpr std::string_view analysisKeyword = "Normal Coordinate Analysis";
constexpr std::string_view vectorsKeyword = "Normal Coordinates";
constexpr std::string_view section = "the \"Normal Coordinates\" blocks";

GeometryTable geometry;
int geometryAtoms = 0; // 0 until a table has been read

// The vibrations of the last analysis table, in its order.
double tableFrequency[modeCapacity];
double tableIntensity[modeCapacity];
int tableCount = -1; // -1 until a table has been read

constexpr std::size_t valueEnds[9] = {13, 20, 28, 38, 46, 54, 64, 72, 80};
constexpr std::size_t labelEnd = 4;

// The table after its heading, in bohr:
//  Z-matrix   Atomic            Coordinates (in bohr)
//   Symbol    Number           X              Y              Z
//  ----------------------------------------------------------------
//      C         6         2.63251022     0.42886586    -0.00000000
//  ----------------------------------------------------------------
// A dummy atom (number 0) has no place in the molecule and is passed over.
void readCoordinates() {
    constexpr std::string_view table = "a \"Coordinates (in bohr)\" table";
    std::string_view line;
    readLine(line, table);
    readLine(line, table);
    if (!scan::isRule(line)) scan::failExpected("the rule under the coordinates' header", line);
    Fields f;
    int n = 0;
    for (int row = 1;; ++row) {
        readLine(line, table);
        if (scan::isRule(line)) break;
        scan::split(line, f);
        int number = -1;
        double xyz[3];
        if (f.count != 5 || !scan::toInteger(f.field[1], number) || number < 0 || number > 118 ||
            !scan::toReals(f, 2, 3, xyz))
            scan::failExpectedNumbered(
                line, "coordinates row %d: a symbol, the atomic number and x, y, z", row);
        if (number == 0) continue;
        if (n == atomCapacity)
            scan::failExpectedNumbered(
                line, "a rule after at most %d atom rows (Molvane holds at most that many atoms)",
                atomCapacity);
        geometry[n][0] = number;
        for (int k = 0; k < 3; ++k) geometry[n][k + 1] = xyz[k] * scan::angstromsPerBohr;
        ++n;
    }
    if (n == 0) scan::failExpected("at least one atom row in the coordinates table", line);
    geometryAtoms = n;
}

// The table after its heading, its vibrations kept:
//   ----------------------------------------------------------------
//                        (cm-1)         (km/mol)
//   ----------------------------------------------------------------
//       ----                 0.3638i        0.0000       ROTATION
//         Au                39.6075         0.0016       VIBRATION
//   ----------------------------------------------------------------
void readAnalysis(std::string_view heading) {
    if (scan::trimmed(heading) != analysisKeyword) return;
    constexpr std::string_view table = "a \"Normal Coordinate Analysis\" table";
    std::string_view line;
    for (int rules = 0; rules < 3;) {
        readLine(line, table);
        if (scan::isRule(line)) ++rules;
    }
    Fields f;
    tableCount = 0;
    for (int row = 1;; ++row) {
        readLine(line, table);
        if (scan::isRule(line)) break;
        scan::split(line, f);
        double frequency = 0.0, intensity = 0.0;
        const std::string_view type = f.count == 4 ? f.field[3] : std::string_view();
        if ((type != "VIBRATION" && type != "ROTATION" && type != "TRANSLATION") ||
            !scan::toWavenumber(f.field[1], frequency) || !scan::toReal(f.field[2], intensity))
            scan::failExpectedNumbered(
                line, "table row %d: the irrep, frequency, intensity and type of a mode", row);
        if (type != "VIBRATION") continue;
        if (tableCount == modeCapacity)
            scan::failExpectedNumbered(line, "a rule after at most %d vibrations", modeCapacity);
        tableFrequency[tableCount] = frequency;
        tableIntensity[tableCount] = intensity;
        ++tableCount;
    }
}

// The value of column `c` (0 to 8) of an atom row; false when it is not a number.
bool valueAt(std::string_view line, int c, double& value) {
    const std::size_t begin = c == 0 ? labelEnd : valueEnds[c - 1];
    if (line.size() < valueEnds[c]) return false;
    return scan::toReal(scan::trimmed(line.substr(begin, valueEnds[c] - begin)), value);
}

// The frequencies of a block's second line (its first, when there is no irrep line); false
// when it is not such a line.
bool toFrequencies(std::string_view line, double* frequencies, int& count) {
    Fields f;
    scan::split(line, f);
    count = f.count;
    bool all = count >= 1 && count <= 3;
    for (int c = 0; all && c < count; ++c) all = scan::toWavenumber(f.field[c], frequencies[c]);
    return all;
}

// One block from its irrep line:
//                 Au                        Bg                        Au
//                 39.61                     59.19                    155.40
//              VIBRATION                 VIBRATION                 VIBRATION
// then a row for each atom. Columns of other types than VIBRATION are passed over.
void readBlock(std::string_view line) {
    double frequencies[3];
    int count = 0;
    if (!toFrequencies(line, frequencies, count)) {
        readLine(line, section);
        if (!toFrequencies(line, frequencies, count))
            scan::failExpected("1 to 3 frequencies under a block's irreps", line);
    }
    Fields f;
    readLine(line, section);
    scan::split(line, f);
    int entry[3];
    for (int c = 0; c < count; ++c) {
        if (f.count != count) scan::failExpected("the type of each mode of the block", line);
        entry[c] = -1;
        if (f.field[c] != "VIBRATION") continue;
        if (columns::listed() == tableCount)
            scan::failExpected("no more vibrations than the analysis table lists", line);
        entry[c] = columns::addEntries(1, line);
        columns::setFrequency(entry[c], tableFrequency[entry[c]]);
        columns::setIntensity(entry[c], tableIntensity[entry[c]]);
    }
    const int n = columns::atomCount();
    for (int i = 0; i < n; ++i) {
        readLine(line, section);
        const int element = columns::atomicNumber(i);
        const bool labelled =
            line.size() >= labelEnd &&
            scan::atomicNumberOfSymbol(scan::trimmed(line.substr(0, labelEnd))) == element &&
            line.find_first_not_of(" \r", valueEnds[3 * count - 1]) == line.npos;
        const double scale = 1.0 / std::sqrt(scan::standardAtomicWeight(element));
        for (int v = 0; v < 3 * count; ++v) {
            double value = 0.0;
            if (!labelled || !valueAt(line, v, value))
                scan::failExpectedNumbered(
                    line,
                    "the row of atom %d: its element as in the coordinates, then x, y, z of"
                    " each mode in CFOUR's columns",
                    i + 1);
            const int e = entry[v / 3];
            if (e >= 0) columns::keepComponent(e, i, v % 3, value * scale);
        }
    }
}

// The blocks after their heading, until every vibration of the table has its vector.
void readVectors(std::string_view heading) {
    if (scan::trimmed(heading) != vectorsKeyword) return;
    if (geometryAtoms == 0 || tableCount < 0)
        scan::failExpected("a coordinates table and a normal coordinate analysis before the"
                           " normal coordinates",
                           heading);
    columns::beginSection(geometry, geometryAtoms);
    std::string_view line;
    while (columns::listed() < tableCount) {
        readLine(line, section);
        if (!scan::isBlank(line)) readBlock(line);
    }
    columns::completeSection();
}

} // namespace

void readCfour(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector) {
    scan::open(fileName, "CFOUR output");
    columns::start(mode);
    geometryAtoms = 0;
    tableCount = -1;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({coordinatesKeyword, analysisKeyword, vectorsKeyword}, line,
                                   which)) {
        if (which == 0)
            readCoordinates();
        else if (which == 1)
            readAnalysis(line);
        else
            readVectors(line);
    }
    columns::finish(result, modeVector,
                    "the file in search of the \"Normal Coordinates\" blocks (it has none)");
    scan::close();
}

} // namespace reader
