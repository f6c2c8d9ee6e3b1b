// The Molden format's vibrations: after "[Molden Format]", sections opened by a line "[NAME]"
// (any case, blanks before it and text after it allowed): [FREQ] one frequency a line,
// [FR-COORD] symbol and x, y, z in bohr, [FR-NORM-COORD] a line "vibration k" and a row dx, dy,
// dz per atom for each frequency, [INT] one IR intensity a line. Every other section ([Atoms],
// [GTO], [MO], [N_FREQ], ...) is passed over by the keyword skip. The vectors of some writers
// are not of unit length; the caller rescales them.
#include "reader/format_readers.h"

#include <cstdio>

namespace reader {
namespace {

using scan::FormatResult;

constexpr std::string_view formatLabel = "Molden";

bool isSectionLine(std::string_view line) {
    const std::string_view text = scan::trimmed(line);
    return !text.empty() && text[0] == '[';
}

// "FR-COORD" of " [FR-COORD]" or "[FR-COORD] some text".
std::string_view sectionName(std::string_view line) {
    std::string_view text = scan::trimmed(line).substr(1);
    const std::size_t close = text.find(']');
    return scan::trimmed(close == std::string_view::npos ? text : text.substr(0, close));
}

// The next section line; false at the end of the file.
bool skipToSection(std::string_view& line) {
    int which = 0;
    while (scan::skipToLineHolding({"["}, line, which))
        if (isSectionLine(line)) return true;
    return false;
}

// The next line of a section that holds something: true with a data line, false with the
// next section's line in `line` (atSection) or at the end of the file (not atSection).
bool nextDataLine(std::string_view& line, bool& atSection) {
    while (scan::nextLine(line)) {
        if (isSectionLine(line)) {
            atSection = true;
            return false;
        }
        if (!scan::trimmed(line).empty()) return true;
    }
    atSection = false;
    return false;
}

// A frequency; a few writers mark an imaginary one by a trailing "i" instead of a minus sign.
bool toFrequency(std::string_view field, double& value) {
    if (field.size() > 1 && (field.back() == 'i' || field.back() == 'I')) {
        if (!scan::toReal(field.substr(0, field.size() - 1), value)) return false;
        value = -value;
        return true;
    }
    return scan::toReal(field, value);
}

// [FREQ]: one frequency a line, in cm**-1.
//          1
// 1234567890123456
//      47.87000000
bool readFrequencies(std::string_view& line, FormatResult& result) {
    bool atSection = false;
    int count = 0;
    while (nextDataLine(line, atSection)) {
        std::string_view fields[2];
        if (count == modeCapacity)
            scan::failExpectedNumbered(
                line, "the end of [FREQ] (at most %d frequencies, 3 per atom)", modeCapacity);
        if (scan::splitFields(line, fields, 2) != 1 ||
            !toFrequency(fields[0], result.frequency[count]))
            scan::failExpectedNumbered(line, "frequency %d of [FREQ], alone on its line",
                                       count + 1);
        ++count;
    }
    result.listed = count;
    return atSection;
}

// The atomic number of a [FR-COORD] row's first field: a symbol, or a number some writers put.
int atomicNumberOf(std::string_view field) {
    int number = scan::atomicNumberOfSymbol(field);
    if (number == 0 && scan::toInteger(field, number) && (number < 1 || number > 118)) number = 0;
    return number;
}

// [FR-COORD]: symbol and x, y, z in bohr, one atom a line.
//          1         2         3         4
// 12345678901234567890123456789012345678901234567
// C        2.67238738     -0.44749758      0.00000000
//   H   1.77796615840270       1.585274195816741E-009 -0.960185498759470
bool readCoordinates(std::string_view& line, FormatResult& result) {
    bool atSection = false;
    int count = 0;
    while (nextDataLine(line, atSection)) {
        if (count == atomCapacity) {
            char message[120];
            std::snprintf(message, sizeof message,
                          "its [FR-COORD] lists more than %d atoms; Molvane holds at most %d",
                          atomCapacity, atomCapacity);
            scan::failFile(message);
        }
        std::string_view fields[6];
        double* atom = result.geometry[count];
        atom[0] = 0.0;
        if (scan::splitFields(line, fields, 6) == 4) atom[0] = atomicNumberOf(fields[0]);
        if (atom[0] == 0.0 || !scan::toReal(fields[1], atom[1]) ||
            !scan::toReal(fields[2], atom[2]) || !scan::toReal(fields[3], atom[3]))
            scan::failExpectedNumbered(line, "atom %d of [FR-COORD]: a symbol and x, y, z in bohr",
                                       count + 1);
        for (int k = 1; k <= 3; ++k) atom[k] *= scan::angstromsPerBohr;
        ++count;
    }
    result.atomCount = count;
    return atSection;
}

// [INT]: one IR intensity a line, in km/mol (some writers add a second number).
//     0.029579
//   3.532773215907373E-005
bool readIntensities(std::string_view& line, FormatResult& result, int& count) {
    bool atSection = false;
    count = 0;
    while (nextDataLine(line, atSection)) {
        std::string_view fields[4];
        const int n = scan::splitFields(line, fields, 4);
        if (count == modeCapacity || n < 1 || n > 2 ||
            !scan::toReal(fields[0], result.intensity[count]))
            scan::failExpectedNumbered(line, "intensity %d of [INT] (at most %d)", count + 1,
                                       modeCapacity);
        ++count;
    }
    return atSection;
}

// What [FR-NORM-COORD] held, and the vector of listed entry `target` when asked for.
struct Vectors {
    int count = 0;     // vibrations
    int rows = -1;     // rows of each, the same for all
    int target = -1;   // listed entry to keep, counted from 0
    bool kept = false; // the target's rows were read
    double values[modeCapacity];
};

// [FR-NORM-COORD]: for each frequency a line "vibration k" (k from 1), then dx, dy, dz for
// each atom:
//          1         2         3         4         5         6         7
// 123456789012345678901234567890123456789012345678901234567890123456789012345
// vibration 1
//     -0.00000000      0.00000000     -0.04456069
//  vibration                      1
//   6.078732316217335E-004  3.843926041272071E-002 -1.233601735819332E-007
bool readVectors(std::string_view& line, Vectors& vectors) {
    bool atSection = false;
    vectors.count = 0;
    vectors.rows = -1;
    vectors.kept = false;
    bool more = nextDataLine(line, atSection);
    while (more) {
        std::string_view fields[4];
        int number = 0;
        if (scan::splitFields(line, fields, 4) != 2 ||
            !scan::equalsIgnoringCase(fields[0], "vibration") ||
            !scan::toInteger(fields[1], number) || number != vectors.count + 1)
            scan::failExpectedNumbered(line, "the line \"vibration %d\" of [FR-NORM-COORD]",
                                       vectors.count + 1);
        if (vectors.count == modeCapacity)
            scan::failExpectedNumbered(line, "the end of [FR-NORM-COORD] (at most %d vibrations)",
                                       modeCapacity);
        const bool target = vectors.count == vectors.target;
        int rows = 0;
        while ((more = nextDataLine(line, atSection))) {
            if (scan::splitFields(line, fields, 4) == 2 &&
                scan::equalsIgnoringCase(fields[0], "vibration"))
                break;
            double d[3];
            if (rows == atomCapacity || scan::splitFields(line, fields, 4) != 3 ||
                !scan::toReal(fields[0], d[0]) || !scan::toReal(fields[1], d[1]) ||
                !scan::toReal(fields[2], d[2]))
                scan::failExpectedNumbered(line, "row %d of vibration %d: dx, dy, dz", rows + 1,
                                           vectors.count + 1);
            if (target)
                for (int k = 0; k < 3; ++k) vectors.values[3 * rows + k] = d[k];
            ++rows;
        }
        if (vectors.rows >= 0 && rows != vectors.rows) {
            char message[160];
            std::snprintf(message, sizeof message,
                          "holds vibration %d of [FR-NORM-COORD] with %d atom rows, where"
                          " vibration 1 has %d",
                          vectors.count + 1, rows, vectors.rows);
            scan::failFile(message);
        }
        vectors.rows = rows;
        vectors.kept = vectors.kept || target;
        ++vectors.count;
    }
    return atSection;
}

Vectors vectors;
int kept[modeCapacity];

// The listed entry that is vibration `mode`, once the frequencies and atoms are known.
int targetOf(const FormatResult& result, int mode) {
    if (result.listed == 0 || result.atomCount == 0) return -1;
    const int count = scan::selectVibrations(result, kept);
    return mode >= 1 && mode <= count ? kept[mode - 1] : -1;
}

// [FR-NORM-COORD] read again for the vector, when it came before [FREQ] or [FR-COORD].
void readVectorAgain(std::string_view fileName, int target) {
    scan::close();
    scan::open(fileName, formatLabel);
    std::string_view line;
    bool found = false;
    while (!found && skipToSection(line))
        found = scan::equalsIgnoringCase(sectionName(line), "FR-NORM-COORD");
    if (!found) scan::failFile("changed while it was read");
    vectors.target = target;
    readVectors(line, vectors);
}

} // namespace

void readMolden(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    result = FormatResult{};
    vectors = Vectors{};
    bool haveFrequencies = false, haveAtoms = false, haveVectors = false;
    int intensities = 0;
    std::string_view line;
    bool more = skipToSection(line);
    while (more) {
        const std::string_view name = sectionName(line);
        if (scan::equalsIgnoringCase(name, "FREQ")) {
            more = readFrequencies(line, result);
            haveFrequencies = true;
        } else if (scan::equalsIgnoringCase(name, "FR-COORD")) {
            more = readCoordinates(line, result);
            haveAtoms = true;
        } else if (scan::equalsIgnoringCase(name, "FR-NORM-COORD")) {
            vectors.target = targetOf(result, mode);
            more = readVectors(line, vectors);
            haveVectors = true;
        } else if (scan::equalsIgnoringCase(name, "INT")) {
            more = readIntensities(line, result, intensities);
            result.hasIntensities = true;
        } else {
            more = skipToSection(line);
        }
    }
    if (!haveFrequencies || result.listed == 0) scan::failFile("has no [FREQ] section");
    if (!haveAtoms || result.atomCount == 0) scan::failFile("has no [FR-COORD] section");
    if (!haveVectors) scan::failFile("has no [FR-NORM-COORD] section");
    if (vectors.count != result.listed)
        scan::failCounts("holds %d vibrations in [FR-NORM-COORD] for %d frequencies in [FREQ]",
                         vectors.count, result.listed);
    if (vectors.rows != result.atomCount)
        scan::failCounts("holds rows for %d atoms in each vibration of [FR-NORM-COORD] for %d atoms"
                         " in [FR-COORD]",
                         vectors.rows, result.atomCount);
    if (result.listed > 3 * result.atomCount)
        scan::failCounts("lists %d frequencies for %d atoms (at most 3 per atom)", result.listed,
                         result.atomCount);
    if (result.hasIntensities && intensities != result.listed)
        scan::failCounts("lists %d intensities in [INT] for %d frequencies in [FREQ]", intensities,
                         result.listed);

    const int target = targetOf(result, mode);
    if (target >= 0) {
        if (!vectors.kept || vectors.target != target) readVectorAgain(fileName, target);
        for (int i = 0; i < result.atomCount; ++i) {
            modeVector[i][0] = float(result.geometry[i][0]);
            for (int k = 0; k < 3; ++k) modeVector[i][1 + k] = float(vectors.values[3 * i + k]);
        }
    }
    scan::close();
}

} // namespace reader
