// The path of an ORCA optimisation: one step per "GEOMETRY OPTIMIZATION CYCLE", its geometry
// the cycle's "CARTESIAN COORDINATES (ANGSTROEM)", its energy the cycle's "FINAL SINGLE POINT
// ENERGY". The final energy evaluation after convergence, at the last cycle's geometry, is
// not a step.
#include "path/format_paths.h"

#include <cstdio>

namespace path {

using reader::scan::failExpected;

void indexOrca() {
    startIndex(Kind::optimisation, Source::orca);
    index.hasEnergies = true;
    bool inCycle = false, hasGeometry = false;
    long long offset = 0;
    std::string_view line;
    int which = 0;
    while (reader::scan::skipToLineHolding({"GEOMETRY OPTIMIZATION CYCLE",
                                            "CARTESIAN COORDINATES (ANGSTROEM)",
                                            "FINAL SINGLE POINT ENERGY"},
                                           line, which)) {
        if (which == 0) {
            inCycle = true;
            hasGeometry = false;
        } else if (which == 1 && inCycle && !hasGeometry) {
            offset = textio::fileReadOffset();
            hasGeometry = true;
        } else if (which == 2 && inCycle && hasGeometry) {
            double energy = 0;
            if (!numberAfter(line, "ENERGY", energy))
                failExpected("an energy after \"FINAL SINGLE POINT ENERGY\"", line);
            addStep({offset, 0, energy, double(index.count + 1)});
            inCycle = false;
        }
    }
    index.cutShort = inCycle && hasGeometry;
}

void readOrcaStep(const Step& step, reader::GeometryTable& geometry) {
    placeAt(step);
    std::string_view line, field[6];
    if (!reader::scan::nextLine(line)) reader::scan::failEnded("a table of coordinates");
    int atom = 0;
    for (;; ++atom) {
        if (!reader::scan::nextLine(line)) break;
        const int n = reader::scan::splitFields(line, field, 6);
        if (n == 0) break;
        double x = 0, y = 0, z = 0;
        const int element = n == 4 ? reader::scan::atomicNumberOfSymbol(field[0]) : 0;
        if (element == 0 || !reader::scan::toReal(field[1], x) ||
            !reader::scan::toReal(field[2], y) || !reader::scan::toReal(field[3], z))
            failExpected("an element and x, y, z in Angstroms", line);
        setAtom(geometry, atom, element, x, y, z);
    }
    if (index.atomCount == 0) index.atomCount = atom;
    if (atom == index.atomCount) return;
    char expected[64];
    std::snprintf(expected, sizeof expected, "a table of %d atoms", index.atomCount);
    failExpected(expected, line);
}

} // namespace path
