// The frames of a multi-frame xyz file: each an atom count, a comment line and one line per
// atom (an element symbol or atomic number, then x, y, z in Angstroms). The energy of a frame
// is read from its comment line where it holds one in a form these programs write:
//   xtb (xtbopt.log):        " energy: -26.425939359008 gnorm: 0.088050967149 xtb: 6.6.1"
//   ORCA (_trj.xyz, IRC):    "Coordinates from ORCA-job name E -382.055108639488"
//   ASE (extended xyz):      "Properties=species:S:1:pos:R:3 energy=-10.28 pbc=\"F F F\"" (eV)
//   CREST (conformers):      "        -83.39895220" (the energy alone, or first)
// all in hartree but ASE's, converted with 27.211386245988 eV a hartree. When a frame has none
// the path has no energies.
#include "path/format_paths.h"

#include <cstdio>

namespace path {
namespace {

using reader::scan::failExpected;

constexpr double electronvoltsPerHartree = 27.211386245988;

bool frameEnergy(std::string_view comment, double& energy) {
    if (numberAfter(comment, "energy:", energy)) return true;
    if (comment.find("Coordinates from ORCA-job") != std::string_view::npos)
        return numberAfter(comment, " E ", energy);
    // ASE's key stands alone ("free_energy=" is another).
    const bool first = comment.substr(0, 7) == "energy=";
    if (numberAfter(comment, first ? "energy=" : " energy=", energy)) {
        energy /= electronvoltsPerHartree;
        return true;
    }
    std::string_view field[2];
    return reader::scan::splitFields(comment, field, 2) >= 1 &&
           reader::scan::toReal(field[0], energy);
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// The atom count of a frame's first line; false when the line is not one.
bool atomCount(std::string_view line, int& count) {
    std::string_view field[2];
    return reader::scan::splitFields(line, field, 2) == 1 &&
           reader::scan::toInteger(field[0], count) && count > 0;
}

} // namespace

void indexXyz() {
    startIndex(Kind::frames, Source::xyz);
    bool allEnergies = true;
    std::string_view line;
    for (;;) {
        const long long offset = textio::fileReadOffset();
        if (!reader::scan::nextLine(line)) break;
        if (isBlankLine(line)) continue; // between frames, or after the last
        int count = 0;
        if (!atomCount(line, count) || count > reader::atomCapacity)
            failExpected("the atom count of a frame (1 to 1000)", line);
        if (index.count > 0 && count != index.atomCount) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "a frame of %d atoms", index.atomCount);
            failExpected(expected, line);
        }
        index.atomCount = count;
        Step step{offset, reader::scan::lineNumber(), 0, double(index.count + 1)};
        bool complete = reader::scan::nextLine(line);
        if (complete) allEnergies = frameEnergy(line, step.energy) && allEnergies;
        for (int i = 0; i < count && complete; ++i) complete = reader::scan::nextLine(line);
        if (!complete) {
            index.cutShort = true;
            break;
        }
        addStep(step);
    }
    index.hasEnergies = allEnergies && index.count > 0;
}

void readXyzStep(const Step& step, reader::GeometryTable& geometry) {
    placeAt(step);
    std::string_view line, field[5];
    reader::scan::nextLine(line);
    reader::scan::nextLine(line);
    for (int atom = 0; atom < index.atomCount; ++atom) {
        if (!reader::scan::nextLine(line)) reader::scan::failEnded("a frame");
        const int n = reader::scan::splitFields(line, field, 5);
        int element = 0;
        if (n >= 4 && !reader::scan::toInteger(field[0], element))
            element = reader::scan::atomicNumberOfSymbol(field[0]);
        double x = 0, y = 0, z = 0;
        if (n < 4 || element < 1 || element > 118 || !reader::scan::toReal(field[1], x) ||
            !reader::scan::toReal(field[2], y) || !reader::scan::toReal(field[3], z))
            failExpected("an element and x, y, z in Angstroms", line);
        setAtom(geometry, atom, element, x, y, z);
    }
}

} // namespace path
