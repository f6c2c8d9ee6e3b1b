// Turbomole's aoforce output: the "atomic coordinates" table (bohr, lower-case elements) and
// "NORMAL MODES and VIBRATIONAL FREQUENCIES", blocks of six modes side by side over all 3N modes
// (translations and rotations at 0.00 among them; a box of the zero-point energy under the last
// block), each vector of unit length. An imaginary
// frequency is written with a leading "i" ("i123.45"), or negative.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

namespace reader {
namespace {

using scan::Fields;
using scan::readLine;

constexpr std::string_view formatLabel = "Turbomole aoforce output";
constexpr std::string_view atomsKeyword = "atomic coordinates";
constexpr std::string_view modesKeyword = "NORMAL MODES and VIBRATIONAL FREQUENCIES";
constexpr std::string_view section = "a \"NORMAL MODES and VIBRATIONAL FREQUENCIES\" section";

GeometryTable geometry;
int geometryAtoms = 0; // 0 until a table has been read

// The table after its header, in bohr, ending at a line that is blank:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//                     atomic coordinates            atom    charge  isotop
//           0.00000000   -0.00000000    0.33082209    o      8.000     0
// A row: x, y, z, the element, its charge and isotope.
bool readAtomRow(const Fields& f, int, double* atom) {
    atom[0] = f.count >= 5 ? scan::atomicNumberOfSymbol(f.field[3]) : 0;
    return atom[0] != 0 && scan::toReals(f, 0, 3, atom + 1);
}

void readAtoms() {
    const scan::AtomRows rows = {"an \"atomic coordinates\" table", false,
                                 "atom row %d: x, y, z in bohr, the element and its charge",
                                 "atom table", scan::angstromsPerBohr};
    geometryAtoms = scan::readAtomRows(rows, readAtomRow, &geometry);
}

// The rows of a block above its displacements: "frequency" and "intensity (km/mol)" read, the
// others passed over; returns the first atom row.
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//      frequency        2016.19  3609.48  3833.67
//
//      symmetry            a        a        a
//
//         IR               YES      YES      YES
// |dDIP/dQ|   (a.u.)     0.0012   0.0063   0.0055
// intensity (km/mol)       2.69    69.67    53.83
//  ...
//   1   o           x   0.00000  0.00000  0.00000
std::string_view readBlockHead(int first, int count) {
    std::string_view line;
    Fields f;
    bool frequencies = false;
    for (;;) {
        readLine(line, section);
        scan::split(line, f);
        int number = 0;
        if (f.count > 0 && scan::toInteger(f.field[0], number)) break; // the first atom row
        if (f.count > 0 && f.field[0] == "frequency") {
            double value = 0.0;
            for (int c = 0; c < count; ++c) {
                if (f.count != 1 + count || !scan::toWavenumber(f.field[1 + c], value))
                    scan::failExpectedNumbered(line, "%d frequencies after \"frequency\"", count);
                columns::setFrequency(first + c, value);
            }
            frequencies = true;
        } else if (scan::trimmed(line).substr(0, 18) == "intensity (km/mol)") {
            double values[6];
            if (f.count != 2 + count || !scan::toReals(f, 2, count, values))
                scan::failExpectedNumbered(line, "%d intensities after \"intensity (km/mol)\"",
                                           count);
            for (int c = 0; c < count; ++c) columns::setIntensity(first + c, values[c]);
        }
    }
    if (!frequencies) scan::failExpected("a \"frequency\" row above the block's atom rows", line);
    return line;
}

// One block from its line of mode numbers to its last atom row.
//       mode               7        8        9
//  ...
//   1   o           x   0.00000  0.00000  0.00000
//                   y   0.00000 -0.00000 -0.06666
//                   z   0.06794  0.05335  0.00000
void readBlock(std::string_view numbersLine, int count) {
    const int first = columns::addEntries(count, numbersLine);
    std::string_view line = readBlockHead(first, count);
    Fields f;
    double values[6];
    const int n = columns::atomCount();
    constexpr std::string_view axes[3] = {"x", "y", "z"};
    for (int r = 0; r < 3 * n; ++r) {
        if (r > 0) readLine(line, section);
        scan::split(line, f);
        const int atom = r / 3;
        const int labels = r % 3 == 0 ? 3 : 1;
        int number = 0;
        const bool named =
            r % 3 != 0 || (scan::toInteger(f.field[0], number) && number == atom + 1 &&
                           scan::atomicNumberOfSymbol(f.field[1]) == columns::atomicNumber(atom));
        if (f.count != labels + count || !named || f.field[labels - 1] != axes[r % 3] ||
            !columns::toDisplacements(f, labels, first, count, 1, values))
            scan::failExpectedNumbered(
                line,
                "displacement row %d of a block (the atom's number and element, the axis,"
                " one value for each mode)",
                r + 1);
        for (int c = 0; c < count; ++c) columns::keepComponent(first + c, atom, r % 3, values[c]);
    }
}

// The count of mode numbers a "mode" line gives, the first being `next`; 0 when it is no
// such line.
int blockNumbers(std::string_view line, int next) {
    Fields f;
    scan::split(line, f);
    if (f.count < 2 || f.field[0] != "mode") return 0;
    const int count =
        scan::blockColumns(line.substr(line.find("mode") + 4), next, 3 * columns::atomCount() + 1);
    return count <= 6 ? count : 0;
}

// The section after its heading: blocks until all 3N modes are listed, or until the box of the
// zero-point energy printed under the last block, which completes it.
void readModes(std::string_view heading) {
    if (geometryAtoms == 0)
        scan::failExpected("an \"atomic coordinates\" table before the normal modes", heading);
    columns::beginSection(geometry, geometryAtoms);
    std::string_view line;
    while (columns::listed() < 3 * geometryAtoms) {
        readLine(line, section);
        if (columns::listed() > 0 && scan::trimmed(line).substr(0, 5) == "*****") break;
        Fields f;
        scan::split(line, f);
        if (f.count == 0 || f.field[0] != "mode") continue;
        const int count = blockNumbers(line, columns::listed() + 1);
        if (count == 0)
            scan::failExpectedNumbered(line, "a \"mode\" line numbering the modes from %d on",
                                       columns::listed() + 1);
        readBlock(line, count);
    }
    columns::completeSection();
}

} // namespace

void readAoforce(std::string_view fileName, int mode, scan::FormatResult& result,
                 AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    columns::start(mode);
    geometryAtoms = 0;
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({atomsKeyword, modesKeyword}, line, which)) {
        if (which == 1)
            readModes(line);
        else if (scan::trimmed(line).substr(0, atomsKeyword.size()) == atomsKeyword &&
                 scan::holds(line, "charge"))
            readAtoms();
    }
    columns::finish(result, modeVector,
                    "the file in search of a \"NORMAL MODES and VIBRATIONAL FREQUENCIES\" section"
                    " (it has none)");
    scan::close();
}

} // namespace reader
