// "newcoordinates.xyz": the geometry displaced along one normal mode, as a fixed-column table.
#include "export/displaced_geometry.h"

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

} // namespace

void writeDisplacedGeometry(const reader::GeometryTable& geometry, int atomCount,
                            const reader::AtomTable& modeVector) {
    // One atom: position in the table, atomic number, x', y', z'.
    //          1         2         3         4         5
    // 123456789012345678901234567890123456789012345678901234
    //     1         6.        1.070000  -2.200000   0.800000
    static const textio::Layout rowLayout =
        textio::parseLayout("(I5,7X,F4.0,7X,F9.6,2X,F9.6,2X,F9.6)");

    const int n = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < n; ++i) {
        displaced[i][0] = geometry[i][0];
        for (int k = 1; k < 4; ++k) displaced[i][k] = geometry[i][k] - double(modeVector[i][k]);
    }

    using textio::out;
    const auto file = textio::Unit::file;
    textio::openUnit("newcoordinates.xyz");
    for (std::string_view line : heading) textio::writeRecord(file, textio::lineLayout(), {out(line)});
    for (int i = 0; i < n; ++i) {
        const double* atom = displaced[i];
        textio::writeRecord(file, rowLayout,
                            {out(i + 1), out(atom[0]), out(atom[1]), out(atom[2]), out(atom[3])});
    }
    textio::writeRecord(file, textio::lineLayout(), {out(rule)});
    textio::closeUnit();
}

} // namespace geomexport
