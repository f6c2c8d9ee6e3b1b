// Column blocks of normal modes: the section being read, the vectors that may be the chosen
// vibration's, and the last complete section.
#include "reader/mode_columns.h"

#include <cstring>

namespace reader::columns {
namespace {

constexpr int candidateCount = 7; // entry mode-1 and the six after it

int wantedMode = 0;
scan::FormatResult lists;
int intensities = 0;     // entries given an intensity
int ramanActivities = 0; // entries given a Raman activity
AtomTable candidates[candidateCount];
bool completed = false; // the section read last is complete

} // namespace

void start(int mode) {
    wantedMode = mode;
    completed = false;
}

void beginSection(const GeometryTable& geometry, int atomCount) {
    lists.atomCount = atomCount;
    std::memcpy(lists.geometry, geometry, sizeof(double) * 4 * std::size_t(atomCount));
    lists.listed = 0;
    lists.hasIntensities = false;
    lists.hasRaman = false;
    intensities = 0;
    ramanActivities = 0;
    for (AtomTable& vector : candidates)
        std::memset(vector, 0, sizeof(float) * 4 * std::size_t(atomCount));
    completed = false;
}

int atomCount() { return lists.atomCount; }
int atomicNumber(int atom) { return int(lists.geometry[atom][0]); }

int addEntries(int count, std::string_view line) {
    const int room = 3 * lists.atomCount;
    if (lists.listed + count > room) {
        scan::failExpectedNumbered(line, "no more than 3N = %d entries in one frequency section",
                                   room);
    }
    const int first = lists.listed;
    lists.listed += count;
    return first;
}

int listed() { return lists.listed; }

void setFrequency(int entry, double frequency) { lists.frequency[entry] = frequency; }

void setIntensity(int entry, double intensity) {
    lists.intensity[entry] = intensity;
    ++intensities;
}

void setRamanActivity(int entry, double activity) {
    lists.ramanActivity[entry] = activity;
    ++ramanActivities;
}

bool mayBeWanted(int entry) {
    const int slot = entry - (wantedMode - 1);
    return slot >= 0 && slot < candidateCount;
}

void keepComponent(int entry, int atom, int axis, double value) {
    const int slot = entry - (wantedMode - 1);
    if (slot < 0 || slot >= candidateCount) return;
    candidates[slot][atom][axis + 1] = float(value);
}

void completeSection() {
    lists.hasIntensities = lists.listed > 0 && intensities == lists.listed;
    lists.hasRaman = lists.listed > 0 && ramanActivities == lists.listed;
    completed = true;
}

void setIntensities(const double* values) {
    std::memcpy(lists.intensity, values, sizeof(double) * std::size_t(lists.listed));
    lists.hasIntensities = true;
}

void finish(scan::FormatResult& result, AtomTable& modeVector, std::string_view what) {
    if (!completed) scan::failEnded(what);
    result = lists;
    static int kept[modeCapacity];
    const int vibrations = scan::selectVibrations(result, kept);
    if (wantedMode < 1 || wantedMode > vibrations) return;
    const int slot = kept[wantedMode - 1] - (wantedMode - 1);
    if (slot < 0 || slot >= candidateCount)
        scan::failFile("lists more translations and rotations than a molecule has");
    for (int i = 0; i < result.atomCount; ++i) {
        modeVector[i][0] = float(result.geometry[i][0]);
        for (int k = 1; k <= 3; ++k) modeVector[i][k] = candidates[slot][i][k];
    }
}

bool toDisplacements(const scan::Fields& fields, int first, int firstEntry, int entries,
                     int perEntry, double* values) {
    const int count = entries * perEntry;
    if (first + count > fields.count || first + count > scan::Fields::capacity) return false;
    for (int g = 0; g < entries; ++g) {
        const int at = first + g * perEntry;
        if (mayBeWanted(firstEntry + g)) {
            if (!scan::toReals(fields, at, perEntry, values + g * perEntry)) return false;
            continue;
        }
        for (int i = 0; i < perEntry; ++i)
            if (!scan::isNumber(fields.field[at + i])) return false;
    }
    return true;
}

} // namespace reader::columns
