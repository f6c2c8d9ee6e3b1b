// The path of a Gaussian output (92 to 16): the steps of an optimisation, the optimised points
// of a relaxed scan, or the points of an IRC. Each step's geometry is its orientation table
// ("Standard orientation:", else "Input orientation:", else "Z-Matrix orientation:", the
// first of these the step prints), its energy the step's last total: the MP2 ("EUMP2 =") or
// CCSD(T) ("CCSD(T)=") total where the route asks for one and the step prints it, else the
// "SCF Done" value.
//
// A job that optimises and then computes frequencies gives its optimisation: the steps end at
// the first "Optimization completed".
#include "path/format_paths.h"

#include <cstdio>

namespace path {
namespace {

using reader::scan::failExpected;

// The optimisation: one step per table followed by an energy.
void indexOptimisation(Table table) {
    Step step;
    bool energySeen = false; // the step in progress has its energy: a table begins the next
    std::string_view line;
    int which = 0;
    while (reader::scan::skipToLineHolding(
        {"orientation:", "SCF Done:", "Optimization completed", "EUMP2 =", "CCSD(T)="}, line,
        which)) {
        if (which == 0) {
            if (energySeen) {
                addStep(step);
                table = {};
            }
            energySeen = false;
            noteTable(line, table);
        } else if (which == 1 && table.rank > 0) {
            step = {table.offset, 0, scfEnergy(line), double(index.count + 1)};
            energySeen = true;
        } else if (which >= 3 && energySeen) {
            step.energy = postScfEnergy(line, which);
        } else if (which == 2) {
            break;
        }
    }
    if (energySeen) addStep(step);
    index.cutShort = !energySeen && table.rank > 0 && which != 2;
}

// The name of the scanned coordinate, from its row of the initial parameters table:
// " ! D25   D(3,4,9,10)           180.0            Scan                            !".
bool scannedName(std::string_view line, std::string_view& name) {
    std::string_view field[8];
    const int n = reader::scan::splitFields(line, field, 8);
    if (n < 4 || field[0] != "!" || field[n - 1] != "!" || field[n - 2] != "Scan") return false;
    name = field[1];
    return true;
}

// A relaxed scan: at each "Optimization completed" the last table and energy are the
// optimised point; the scanned value is in that point's optimised parameters table.
// `rowKey` is "! " and the name.
void indexScan(Table table, std::string_view rowKey) {
    const std::string_view name = rowKey.substr(2);
    double energy = 0;
    bool energySeen = false; // the step in progress has its energy: a table begins the next
    bool pending = false;    // an optimised point waits for its scanned value
    Step point;
    std::string_view line;
    int which = 0;
    while (reader::scan::skipToLineHolding(
        {"orientation:", "SCF Done:", "Optimization completed", rowKey, "EUMP2 =", "CCSD(T)="},
        line, which)) {
        if (which == 0 && !pending) {
            if (energySeen) table = {};
            energySeen = false;
            noteTable(line, table);
        } else if (which == 1 && !pending) {
            energy = scfEnergy(line);
            energySeen = true;
        } else if (which >= 4 && energySeen && !pending) {
            energy = postScfEnergy(line, which - 1);
        } else if (which == 2 && table.rank > 0) {
            point = {table.offset, 0, energy, 0};
            pending = true;
        } else if (which == 3 && pending) {
            std::string_view field[8];
            const int n = reader::scan::splitFields(line, field, 8);
            if (n < 4 || field[1] != name) continue;
            if (!reader::scan::toReal(field[3], point.coordinate))
                failExpected("the value of the scanned coordinate", line);
            addStep(point);
            pending = false;
            table = {};
        }
    }
    index.cutShort = pending;
}

} // namespace

void noteTable(std::string_view line, Table& table) {
    int rank = 0;
    if (line.find("Standard orientation:") != std::string_view::npos)
        rank = 3;
    else if (line.find("Input orientation:") != std::string_view::npos)
        rank = 2;
    else if (line.find("Z-Matrix orientation:") != std::string_view::npos)
        rank = 1;
    if (rank > table.rank) table = {textio::fileReadOffset(), rank};
}

double scfEnergy(std::string_view line) {
    double energy = 0;
    if (!numberAfter(line, "=", energy))
        failExpected("an energy after \"SCF Done: E(...) =\"", line);
    return energy;
}

double postScfEnergy(std::string_view line, int which) {
    double energy = 0;
    const std::string_view key = which == 3 ? "EUMP2 =" : "CCSD(T)=";
    if (!numberAfter(line, key, energy))
        failExpected("an energy after \"EUMP2 =\" or \"CCSD(T)=\"", line);
    return energy;
}

void indexGaussian() {
    // What the job is shows before its first geometry: an IRC's banner, a scan's row.
    std::string_view line, name;
    int which = 0;
    Kind kind = Kind::optimisation;
    Table table;
    char rowKey[32] = "! "; // the scanned coordinate's row: "! D25"
    std::size_t keyLength = 2;
    while (reader::scan::skipToLineHolding({"orientation:", "IRC-IRC-IRC", "Scan"}, line, which)) {
        if (which == 0) {
            noteTable(line, table);
            break;
        }
        if (which == 1) kind = Kind::irc;
        if (which == 2 && kind != Kind::irc && scannedName(line, name) && name.size() < 28) {
            kind = Kind::scan;
            keyLength = 2 + name.copy(rowKey + 2, name.size());
        }
    }
    startIndex(kind, Source::gaussian);
    index.hasEnergies = true;
    if (table.rank == 0) return;
    if (kind == Kind::irc)
        indexIrc(table);
    else if (kind == Kind::scan)
        indexScan(table, std::string_view(rowKey, keyLength));
    else
        indexOptimisation(table);
}

void readGaussianStep(const Step& step, reader::GeometryTable& geometry) {
    placeAt(step);
    std::string_view line;
    // The rule, two heading lines and the rule under them.
    for (int i = 0; i < 4; ++i)
        if (!reader::scan::nextLine(line)) reader::scan::failEnded("an orientation table");
    std::string_view field[8];
    for (int atom = 0;; ++atom) {
        if (!reader::scan::nextLine(line)) reader::scan::failEnded("an orientation table");
        const int n = reader::scan::splitFields(line, field, 8);
        if (n == 1 && line.find("---") != std::string_view::npos) {
            if (atom == index.atomCount || index.atomCount == 0) {
                index.atomCount = atom;
                return;
            }
            break;
        }
        int number = 0, z = 0;
        double x = 0, y = 0, zz = 0;
        if ((n != 5 && n != 6) || !reader::scan::toInteger(field[0], number) ||
            !reader::scan::toInteger(field[1], z) || !reader::scan::toReal(field[n - 3], x) ||
            !reader::scan::toReal(field[n - 2], y) || !reader::scan::toReal(field[n - 1], zz))
            failExpected("a row of an orientation table (centre, atomic number, x, y, z)", line);
        setAtom(geometry, atom, z, x, y, zz);
    }
    char expected[64];
    std::snprintf(expected, sizeof expected, "an orientation table of %d atoms", index.atomCount);
    failExpected(expected, line);
}

} // namespace path
