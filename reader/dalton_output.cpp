// DALTON output: "Molecular geometry (au)" (bohr), the "Vibrational Frequencies and IR
// Intensities" table and the "Normal Coordinates (bohrs*amu**(1/2))" blocks of five modes
// after it, one row per Cartesian component. DALTON lists its vibrations highest frequency
// first (imaginary ones, written "123.45i", last); they are numbered here lowest first, as
// every other format numbers them, so that vibration 1 is the imaginary one of a transition
// state. The block headers give whole-number frequencies only: the frequencies are the
// table's. The vectors are Cartesian displacements, not of unit length.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view geometryKeyword = "Molecular geometry (au)";
constexpr std::string_view tableKeyword = "Vibrational Frequencies and IR Intensities";
constexpr std::string_view coordinatesKeyword = "Normal Coordinates (bohrs*amu**(1/2))";
constexpr std::string_view section = "a \"Normal Coordinates\" section";

GeometryTable geometry;
int geometryAtoms = 0; // 0 until a geometry has been read

// The last frequency table, in DALTON's order (highest first).
struct Table {
    int count = 0; // 0 until a table has been read
    bool intensities = false;
    double frequency[modeCapacity];
    double intensity[modeCapacity];
};
Table table;

// The rows after the heading and its rule, down to the next blank line after them:
//  C         -2.6744411768            0.4350561224            0.0000000000
// An atom of a symmetric molecule may carry its number after the label ("H   1").
bool readGeometryRow(const Fields& f, int, double* atom) {
    atom[0] = f.count >= 4 ? scan::atomicNumberOfSymbol(f.field[0]) : 0;
    return (f.count == 4 || f.count == 5) && atom[0] != 0 &&
           scan::toReals(f, f.count - 3, 3, atom + 1);
}

void readGeometry() {
    constexpr std::string_view what = "a \"Molecular geometry\" table";
    std::string_view line;
    readLine(line, what);
    if (!scan::isRule(line)) scan::failExpected("the rule under \"Molecular geometry (au)\"", line);
    scan::AtomRows rows = {what, false, "geometry row %d: an atom's label and x, y, z",
                           "\"Molecular geometry\" table", scan::angstromsPerBohr};
    rows.blanksFirst = true;
    geometryAtoms = scan::readAtomRows(rows, readGeometryRow, &geometry);
}

// The table after its heading, down to the blank line after its rows:
//   mode   irrep        frequency             IR intensity
//   ============================================================
//                   cm-1       hartrees     km/mol   (D/A)**2/amu
//   ------------------------------------------------------------
//    1      A      3546.72    0.016160      0.000   0.0000
// A table without intensities ends each row after the hartrees.
void readTable() {
    constexpr std::string_view what = "a \"Vibrational Frequencies\" table";
    std::string_view line;
    int rules = 0;
    while (rules < 2) {
        readLine(line, what);
        if (scan::isRule(line)) ++rules;
    }
    Fields f;
    table.count = 0;
    table.intensities = true;
    for (readLine(line, what); !scan::isBlank(line); readLine(line, what)) {
        if (table.count == modeCapacity)
            scan::failExpectedNumbered(line, "a blank line after at most %d rows", modeCapacity);
        scan::split(line, f);
        int number = 0;
        double& frequency = table.frequency[table.count];
        if ((f.count != 4 && f.count != 6) || !scan::toInteger(f.field[0], number) ||
            number != table.count + 1 || !scan::toWavenumber(f.field[2], frequency) ||
            (f.count == 6 && !scan::toReal(f.field[4], table.intensity[table.count])))
            scan::failExpectedNumbered(
                line,
                "table row %d: its number, irrep, the frequency in cm-1 and hartrees and"
                " the intensities",
                table.count + 1);
        table.intensities = table.intensities && f.count == 6;
        ++table.count;
    }
}

// The listed entry, in DALTON's order, that vibration `mode` is: -1 for none.
int wantedEntry(int mode, scan::FormatResult& result) {
    static int kept[modeCapacity];
    const int vibrations = scan::selectVibrations(result, kept);
    if (mode < 1 || mode > vibrations) return -1;
    return result.listed - 1 - kept[mode - 1];
}

// The rows of one atom in a block of `count` modes (the first of them entry `first`):
//     C      x   -0.000319   -0.000314    0.002038    0.000003   -0.001599
//     C      y   -0.000158   -0.000150   -0.001446    0.003719   -0.002576
//     C      z    0.000000   -0.000000   -0.000000    0.000000   -0.000000
// The atom's label may carry its number ("C  1 x").
void readAtomRows(int atom, int first, int count, int wanted, AtomTable& vector) {
    constexpr std::string_view axes[3] = {"x", "y", "z"};
    std::string_view line;
    Fields f;
    double values[5];
    for (int k = 0; k < 3; ++k) {
        do readLine(line, section);
        while (k == 0 && scan::isBlank(line));
        scan::split(line, f);
        const int lead = f.count - count - 1; // the label's fields
        if ((lead != 1 && lead != 2) || f.field[lead] != axes[k] ||
            scan::atomicNumberOfSymbol(f.field[0]) != int(geometry[atom][0]) ||
            !scan::toReals(f, lead + 1, count, values))
            scan::failExpectedNumbered(
                line,
                k == 0   ? "the x row of atom %d: its label as in the geometry, x, the values"
                : k == 1 ? "the y row of atom %d: its label, y and the values"
                         : "the z row of atom %d: its label, z and the values",
                atom + 1);
        if (wanted >= first && wanted < first + count)
            vector[atom][k + 1] = float(values[wanted - first]);
    }
}

// The blocks after the heading until every entry of the table has its vector:
//                 1  3547     2  3547     3  3474     4  3471     5  3451
//   ----------------------------------------------------------------------
// then a group of three rows for each atom.
void readCoordinates(std::string_view heading, int mode, scan::FormatResult& result,
                     AtomTable& vector) {
    if (geometryAtoms == 0 || table.count == 0)
        scan::failExpected("a geometry and a frequency table before the normal coordinates",
                           heading);
    result = scan::FormatResult{};
    result.atomCount = geometryAtoms;
    for (int i = 0; i < geometryAtoms; ++i)
        for (int k = 0; k < 4; ++k) result.geometry[i][k] = geometry[i][k];
    result.listed = table.count;
    result.hasIntensities = table.intensities;
    for (int e = 0; e < table.count; ++e) {
        result.frequency[e] = table.frequency[table.count - 1 - e];
        result.intensity[e] = table.intensities ? table.intensity[table.count - 1 - e] : 0.0;
    }
    const int wanted = wantedEntry(mode, result);
    for (int i = 0; i < geometryAtoms; ++i) {
        vector[i][0] = float(geometry[i][0]);
        vector[i][1] = vector[i][2] = vector[i][3] = 0.0f;
    }
    std::string_view line;
    readLine(line, section);
    if (!scan::isRule(line)) scan::failExpected("the rule under the heading", line);
    Fields f;
    for (int first = 0; first < table.count;) {
        do readLine(line, section);
        while (scan::isBlank(line));
        scan::split(line, f);
        const int count = f.count / 2;
        int number = 0;
        bool header = f.count % 2 == 0 && count >= 1 && count <= 5 && first + count <= table.count;
        for (int c = 0; header && c < count; ++c)
            header = scan::toInteger(f.field[2 * c], number) && number == first + c + 1;
        if (!header)
            scan::failExpectedNumbered(
                line, "the header of a block of modes %d and on: each mode's number and frequency",
                first + 1);
        readLine(line, section);
        if (!scan::isRule(line)) scan::failExpected("the rule under a block's header", line);
        for (int i = 0; i < geometryAtoms; ++i) readAtomRows(i, first, count, wanted, vector);
        first += count;
    }
}

} // namespace

void readDalton(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector) {
    scan::open(fileName, "DALTON output");
    geometryAtoms = 0;
    table.count = 0;
    bool read = false;
    std::string_view line;
    int which = 0;
    while (
        scan::skipToLineHolding({geometryKeyword, tableKeyword, coordinatesKeyword}, line, which)) {
        if (which == 0) {
            readGeometry();
        } else if (which == 1) {
            readTable();
        } else {
            readCoordinates(line, mode, result, modeVector);
            read = true;
        }
    }
    if (!read)
        scan::failEnded("the file in search of a \"Normal Coordinates\" section (it has none)");
    scan::close();
}

} // namespace reader
