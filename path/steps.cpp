// The step index, and the small pieces of reading the formats share.
#include "path/steps.h"

#include "path/format_paths.h"

namespace path {

Index index;
Step steps[stepCapacity];

void startIndex(Kind kind, Source source) {
    index = Index{};
    index.kind = kind;
    index.source = source;
}

void addStep(const Step& step) {
    if (index.count >= stepCapacity)
        reader::scan::failFile("holds more steps than the 1048576 a path can have");
    steps[index.count++] = step;
}

void finishIndex() {
    index.lowest = 0;
    if (!index.hasEnergies) return;
    for (int i = 1; i < index.count; ++i)
        if (steps[i].energy < steps[index.lowest].energy) index.lowest = i;
}

std::string_view coordinateName(Kind kind) {
    switch (kind) {
    case Kind::irc:
        return "reaction coordinate";
    case Kind::scan:
        return "scanned value";
    case Kind::optimisation:
    case Kind::frames:
        break;
    }
    return "step";
}

double relativeEnergy(int i) {
    return (steps[i].energy - steps[index.lowest].energy) * kcalPerHartree;
}

bool numberAfter(std::string_view line, std::string_view key, double& value) {
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos) return false;
    line.remove_prefix(at + key.size());
    std::string_view field[2];
    if (reader::scan::splitFields(line, field, 2) < 1) return false;
    return reader::scan::toReal(field[0], value);
}

void setAtom(reader::GeometryTable& geometry, int atom, int element, double x, double y, double z) {
    if (atom >= reader::atomCapacity)
        reader::scan::failFile("holds a geometry of more than 1000 atoms");
    geometry[atom][0] = element;
    geometry[atom][1] = x;
    geometry[atom][2] = y;
    geometry[atom][3] = z;
}

void placeAt(const Step& step) { textio::seekFileUnit(step.offset, step.line); }

} // namespace path
