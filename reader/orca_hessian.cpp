// ORCA's .hess file: sections opened by a line "$name" with their dimension on the next line;
// "$vibrational_frequencies", "$normal_modes" in column blocks, "$atoms" (symbol, mass, x, y,
// z in bohr), "$ir_spectrum" and "$raman_spectrum". The rest ("$hessian", "$dipole_derivatives",
// ...) is passed over by the keyword skip.
//
// ORCA writes the atoms after the normal modes, and which listed entry is vibration m depends
// on whether the atoms lie on one line (3N-6 or 3N-5 vibrations). So the normal modes are read
// for both countings at once and the column the atoms call for is kept: one pass. A file whose
// frequencies come after its normal modes is read a second time for the vector.
#include "reader/format_readers.h"

#include <cstdio>

namespace reader {
namespace {

using scan::FormatResult;

constexpr std::string_view formatLabel = "ORCA .hess";
constexpr std::string_view frequenciesName = "$vibrational_frequencies";
constexpr std::string_view modesName = "$normal_modes";
constexpr std::string_view atomsName = "$atoms";
constexpr std::string_view infraredName = "$ir_spectrum";
constexpr std::string_view ramanName = "$raman_spectrum";
constexpr std::string_view endName = "$end";
constexpr int fieldCapacity = 32;

// The next section line ("$name" alone on its line); false at the end of the file.
bool nextSection(std::string_view& name) {
    std::string_view line;
    int which = 0;
    while (scan::skipToLineHolding({"$"}, line, which)) {
        name = scan::trimmed(line);
        if (name[0] == '$') return true;
    }
    return false;
}

// The dimension line under a section name: `count` integers (1, or 2 for $normal_modes), each
// at most `capacity` (the atoms, or 3 per atom, Molvane holds).
void readDimensions(std::string_view section, int* values, int count, int capacity) {
    std::string_view line;
    std::string_view fields[4];
    char what[160];
    std::snprintf(what, sizeof what, "the dimension of %.*s (Molvane holds at most %d atoms%s)",
                  int(section.size()), section.data(), atomCapacity,
                  capacity == atomCapacity ? "" : ", 3 entries each");
    scan::readLine(line, what);
    if (scan::splitFields(line, fields, 4) != count) scan::failExpected(what, line);
    for (int k = 0; k < count; ++k)
        if (!scan::toInteger(fields[k], values[k]) || values[k] < 0 || values[k] > capacity)
            scan::failExpected(what, line);
}

// $vibrational_frequencies: the count, then one numbered row each, in cm**-1:
//          1         2
// 12345678901234567890
//     6     -328.034493
void readFrequencies(FormatResult& result) {
    int count = 0;
    readDimensions(frequenciesName, &count, 1, modeCapacity);
    std::string_view line;
    for (int i = 0; i < count; ++i) {
        scan::readLine(line, "the $vibrational_frequencies");
        std::string_view fields[4];
        int number = -1;
        if (scan::splitFields(line, fields, 4) != 2 || !scan::toInteger(fields[0], number) ||
            number != i || !scan::toReal(fields[1], result.frequency[i]))
            scan::failExpectedNumbered(
                line, "row %d of $vibrational_frequencies: its number and a frequency", i);
    }
    result.listed = count;
}

// $atoms: the count, then symbol, mass, x, y, z (bohr) for each atom:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//  C     12.01100     -1.814904320846    -1.092934810353     3.141421685852
void readAtoms(FormatResult& result) {
    int count = 0;
    readDimensions(atomsName, &count, 1, atomCapacity);
    std::string_view line;
    for (int i = 0; i < count; ++i) {
        scan::readLine(line, "the $atoms");
        std::string_view fields[8];
        double* atom = result.geometry[i];
        double mass = 0.0;
        atom[0] = 0.0;
        if (scan::splitFields(line, fields, 8) == 5)
            atom[0] = scan::atomicNumberOfSymbol(fields[0]);
        if (atom[0] == 0.0 || !scan::toReal(fields[1], mass) || !scan::toReal(fields[2], atom[1]) ||
            !scan::toReal(fields[3], atom[2]) || !scan::toReal(fields[4], atom[3]))
            scan::failExpectedNumbered(line, "atom %d of $atoms: symbol, mass and x, y, z in bohr",
                                       i + 1);
        for (int k = 1; k <= 3; ++k) atom[k] *= scan::angstromsPerBohr;
    }
    result.atomCount = count;
}

// $ir_spectrum: a row for each listed entry; from ORCA 5 on "wavenumber eps Int TX TY TZ"
// with Int in km/mol, before that "wavenumber T**2 TX TY TZ" with T**2 in km/mol:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123456
//     547.03   0.00226296  11.43606420     0.015498    -0.005952     0.031864
//    1292.22      14.4422       3.7904       0.2737       0.0026
// $raman_spectrum: "wavenumber Activity Depolarization".
//    1292.22       1.5128       0.7500
// Returns the rows read.
int readSpectrum(std::string_view section, bool infrared, double* values) {
    int count = 0;
    readDimensions(section, &count, 1, modeCapacity);
    std::string_view line;
    for (int i = 0; i < count; ++i) {
        scan::readLine(line, section);
        std::string_view fields[8];
        const int n = scan::splitFields(line, fields, 8);
        const bool fits = infrared ? n == 5 || n == 6 : n == 3;
        if (!fits || !scan::toReal(fields[infrared && n == 6 ? 2 : 1], values[i]))
            scan::failExpectedNumbered(line,
                                       infrared ? "row %d of $ir_spectrum: 5 or 6 numbers"
                                                : "row %d of $raman_spectrum: 3 numbers",
                                       i);
    }
    return count;
}

bool leadingInteger(std::string_view line, int& value) {
    std::string_view fields[1];
    return scan::splitFields(line, fields, 1) > 0 && scan::toInteger(fields[0], value);
}

// The columns of $normal_modes read into the vectors: column targets[t] into vectors[t].
struct Capture {
    int targets[2] = {-1, -1};
    double* vectors[2] = {};
};

// $normal_modes: "rows columns", then blocks of 5 (ORCA 5 and 6) or 6 columns (earlier), in E
// or fixed notation, each under a line numbering its columns:
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890123456789
//                     0                  1                  2                  3
//    45      2.1579075382E-01  -6.0405267174E-02  -1.7349740531E-02  -3.0949178331E-01
//          9      -0.075717  -0.047067  -0.081528  -0.007456  -0.015377  -0.026632
// Only the row numbers of blocks without a target column are read.
void readNormalModes(int dimensions[2], const Capture& capture) {
    readDimensions(modesName, dimensions, 2, modeCapacity);
    const int rows = dimensions[0], columns = dimensions[1];
    std::string_view line;
    for (int first = 0; first < columns;) {
        do scan::readLine(line, "the $normal_modes");
        while (scan::trimmed(line).empty());
        const int count = scan::blockColumns(line, first, columns);
        if (count == 0)
            scan::failExpectedNumbered(
                line, "a line numbering the $normal_modes columns from %d (of %d)", first, columns);
        bool holds[2];
        for (int t = 0; t < 2; ++t)
            holds[t] = capture.targets[t] >= first && capture.targets[t] < first + count;
        for (int row = 0; row < rows; ++row) {
            scan::readLine(line, "the $normal_modes");
            int number = -1;
            if (!holds[0] && !holds[1]) {
                if (!leadingInteger(line, number) || number != row)
                    scan::failExpectedNumbered(
                        line, "row %d of the $normal_modes block from column %d", row, first);
                continue;
            }
            std::string_view fields[fieldCapacity];
            if (scan::splitFields(line, fields, fieldCapacity) != count + 1 ||
                !scan::toInteger(fields[0], number) || number != row)
                scan::failExpectedNumbered(
                    line, "row %d of $normal_modes: its number and %d numbers", row, count);
            for (int t = 0; t < 2; ++t)
                if (holds[t] &&
                    !scan::toReal(fields[1 + capture.targets[t] - first], capture.vectors[t][row]))
                    scan::failExpectedNumbered(
                        line, "row %d of $normal_modes: its number and %d numbers", row, count);
        }
        first += count;
    }
}

// The listed entry selectVibrations makes vibration `mode` of, were the atoms on one line
// or not: the frequencies are known when the normal modes come, the atoms not yet.
int targetAssuming(bool linear, const FormatResult& result, int mode) {
    static FormatResult assumed;
    static int kept[modeCapacity];
    assumed.listed = result.listed;
    assumed.atomCount = result.listed / 3;
    for (int i = 0; i < result.listed; ++i) assumed.frequency[i] = result.frequency[i];
    for (int i = 0; i < assumed.atomCount; ++i) {
        double* atom = assumed.geometry[i];
        atom[0] = 6.0;
        atom[1] = i;
        atom[2] = !linear && i == 2 ? 1.0 : 0.0;
        atom[3] = 0.0;
    }
    const int count = scan::selectVibrations(assumed, kept);
    return mode >= 1 && mode <= count ? kept[mode - 1] : -1;
}

double captured[2][modeCapacity];
int kept[modeCapacity];

// The whole vector of listed entry `target` from $normal_modes, in a second pass.
void readVectorAgain(std::string_view fileName, int target) {
    scan::close();
    scan::open(fileName, formatLabel);
    std::string_view name;
    bool found = false;
    while (!found && nextSection(name)) found = name == modesName;
    if (!found) scan::failFile("changed while it was read");
    Capture capture;
    capture.targets[0] = target;
    capture.vectors[0] = captured[0];
    int dimensions[2];
    readNormalModes(dimensions, capture);
}

} // namespace

void readOrcaHessian(std::string_view fileName, int mode, scan::FormatResult& result,
                     AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    result = FormatResult{};
    bool haveFrequencies = false, haveModes = false, haveAtoms = false;
    int modeDimensions[2] = {0, 0};
    int infraredRows = 0, ramanRows = 0;
    Capture capture; // targets[0] as if the atoms were off a line, [1] on one
    std::string_view name;
    while (nextSection(name) && name != endName) {
        if (name == frequenciesName) {
            readFrequencies(result);
            haveFrequencies = true;
        } else if (name == atomsName) {
            readAtoms(result);
            haveAtoms = true;
        } else if (name == modesName) {
            capture = Capture{};
            if (haveFrequencies && result.listed % 3 == 0) {
                capture.targets[0] = targetAssuming(false, result, mode);
                capture.targets[1] = targetAssuming(true, result, mode);
            }
            capture.vectors[0] = captured[0];
            capture.vectors[1] = captured[1];
            readNormalModes(modeDimensions, capture);
            haveModes = true;
        } else if (name == infraredName) {
            infraredRows = readSpectrum(infraredName, true, result.intensity);
            result.hasIntensities = true;
        } else if (name == ramanName) {
            ramanRows = readSpectrum(ramanName, false, result.ramanActivity);
            result.hasRaman = true;
        }
    }
    if (!haveAtoms) scan::failFile("has no $atoms section");
    if (!haveFrequencies) scan::failFile("has no $vibrational_frequencies section");
    if (!haveModes) scan::failFile("has no $normal_modes section");
    const int n = result.atomCount;
    if (result.listed != 3 * n)
        scan::failCounts("lists %d vibrational frequencies for its %d atoms (3 per atom)",
                         result.listed, n);
    if (modeDimensions[0] != 3 * n || modeDimensions[1] != result.listed)
        scan::failCounts(
            "has $normal_modes of %d rows and %d columns; 3 per atom of each called for",
            modeDimensions[0], modeDimensions[1]);
    if (result.hasIntensities && infraredRows != result.listed)
        scan::failCounts("lists %d rows in $ir_spectrum for %d vibrational frequencies",
                         infraredRows, result.listed);
    if (result.hasRaman && ramanRows != result.listed)
        scan::failCounts("lists %d rows in $raman_spectrum for %d vibrational frequencies",
                         ramanRows, result.listed);

    const int vibrations = scan::selectVibrations(result, kept);
    if (mode >= 1 && mode <= vibrations) {
        const int target = kept[mode - 1];
        const int t = capture.targets[0] == target ? 0 : capture.targets[1] == target ? 1 : -1;
        const double* vector = t >= 0 ? captured[t] : captured[0];
        if (t < 0) readVectorAgain(fileName, target);
        for (int i = 0; i < n; ++i) {
            modeVector[i][0] = float(result.geometry[i][0]);
            for (int k = 0; k < 3; ++k) modeVector[i][1 + k] = float(vector[3 * i + k]);
        }
    }
    scan::close();
}

} // namespace reader
