// Column blocks of normal modes: the section being read, the vectors that may be the chosen
// vibration's, and the last complete section.
#include "reader/mode_columns.h"

#include <cstdio>
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
        char expected[120];
        std::snprintf(expected, sizeof expected,
                      "no more than 3N = %d entries in one frequency section", room);
        scan::failExpected(expected, line);
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

void readLine(std::string_view& line, std::string_view what) {
    if (!scan::nextLine(line)) scan::failEnded(what);
}

void failRow(const char* expected, int number, std::string_view line) {
    char text[200];
    std::snprintf(text, sizeof text, expected, number);
    scan::failExpected(text, line);
}

void split(std::string_view line, Fields& fields) {
    fields.count = scan::splitFields(line, fields.field, Fields::capacity);
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == line.npos; }

bool holds(std::string_view line, std::string_view text) { return line.find(text) != line.npos; }

bool isRule(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == line.npos || line[first] != '-') return false;
    return line.find_first_not_of("- \r", first) == line.npos;
}

bool toReals(const Fields& fields, int first, int count, double* values) {
    if (first + count > fields.count || first + count > Fields::capacity) return false;
    for (int i = 0; i < count; ++i)
        if (!scan::toReal(fields.field[first + i], values[i])) return false;
    return true;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool isNumber(std::string_view field) {
    std::size_t at = 0;
    const std::size_t n = field.size();
    if (at < n && (field[at] == '+' || field[at] == '-')) ++at;
    int digits = 0;
    while (at < n && isDigit(field[at])) ++at, ++digits;
    if (at < n && field[at] == '.')
        for (++at; at < n && isDigit(field[at]); ++at) ++digits;
    if (digits == 0) return false;
    if (at == n) return true;
    const char e = field[at];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
    ++at;
    if (at < n && (field[at] == '+' || field[at] == '-')) ++at;
    const std::size_t exponent = at;
    while (at < n && isDigit(field[at])) ++at;
    return at > exponent && at == n;
}

bool toDisplacements(const Fields& fields, int first, int firstEntry, int entries, int perEntry,
                     double* values) {
    const int count = entries * perEntry;
    if (first + count > fields.count || first + count > Fields::capacity) return false;
    for (int g = 0; g < entries; ++g) {
        const int at = first + g * perEntry;
        if (mayBeWanted(firstEntry + g)) {
            if (!toReals(fields, at, perEntry, values + g * perEntry)) return false;
            continue;
        }
        for (int i = 0; i < perEntry; ++i)
            if (!isNumber(fields.field[at + i])) return false;
    }
    return true;
}

} // namespace reader::columns
