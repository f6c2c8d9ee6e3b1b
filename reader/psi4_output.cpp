// Psi4 output, version 1.3 and later: the "Harmonic Vibrational Analysis" section, in blocks
// of three vibrations side by side, and the geometry of the frequency step. A frequency job
// by finite differences prints a "Geometry (in ...)" table for every displaced geometry; the
// reference geometry is computed first (the first table after the finite-difference
// heading), while the last table before the frequencies is displaced by about 1e-3 Angstrom.
// Without finite differences the geometry is the last table before the section. Psi4 lists
// the vibrations (rotation-like modes it did not project out among them, left out by the
// rule of smallest frequencies), an imaginary frequency as "653.3950i".
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view formatLabel = "Psi4 output";
constexpr std::string_view geometryKeyword = "Geometry (in ";
constexpr std::string_view findifKeyword = "Using finite-differences of";
constexpr std::string_view analysisKeyword = "==> Harmonic Vibrational Analysis <==";
constexpr std::string_view section = "a \"Harmonic Vibrational Analysis\" section";

GeometryTable geometry;
int geometryAtoms = 0;       // 0 until a table has been read
bool awaitReference = false; // after the finite-difference heading, before its first table
bool referenceKept = false;  // the reference is kept; later (displaced) tables are passed over

// The table after its heading, in the units the heading names:
//          1         2         3         4         5         6         7         8
// 1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678
//     Geometry (in Bohr), charge = 0, multiplicity = 1:
//
//        Center              X                  Y                   Z               Mass
//     ------------   -----------------  -----------------  -----------------  ---------------
//          C           -2.674441177480     0.435056122520     0.000000000000    12.0000000000
// The rows end at a blank line.
// A row: an element symbol, x, y, z and the mass, which Psi4 1.3 and later print.
bool readGeometryRow(const Fields& f, int, double* atom) {
    const int element = f.count == 4 || f.count == 5 ? scan::atomicNumberOfSymbol(f.field[0]) : 0;
    double xyz[4];
    if (element == 0 || !scan::toReals(f, 1, f.count - 1, xyz)) return false;
    atom[0] = element;
    for (int k = 0; k < 3; ++k) atom[k + 1] = xyz[k];
    return true;
}

void readGeometry(std::string_view heading) {
    double scale = 1.0;
    if (scan::holds(heading, "Geometry (in Bohr)"))
        scale = scan::angstromsPerBohr;
    else if (!scan::holds(heading, "Geometry (in Angstrom)"))
        scan::failExpected("\"Geometry (in Bohr)\" or \"Geometry (in Angstrom)\"", heading);
    constexpr std::string_view table = "a \"Geometry (in ...)\" table";
    std::string_view line;
    readLine(line, table);
    if (!scan::isBlank(line)) scan::failExpected("a blank line under the geometry heading", line);
    scan::readTableHead(table, "Center", "the \"Center  X  Y  Z\" header of the geometry table",
                        "the rules under the geometry header");
    // Once the reference is kept, later (displaced) tables are checked, not kept.
    const bool keep = !referenceKept;
    const scan::AtomRows rows = {table, false,
                                 "geometry row %d: an element symbol, x, y, z and the mass",
                                 "geometry table", scale};
    const int n = scan::readAtomRows(rows, readGeometryRow, keep ? &geometry : nullptr);
    if (!keep) return;
    geometryAtoms = n;
    if (awaitReference) {
        awaitReference = false;
        referenceKept = true;
    }
}

bool isGeometryHeading(std::string_view line) {
    const std::size_t at = line.find_first_not_of(" \t");
    return at != line.npos && line.substr(at, geometryKeyword.size()) == geometryKeyword;
}

// One block from its "Vibration" line to the blank line after its rows.
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890123456
//   Vibration                       7                   8                   9
//   Freq [cm^-1]                 137.2531            244.0758            247.5649
//   Irrep                           Au                  Bg                  Bu
//   Reduced mass [u]              4.5433              3.1411              3.8635
//   IR activ [km/mol]             0.0544              0.0000              0.0655
//   ----------------------------------------------------------------------------------
//       1   C                0.00 -0.00 -0.11    0.00 -0.00 -0.14    0.02 -0.12  0.00
void readBlock(std::string_view vibrationLine) {
    Fields f;
    scan::split(vibrationLine, f);
    const int count = f.count - 1;
    if (count < 1 || count > 3)
        scan::failExpected("1 to 3 vibration numbers after \"Vibration\"", vibrationLine);
    const int first = columns::addEntries(count, vibrationLine);

    double values[3];
    bool frequencies = false;
    std::string_view line;
    for (;;) {
        readLine(line, section);
        if (scan::isRule(line)) break;
        scan::split(line, f);
        if (f.count == 0)
            scan::failExpected("the rows of a vibration block down to its rule", line);
        if (f.field[0] == "Freq" && f.count > 1 && f.field[1] == "[cm^-1]") {
            if (f.count != 2 + count)
                scan::failExpectedNumbered(line, "%d frequencies after \"Freq [cm^-1]\"", count);
            for (int c = 0; c < count; ++c) {
                double frequency = 0.0;
                if (!scan::toWavenumber(f.field[2 + c], frequency))
                    scan::failExpectedNumbered(line, "%d frequencies after \"Freq [cm^-1]\"",
                                               count);
                columns::setFrequency(first + c, frequency);
            }
            frequencies = true;
        } else if (f.field[0] == "IR" && f.count > 2 && f.field[1] == "activ" &&
                   f.field[2] == "[km/mol]") {
            if (f.count != 3 + count || !scan::toReals(f, 3, count, values))
                scan::failExpectedNumbered(line, "%d intensities after \"IR activ [km/mol]\"",
                                           count);
            for (int c = 0; c < count; ++c) columns::setIntensity(first + c, values[c]);
        }
    }
    if (!frequencies) scan::failExpected("a \"Freq [cm^-1]\" row above the block's rule", line);

    const int n = columns::atomCount();
    double d[9] = {};
    for (int i = 0; i < n; ++i) {
        readLine(line, section);
        scan::split(line, f);
        // A row names its atom unless Psi4 was given no labels.
        const int labels = f.count - 3 * count - 1;
        int number = 0;
        if ((labels != 0 && labels != 1) || !scan::toInteger(f.field[0], number) ||
            number != i + 1 ||
            (labels == 1 && scan::atomicNumberOfSymbol(f.field[1]) != columns::atomicNumber(i)) ||
            !columns::toDisplacements(f, 1 + labels, first, count, 3, d))
            scan::failExpectedNumbered(
                line,
                "the row of atom %d (its number and element as in the geometry, then x, y, z"
                " of each vibration)",
                i + 1);
        for (int c = 0; c < count; ++c)
            for (int k = 0; k < 3; ++k) columns::keepComponent(first + c, i, k, d[3 * c + k]);
    }
    readLine(line, section);
    if (!scan::isBlank(line))
        scan::failExpectedNumbered(line, "a blank line after the %d atom rows of a vibration block",
                                   n);
}

// The section after its heading: blocks from the first "Vibration" line on, until a line that
// begins none, which completes the section. A section that reaches the next part of the
// output ("==> ...") before any block printed no vibration and is passed over.
void readAnalysis(std::string_view heading) {
    if (geometryAtoms == 0)
        scan::failExpected("a \"Geometry (in ...)\" table before the vibrational analysis",
                           heading);
    std::string_view line;
    bool blocks = false;
    for (;;) {
        readLine(line, section);
        if (scan::isBlank(line)) continue;
        Fields f;
        scan::split(line, f);
        if (f.field[0] == "Vibration") {
            if (!blocks) columns::beginSection(geometry, geometryAtoms);
            readBlock(line);
            blocks = true;
        } else if (blocks) {
            columns::completeSection();
            return;
        } else if (scan::holds(line, "==> ")) {
            return;
        }
    }
}

} // namespace

void readPsi4(std::string_view fileName, int mode, scan::FormatResult& result,
              AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    columns::start(mode);
    geometryAtoms = 0;
    awaitReference = false;
    referenceKept = false;
    std::string_view line;
    int which = 0;
    while (
        scan::skipToLineHolding({geometryKeyword, findifKeyword, analysisKeyword}, line, which)) {
        if (which == 0) {
            // Psi4's own heading begins its line; optking's "Cartesian Geometry (in
            // Angstrom)" of an optimisation is another table.
            if (isGeometryHeading(line)) readGeometry(line);
        } else if (which == 1) {
            awaitReference = true;
            referenceKept = false;
        } else {
            readAnalysis(line);
            // The next frequency step has a reference of its own.
            awaitReference = false;
            referenceKept = false;
        }
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"Harmonic Vibrational Analysis\" section with"
                    " vibrations (it has none)");
    scan::close();
}

} // namespace reader
