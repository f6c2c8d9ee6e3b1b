// "newcoordinates.xyz": the geometry displaced along one normal mode, as a fixed-column table.
#include "export/displaced_geometry.h"

#include <cstdio>

namespace geomexport {
namespace {

// The displaced atoms, filled in full before anything is written.
reader::GeometryTable displaced;

constexpr std::string_view rule = "------------------------------------------------------";
constexpr std::string_view heading[] = {
    rule,
    "Center     Atomic          Coordinates (Angstroms)    ",
    "Number     Number           X          Y          Z   ",
    rule,
};

// A coordinate's field is 11 columns, the first kept blank so that neighbouring values stay
// apart: its text fits when F10.6 writes it without asterisks (-99.999999 to 999.999999).
constexpr int coordinateWidth = 11;

// Ends the run, before the file is touched, at the first coordinate whose field would hold
// no blank before it.
void checkCoordinatesFit(int n) {
    for (int i = 0; i < n; ++i) {
        for (int k = 1; k < 4; ++k) {
            char field[coordinateWidth - 1];
            textio::formatReal(field, coordinateWidth - 1, 6, displaced[i][k]);
            if (field[0] != '*') continue;
            // The value as the file would round it, in a field wide enough for any double
            // a geometry can hold.
            char value[48];
            textio::formatReal(value, sizeof value - 1, 6, displaced[i][k]);
            value[sizeof value - 1] = '\0';
            const char* text = value;
            while (*text == ' ') ++text;
            char message[200];
            std::snprintf(message, sizeof message,
                          "newcoordinates.xyz not written: the displaced %c coordinate of atom %d"
                          " is %s, outside the -99.999999 to 999.999999 its column holds",
                          "xyz"[k - 1], i + 1, text);
            textio::failUnwritable(message);
        }
    }
}

} // namespace

void writeDisplacedGeometry(const reader::GeometryTable& geometry, int atomCount,
                            const reader::AtomTable& modeVector) {
    // One atom: position in the table, atomic number, x', y', z'.
    //          1         2         3         4         5
    // 123456789012345678901234567890123456789012345678901234
    //     1         6.        1.070000  -2.200000   0.800000
    //     2         1.      -99.999999 999.999999  12.500000
    static const textio::Layout rowLayout =
        textio::parseLayout("(I5,7X,F4.0,5X,F11.6,F11.6,F11.6)");

    const int n = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < n; ++i) {
        displaced[i][0] = geometry[i][0];
        for (int k = 1; k < 4; ++k) displaced[i][k] = geometry[i][k] - double(modeVector[i][k]);
    }

    checkCoordinatesFit(n);

    using textio::out;
    const auto file = textio::Unit::file;
    textio::openUnit("newcoordinates.xyz");
    for (std::string_view line : heading)
        textio::writeRecord(file, textio::lineLayout(), {out(line)});
    for (int i = 0; i < n; ++i) {
        const double* atom = displaced[i];
        textio::writeRecord(file, rowLayout,
                            {out(i + 1), out(atom[0]), out(atom[1]), out(atom[2]), out(atom[3])});
    }
    textio::writeRecord(file, textio::lineLayout(), {out(rule)});
    textio::closeUnit();
}

} // namespace geomexport
