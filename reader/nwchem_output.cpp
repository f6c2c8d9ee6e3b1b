// NWChem output: the "NORMAL MODE EIGENVECTORS IN CARTESIAN COORDINATES" of the vibrational
// analysis, in blocks of six modes side by side, one row per Cartesian component, and the
// "Atom information" table the analysis prints before them (always in bohr: the geometry of
// the frequency step). NWChem lists all 3N modes, translations and rotations with them, and
// prints the table twice, unprojected and then with translations and rotations projected
// out ("P.Frequency"); the two differ by up to about 1 cm**-1, and the projected one, printed
// last, is the one read. Each is followed by its "Infra Red Intensities" table. Imaginary
// frequencies are negative; the vectors are not of unit length.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view formatLabel = "NWChem output";
constexpr std::string_view atomsKeyword = "Atom information";
constexpr std::string_view modesKeyword = "NORMAL MODE EIGENVECTORS IN CARTESIAN COORDINATES";
constexpr std::string_view intensityKeyword = "Infra Red Intensities";
constexpr std::string_view section = "a \"NORMAL MODE EIGENVECTORS\" table";
constexpr std::string_view intensityTable = "an \"Infra Red Intensities\" table";

GeometryTable geometry;
int geometryAtoms = 0;        // 0 until a table has been read
bool intensitiesOpen = false; // the last complete section awaits its intensity table

// The table after its heading, in bohr:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123456
//  ---------------------------- Atom information ----------------------------
//      atom    #        X              Y              Z            mass
//  --------------------------------------------------------------------------
//     C        1  4.4749758D-01  2.6723874D+00  0.0000000D+00  1.2000000D+01
//  --------------------------------------------------------------------------
// A row: an element symbol, its number, x, y, z and the mass.
bool readAtomRow(const Fields& f, int row, double* atom) {
    int number = 0;
    double values[4]; // x, y, z and the mass
    const int element = f.count == 6 ? scan::atomicNumberOfSymbol(f.field[0]) : 0;
    if (element == 0 || !scan::toInteger(f.field[1], number) || number != row + 1 ||
        !scan::toReals(f, 2, 4, values))
        return false;
    atom[0] = element;
    for (int k = 0; k < 3; ++k) atom[k + 1] = values[k];
    return true;
}

void readAtoms() {
    constexpr std::string_view table = "an \"Atom information\" table";
    scan::readTableHead(table, "atom", "the \"atom  #  X  Y  Z  mass\" header of the atom table",
                        "the rule under the atom table's header");
    const scan::AtomRows rows = {table, true,
                                 "atom row %d: an element symbol, its number, x, y, z and the mass",
                                 "atom table", scan::angstromsPerBohr};
    geometryAtoms = scan::readAtomRows(rows, readAtomRow, &geometry);
    intensitiesOpen = false;
}

// The next line that is not blank.
void readFilledLine(std::string_view& line) {
    do readLine(line, section);
    while (scan::isBlank(line));
}

// One block from its line of mode numbers to its last row.
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890
//                     1           2           3           4           5           6
//
//  P.Frequency       -0.00        0.00        0.00        0.00        0.00        0.00
//
//            1     0.00000    -0.00000    -0.00000     0.09949    -0.00171     0.01221
void readBlock(std::string_view numbersLine) {
    Fields f;
    scan::split(numbersLine, f);
    const int count = f.count;
    const int first = columns::listed();
    if (count > 6) scan::failExpected("at most 6 mode numbers over a block", numbersLine);
    for (int c = 0; c < count; ++c) {
        int number = 0;
        if (!scan::toInteger(f.field[c], number) || number != first + c + 1)
            scan::failExpectedNumbered(
                numbersLine, "a line of the mode numbers %d and on, over a block", first + 1);
    }
    columns::addEntries(count, numbersLine);

    std::string_view line;
    readFilledLine(line);
    scan::split(line, f);
    double values[6] = {};
    if (f.count != 1 + count || (f.field[0] != "Frequency" && f.field[0] != "P.Frequency") ||
        !scan::toReals(f, 1, count, values))
        scan::failExpectedNumbered(line, "a \"Frequency\" or \"P.Frequency\" row of %d numbers",
                                   count);
    for (int c = 0; c < count; ++c) columns::setFrequency(first + c, values[c]);

    const int components = 3 * columns::atomCount();
    for (int r = 0; r < components; ++r) {
        if (r == 0)
            readFilledLine(line);
        else
            readLine(line, section);
        scan::split(line, f);
        int number = 0;
        if (f.count != 1 + count || !scan::toInteger(f.field[0], number) || number != r + 1 ||
            !columns::toDisplacements(f, 1, first, count, 1, values))
            scan::failExpectedNumbered(
                line, "row %d of a block: its number, then one value for each mode", r + 1);
        for (int c = 0; c < count; ++c) columns::keepComponent(first + c, r / 3, r % 3, values[c]);
    }
}

// The table after its heading: a rule, the line saying which frequencies it holds, then
// blocks until all 3N modes are listed, which completes it.
void readModes(std::string_view heading) {
    if (geometryAtoms == 0)
        scan::failExpected("an \"Atom information\" table before the normal modes", heading);
    columns::beginSection(geometry, geometryAtoms);
    intensitiesOpen = false;
    std::string_view line;
    readLine(line, section);
    if (!scan::isRule(line)) scan::failExpected("the rule under the normal-mode heading", line);
    readLine(line, section);
    if (!scan::holds(line, "Frequencies expressed in cm-1"))
        scan::failExpected("\"(Frequencies expressed in cm-1)\" under the normal-mode heading",
                           line);
    const int all = 3 * geometryAtoms;
    while (columns::listed() < all) {
        readFilledLine(line);
        readBlock(line);
    }
    columns::completeSection();
    intensitiesOpen = true;
}

// The intensities of the last complete section, from the table after their heading:
//          1         2         3         4         5         6         7
// 12345678901234567890123456789012345678901234567890123456789012345678901234567
//  Normal Eigenvalue ||           Projected Infra Red Intensities
//   Mode   [cm**-1]  || [atomic units] [(debye/angs)**2] [(KM/mol)] [arbitrary]
//  ------ ---------- || -------------- ----------------- ---------- -----------
//     1       -0.000 ||    0.000000           0.000         0.000       0.000
void readIntensities() {
    intensitiesOpen = false;
    std::string_view line;
    readLine(line, intensityTable);
    if (!scan::holds(line, "[(KM/mol)]"))
        scan::failExpected("the header of the intensity table, with a \"[(KM/mol)]\" column", line);
    readLine(line, intensityTable);
    if (!scan::holds(line, "------"))
        scan::failExpected("the rule under the intensity table's header", line);
    static double intensities[modeCapacity];
    const int all = columns::listed();
    Fields f;
    for (int r = 0; r < all; ++r) {
        readLine(line, intensityTable);
        scan::split(line, f);
        int number = 0;
        double values[4];
        if (f.count != 7 || !scan::toInteger(f.field[0], number) || number != r + 1 ||
            f.field[2] != "||" || !scan::toReals(f, 3, 4, values))
            scan::failExpectedNumbered(
                line, "intensity row %d: the mode number, its frequency, \"||\" and four numbers",
                r + 1);
        intensities[r] = values[2];
    }
    columns::setIntensities(intensities);
}

} // namespace

void readNwchem(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    columns::start(mode);
    geometryAtoms = 0;
    intensitiesOpen = false;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({atomsKeyword, modesKeyword, intensityKeyword}, line, which)) {
        if (which == 0)
            readAtoms();
        else if (which == 1)
            readModes(line);
        else if (intensitiesOpen)
            readIntensities();
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"NORMAL MODE EIGENVECTORS IN CARTESIAN"
                    " COORDINATES\" table (it has none)");
    scan::close();
}

} // namespace reader
