// A Gaussian IRC: the transition state (the job's first geometry) and every converged point
// ("Point Number: n  Path Number: p", then its "NET REACTION COORDINATE UP TO THIS POINT"),
// each with the last orientation table and SCF energy before that line; the predictor
// geometries in between are passed over. The two halves are joined through the transition
// state into one path in the order of the summary at the end ("Summary of reaction path
// following": the reverse half first, its coordinates negative), and take the summary's
// reaction coordinates, whichever direction the file computed first.
#include "path/format_paths.h"

#include <cmath>

namespace path {
namespace {

using reader::scan::failExpected;
using reader::scan::splitFields;
using reader::scan::toReal;

constexpr int pointCapacity = 10000;
int pathOf[pointCapacity];  // of each step as read: 0 for the TS, else its path number
Step joined[pointCapacity]; // the steps in the summary's order
double summaryRx[pointCapacity];
int summaryCount = 0;
int tsAt = 0; // where join put the TS

// "Point Number:   3          Path Number:   2"
int pathNumber(std::string_view line) {
    std::string_view field[8];
    int path = 0;
    if (splitFields(line, field, 8) < 6 || !reader::scan::toInteger(field[5], path))
        failExpected("\"Point Number: n  Path Number: p\"", line);
    return path;
}

// The summary's rows ("  12   -0.01234   1.23456"): energy relative to the TS, reaction
// coordinate; the rule and column headings before them are passed over.
void readSummary() {
    std::string_view line, field[4];
    for (;;) {
        if (!reader::scan::nextLine(line)) return;
        const int n = splitFields(line, field, 4);
        double energy = 0, rx = 0;
        int number = 0;
        const bool row = n == 3 && reader::scan::toInteger(field[0], number) &&
                         toReal(field[1], energy) && toReal(field[2], rx);
        if (!row && summaryCount > 0) return;
        if (!row) continue;
        if (summaryCount >= pointCapacity) failExpected("the end of the summary", line);
        summaryRx[summaryCount++] = rx;
    }
}

int countOf(int path, int points) {
    int n = 0;
    for (int i = 0; i < points; ++i) n += pathOf[i] == path;
    return n;
}

// The steps as read (TS first) in the joined order, `reverse` the path number of the half
// that runs backwards; false when they do not fit the summary.
bool join(int reverse, int points) {
    int k = 0;
    for (int i = points - 1; i > 0; --i)
        if (pathOf[i] == reverse) joined[k++] = steps[i];
    for (int i = 0; i < k; ++i) joined[i].coordinate = -joined[i].coordinate;
    tsAt = k;
    joined[k++] = steps[0];
    for (int i = 1; i < points; ++i)
        if (pathOf[i] != reverse) joined[k++] = steps[i];
    if (summaryCount == 0) return true;
    if (k != summaryCount) return false;
    for (int i = 0; i < k; ++i)
        if (std::fabs(joined[i].coordinate - summaryRx[i]) > 2e-5) return false;
    for (int i = 0; i < k; ++i) joined[i].coordinate = summaryRx[i];
    return true;
}

} // namespace

void indexIrc(Table table) {
    summaryCount = 0;
    double energy = 0;
    bool energySeen = false;
    int path = 0, reverse = 0;
    bool reverseNamed = false; // "REVERSE" said of the next path to begin
    Step ts;
    std::string_view line;
    int which = 0;
    while (reader::scan::skipToLineHolding(
        {"orientation:", "SCF Done:", "Path Number:", "NET REACTION COORDINATE", "REVERSE",
         "Summary of reaction path following", "EUMP2 =", "CCSD(T)="},
        line, which)) {
        if (which == 0) {
            if (energySeen && index.count == 0 && ts.offset > 0) addStep(ts); // its job is done
            if (energySeen) table = {};
            energySeen = false;
            noteTable(line, table);
        } else if (which == 1) {
            energy = scfEnergy(line);
            energySeen = true;
            if (ts.offset == 0) ts.offset = table.offset;
            if (index.count == 0) ts.energy = energy;
        } else if (which >= 6 && energySeen) {
            energy = postScfEnergy(line, which - 3);
            if (index.count == 0) ts.energy = energy;
        } else if (which == 2) {
            path = pathNumber(line);
            if (reverseNamed && reverse == 0) reverse = path;
        } else if (which == 3 && path > 0 && index.count > 0) {
            double rx = 0;
            if (!numberAfter(line, "=", rx))
                failExpected("a reaction coordinate after \"=\"", line);
            if (index.count >= pointCapacity)
                reader::scan::failFile("holds more than 10000 IRC points");
            pathOf[index.count] = path;
            addStep({table.offset, 0, energy, std::fabs(rx)});
            path = 0; // the next point names its path again
        } else if (which == 4) {
            reverseNamed = reverseNamed || line.find("REVERSE path") != std::string_view::npos;
        } else if (which == 5) {
            readSummary();
            break;
        }
    }
    const int points = index.count;
    if (points == 0) return;
    pathOf[0] = 0;
    // Without a word of the direction, the second path is the reverse one (Gaussian computes
    // forward first); the summary settles it where the file has one.
    const int first = reverse != 0 ? reverse : 2;
    const int other = first == 1 ? 2 : 1;
    bool fits = join(first, points);
    if (!fits && countOf(other, points) > 0) fits = join(other, points);
    if (!fits)
        reader::scan::failFile("holds IRC points that do not fit its summary of the reaction path");
    for (int i = 0; i < points; ++i) steps[i] = joined[i];
    index.transitionState = tsAt;
}

} // namespace path
