// GAMESS(-US) and Firefly output: the "NORMAL COORDINATE ANALYSIS" section, in blocks of
// five modes side by side, one row per Cartesian component, and the geometry printed last
// before it: the input table in bohr ("COORDINATES (BOHR)") for a Hessian job, the
// equilibrium table in Angstroms ("COORDINATES OF ALL ATOMS ARE (ANGS)") after an
// optimisation. GAMESS lists all 3N modes and prints only some of its translations and
// rotations as 0.00 (the others as small frequencies, tens of cm**-1 at a transition state),
// so they are left out by the rule of smallest frequencies, not by their zeros. An imaginary
// frequency is written with "I" after it ("825.18 I"); IR intensities are printed in
// debye**2/amu-angstrom**2 (42.2561 km/mol each), Raman activities in angstrom**4/amu; the
// vectors are not of unit length.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

#include <cmath>

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view formatLabel = "GAMESS output";
constexpr std::string_view bohrKeyword = "COORDINATES (BOHR)";
constexpr std::string_view angstromKeyword = "COORDINATES OF ALL ATOMS ARE (ANGS)";
constexpr std::string_view analysisKeyword =
    "NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION";
constexpr std::string_view section = "a \"NORMAL COORDINATE ANALYSIS\" section";

// One debye**2/amu-angstrom**2 of IR intensity in km/mol.
constexpr double kmPerMolePerDebyeSquared = 42.2561;

GeometryTable geometry;
int geometryAtoms = 0; // 0 until a table has been read

// The table after its heading, the atomic number taken from the nuclear charge:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890
//  ATOM      ATOMIC                      COORDINATES (BOHR)
//            CHARGE         X                   Y                   Z
//  N           7.0     0.0000000000        0.0000000000        0.0000000000
// and after an optimisation
//  COORDINATES OF ALL ATOMS ARE (ANGS)
//    ATOM   CHARGE       X              Y              Z
//  ------------------------------------------------------------
//  O           8.0   0.0000000000   0.0000000000   0.0783404292
// The rows end at a blank line. A heading not followed by the "CHARGE" header is some other
// text and is passed over.
// A row: a label, the nuclear charge of an element, x, y, z.
bool readGeometryRow(const Fields& f, int, double* atom) {
    return f.count == 5 && scan::toReals(f, 1, 4, atom) && atom[0] == std::round(atom[0]) &&
           atom[0] >= 1.0 && atom[0] <= 118.0;
}

void readGeometry(bool angstroms) {
    constexpr std::string_view table = "a geometry table";
    std::string_view line;
    readLine(line, table);
    if (!scan::holds(line, "CHARGE")) return;
    if (angstroms) {
        readLine(line, table);
        if (!scan::isRule(line)) scan::failExpected("the rule under the geometry header", line);
    }
    const scan::AtomRows rows = {table, false,
                                 "geometry row %d: a label, the nuclear charge of an element, x,"
                                 " y, z",
                                 "geometry table", angstroms ? 1.0 : scan::angstromsPerBohr};
    geometryAtoms = scan::readAtomRows(rows, readGeometryRow, &geometry);
}

// The values of a property row after its name, for a block of `count` modes.
void readProperty(const Fields& f, int nameFields, int count, double* values,
                  std::string_view line) {
    if (f.count != nameFields + count || !scan::toReals(f, nameFields, count, values))
        scan::failExpectedNumbered(line, "%d numbers after the row's name", count);
}

// One block from its "FREQUENCY:" row to its last row.
//          1         2         3         4         5         6         7         8
// 123456789012345678901234567890123456789012345678901234567890123456789012345678901
//                             1           2           3           4           5
//        FREQUENCY:       825.18 I      3.88        0.02        0.68       46.87
//         SYMMETRY:         A           A           A           A           A
//     REDUCED MASS:      1.20753     4.16524     4.25674     4.24613     1.01310
//     IR INTENSITY:     21.64357     0.00000     0.00000     0.00001     0.00000
//
//   1   N            X -0.00000000  0.00000393  0.24234743  0.00000000  0.00000008
//                    Y  0.00000000  0.24152031 -0.00000391 -0.00000440 -0.02001878
//                    Z -0.11281030  0.00000442 -0.00000000  0.24225348  0.00000006
// Firefly prints "RAMAN ACTIVITY:" and "DEPOLARIZATION:" rows where GAMESS prints its
// "SYMMETRY:" row.
void readBlock(std::string_view frequencyLine, double intensityScale) {
    Fields f;
    scan::split(frequencyLine, f);
    double frequencies[Fields::capacity];
    int count = 0;
    for (int i = 1; i < f.count && i < Fields::capacity; ++i) {
        if (f.field[i] == "I" && count > 0) {
            frequencies[count - 1] = -frequencies[count - 1];
            continue;
        }
        if (!scan::toReal(f.field[i], frequencies[count]))
            scan::failExpected("frequencies after \"FREQUENCY:\", an imaginary one with \"I\"",
                               frequencyLine);
        ++count;
    }
    if (count < 1 || count > 5 || f.field[0] != "FREQUENCY:")
        scan::failExpected("1 to 5 frequencies after \"FREQUENCY:\"", frequencyLine);
    const int first = columns::addEntries(count, frequencyLine);
    for (int c = 0; c < count; ++c) columns::setFrequency(first + c, frequencies[c]);

    std::string_view line;
    double values[5] = {};
    for (;;) {
        readLine(line, section);
        if (scan::isBlank(line)) break;
        scan::split(line, f);
        if (f.count > 2 && f.field[0] == "IR" && f.field[1] == "INTENSITY:") {
            readProperty(f, 2, count, values, line);
            if (intensityScale > 0.0)
                for (int c = 0; c < count; ++c)
                    columns::setIntensity(first + c, values[c] * intensityScale);
        } else if (f.count > 2 && f.field[0] == "RAMAN" && f.field[1] == "ACTIVITY:") {
            readProperty(f, 2, count, values, line);
            for (int c = 0; c < count; ++c) columns::setRamanActivity(first + c, values[c]);
        }
    }

    const int n = columns::atomCount();
    constexpr std::string_view axes[3] = {"X", "Y", "Z"};
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < 3; ++k) {
            readLine(line, section);
            scan::split(line, f);
            // The first row of an atom begins with its number and label.
            const int lead = k == 0 ? 2 : 0;
            int number = 0;
            if (f.count != lead + 1 + count || f.field[lead] != axes[k] ||
                (k == 0 && (!scan::toInteger(f.field[0], number) || number != i + 1)) ||
                !columns::toDisplacements(f, lead + 1, first, count, 1, values))
                scan::failExpectedNumbered(
                    line,
                    k == 0   ? "the X row of atom %d: its number, label, X and the values"
                    : k == 1 ? "the Y row of atom %d: Y and the values"
                             : "the Z row of atom %d: Z and the values",
                    i + 1);
            for (int c = 0; c < count; ++c) columns::keepComponent(first + c, i, k, values[c]);
        }
    }
}

// The section after its heading: the unit line of the intensities, then blocks until all 3N
// modes are listed, which completes it. Between blocks stand the Sayvetz rows.
void readAnalysis(std::string_view heading) {
    if (geometryAtoms == 0)
        scan::failExpected("a geometry table before the normal coordinate analysis", heading);
    //      FREQUENCIES IN CM**-1, IR INTENSITIES IN DEBYE**2/AMU-ANGSTROM**2,
    double intensityScale = 0.0; // none counted in an unknown unit
    const int all = 3 * geometryAtoms;
    std::string_view line;
    bool blocks = false;
    while (!blocks || columns::listed() < all) {
        readLine(line, section);
        if (scan::holds(line, "IR INTENSITIES IN")) {
            if (scan::holds(line, "DEBYE**2/AMU-ANGSTROM**2"))
                intensityScale = kmPerMolePerDebyeSquared;
            else if (scan::holds(line, "KM/MOL"))
                intensityScale = 1.0;
        } else if (scan::holds(line, "FREQUENCY:")) {
            if (!blocks) columns::beginSection(geometry, geometryAtoms);
            readBlock(line, intensityScale);
            blocks = true;
        } else if (scan::holds(line, "END OF NORMAL COORDINATE ANALYSIS")) {
            scan::failExpectedNumbered(
                line, "all 3N = %d modes before the end of the normal coordinate analysis", all);
        }
    }
    columns::completeSection();
}

} // namespace

void readGamess(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    columns::start(mode);
    geometryAtoms = 0;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({bohrKeyword, angstromKeyword, analysisKeyword}, line, which)) {
        if (which == 2)
            readAnalysis(line);
        else
            readGeometry(which == 1);
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"NORMAL COORDINATE ANALYSIS\" section (it has"
                    " none)");
    scan::close();
}

} // namespace reader
