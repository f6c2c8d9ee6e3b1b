// ADF output, 2004 to 2019 (the text output of adf): the "Vibrations and Normal Modes"
// section, in blocks of three modes side by side (atoms written "1.C"), with the geometry
// printed last before it: the ATOMS table of the job's input, or a later "Coordinates
// (Cartesian)" table (an optimisation prints one per step; numerical frequencies one per
// displaced geometry and the undisplaced one again last). ADF lists the vibrations only (no
// output for frequencies near zero), an imaginary frequency as a negative number; the vectors
// are Cartesian, not of unit length. The IR intensities are the km/mole column of the
// "Intensities" table printed after the section.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view atomsKeyword = " ATOMS";
constexpr std::string_view cartesianKeyword = " Coordinates (Cartesian)";
constexpr std::string_view modesKeyword = " Vibrations and Normal Modes";
constexpr std::string_view intensityKeyword = "Absorption Intensity";
constexpr std::string_view section = "a \"Vibrations and Normal Modes\" section";

GeometryTable geometry;
int geometryAtoms = 0;        // 0 until a table has been read
bool intensitiesOpen = false; // the last complete section awaits its intensity table

// The rows of a table under its rule, down to a blank line or a rule: `firstValue` is the
// field of x (then y and z), the element the symbol of field 1.
//     1  C              -1.2756    0.6929    0.0000      6.00      6.00       12.0000
//     1 C      -2.429371    1.309484    0.000000      -1.285568    0.692949    0.000000   1  2  3
void readRows(std::string_view table, int firstValue) {
    std::string_view line;
    Fields f;
    int n = 0;
    for (;;) {
        readLine(line, table);
        if (scan::isBlank(line) || scan::isRule(line)) break;
        if (n == atomCapacity)
            scan::failExpectedNumbered(
                line,
                "the end of the table after at most %d atom rows (Molvane holds at most"
                " that many atoms)",
                atomCapacity);
        scan::split(line, f);
        int number = 0;
        double xyz[3];
        const int element = f.count > firstValue + 2 ? scan::atomicNumberOfSymbol(f.field[1]) : 0;
        if (element == 0 || !scan::toInteger(f.field[0], number) || number != n + 1 ||
            !scan::toReals(f, firstValue, 3, xyz))
            scan::failExpectedNumbered(line, "atom row %d: its number, element and x, y, z", n + 1);
        geometry[n][0] = element;
        for (int k = 0; k < 3; ++k) geometry[n][k + 1] = xyz[k];
        ++n;
    }
    if (n == 0) scan::failExpected("at least one atom row", line);
    geometryAtoms = n;
}

// The heading's table: a few header lines down to its rule, then the rows.
//  ATOMS
//  =====                            X Y Z                    CHARGE
//                                 (Angstrom)             Nucl     +Core       At.Mass
//                        --------------------------    ----------------       -------
// and
//  Coordinates (Cartesian)
//  =======================
//
//      Atom                    bohr                                 angstrom        ...
//                    X           Y           Z              X           Y           Z
//  ------------------------------------------------------------------------------------
void readGeometry(std::string_view heading, bool cartesian) {
    if (scan::trimmed(heading) != (cartesian ? "Coordinates (Cartesian)" : "ATOMS")) return;
    const std::string_view table =
        cartesian ? "a \"Coordinates (Cartesian)\" table" : "an \"ATOMS\" table";
    std::string_view line;
    readLine(line, table);
    if (!scan::holds(line, "=====")) scan::failExpected("a line of \"=\" under the heading", line);
    for (int lines = 0;; ++lines) {
        readLine(line, table);
        if (line.find("-----") != line.npos && line.find_first_not_of(" -") == line.npos) break;
        if (lines == 4) scan::failExpected("the rule under the table's header", line);
    }
    readRows(table, cartesian ? 5 : 2);
    intensitiesOpen = false;
}

// One block from its line of frequencies:
//                         82.433                       118.236                       164.700
//               ------------------------      ------------------------      ----------------
//     1.C          0.000   0.000  -0.100         0.000   0.000   0.102         0.000   0.000
void readBlock(const Fields& frequencies, std::string_view frequencyLine) {
    const int count = frequencies.count;
    const int first = columns::addEntries(count, frequencyLine);
    double values[9];
    scan::toReals(frequencies, 0, count, values);
    for (int c = 0; c < count; ++c) columns::setFrequency(first + c, values[c]);
    std::string_view line;
    readLine(line, section);
    if (!scan::isRule(line)) scan::failExpected("the rules under a block's frequencies", line);
    Fields f;
    const int n = columns::atomCount();
    for (int i = 0; i < n; ++i) {
        readLine(line, section);
        scan::split(line, f);
        const std::string_view label = f.count > 0 ? f.field[0] : std::string_view();
        const std::size_t dot = label.find('.');
        int number = 0;
        if (f.count != 1 + 3 * count || dot == label.npos ||
            !scan::toInteger(label.substr(0, dot), number) || number != i + 1 ||
            scan::atomicNumberOfSymbol(label.substr(dot + 1)) != columns::atomicNumber(i) ||
            !columns::toDisplacements(f, 1, first, count, 3, values))
            scan::failExpectedNumbered(
                line,
                "the row of atom %d: \"number.element\" as in the geometry, then x, y, z of"
                " each mode",
                i + 1);
        for (int c = 0; c < count; ++c)
            for (int k = 0; k < 3; ++k) columns::keepComponent(first + c, i, k, values[3 * c + k]);
    }
}

// The section after its heading: its notes, then blocks until a line that begins none.
void readModes(std::string_view heading) {
    if (!scan::holds(heading, "cartesian coordinates")) return;
    if (geometryAtoms == 0)
        scan::failExpected("an ATOMS or \"Coordinates (Cartesian)\" table before this section",
                           heading);
    columns::beginSection(geometry, geometryAtoms);
    std::string_view line;
    bool blocks = false;
    Fields f;
    for (;;) {
        readLine(line, section);
        if (scan::isBlank(line)) continue;
        scan::split(line, f);
        double values[3];
        if (f.count >= 1 && f.count <= 3 && scan::toReals(f, 0, f.count, values)) {
            readBlock(f, line);
            blocks = true;
        } else if (blocks) {
            columns::completeSection();
            intensitiesOpen = true;
            return;
        }
    }
}

// The intensity table of the section read last, after its header line:
//                  cm-1           1e-40 esu2 cm2          km/mole
//               ----------          ----------          ----------
//                82.432849            6.608474            0.136546
// Taken when it has a row for each vibration of the section.
void readIntensities() {
    if (!intensitiesOpen) return;
    intensitiesOpen = false;
    constexpr std::string_view table = "an \"Intensities\" table";
    std::string_view line;
    readLine(line, table);
    readLine(line, table);
    if (!scan::isRule(line)) scan::failExpected("the rules under the intensities' header", line);
    static double intensities[modeCapacity];
    int n = 0;
    Fields f;
    for (readLine(line, table); !scan::isBlank(line); readLine(line, table)) {
        scan::split(line, f);
        double values[3];
        if (f.count != 3 || !scan::toReals(f, 0, 3, values))
            scan::failExpectedNumbered(
                line, "intensity row %d: the frequency, dipole strength and intensity", n + 1);
        if (n < columns::listed()) intensities[n] = values[2];
        ++n;
    }
    if (n == columns::listed()) columns::setIntensities(intensities);
}

} // namespace

void readAdf(std::string_view fileName, int mode, scan::FormatResult& result,
             AtomTable& modeVector) {
    scan::open(fileName, "ADF output");
    columns::start(mode);
    geometryAtoms = 0;
    intensitiesOpen = false;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({atomsKeyword, cartesianKeyword, modesKeyword, intensityKeyword},
                                   line, which)) {
        if (which <= 1)
            readGeometry(line, which == 1);
        else if (which == 2)
            readModes(line);
        else
            readIntensities();
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"Vibrations and Normal Modes\" section (it has"
                    " none)");
    scan::close();
}

} // namespace reader
