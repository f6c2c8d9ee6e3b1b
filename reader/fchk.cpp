// Gaussian's formatted checkpoint file: each field a line "Name  type  N=  count" (or
// "Name  type  value"), an array's values on the lines after it, 5 reals or 6 integers a line.
// Read here: "Atomic numbers", "Current cartesian coordinates" (bohr), "Number of Normal
// Modes", and the vibration fields Gaussian 16 writes for a frequency job: "Vib-E2" (for each
// vibration in turn its frequency, then its reduced mass, force constant, IR intensity, Raman
// activity, ...) and "Vib-Modes" (the vectors one after the other). Every other field is
// passed over by the keyword skip.
#include "reader/format_readers.h"

#include <cstdio>

namespace reader {
namespace {

using scan::FormatResult;

constexpr std::string_view formatLabel = "Gaussian formatted checkpoint";
constexpr std::string_view numbersField = "Atomic numbers";
constexpr std::string_view coordinatesField = "Current cartesian coordinates";
constexpr std::string_view modeCountField = "Number of Normal Modes";
constexpr std::string_view energiesField = "Vib-E2";
constexpr std::string_view modesField = "Vib-Modes";
// In the order skipToLineHolding is given them.
enum Field { numbersLine, coordinatesLine, modeCountLine, energiesLine, modesLine };
constexpr std::string_view fieldNames[] = {numbersField, coordinatesField, modeCountField,
                                           energiesField, modesField};

// The blocks of Vib-E2 read: frequencies, reduced masses, force constants, IR intensities and
// Raman activities, each one value per vibration.
constexpr int energyBlocks = 5;
constexpr int energyCapacity = energyBlocks * modeCapacity;

// The next line that opens one of the fields read; false at the end of the file.
bool nextField(std::string_view& line, int& which) {
    while (scan::skipToLineHolding(
        {numbersField, coordinatesField, modeCountField, energiesField, modesField}, line, which)) {
        const std::string_view name = fieldNames[which];
        if (line.substr(0, name.size()) == name && line.size() > name.size() &&
            line[name.size()] == ' ')
            return true;
    }
    return false;
}

// A field's line after its name: its type ('I' or 'R') and either "N=" and the count of an
// array or the value of a single integer:
//          1         2         3         4         5         6
// 123456789012345678901234567890123456789012345678901234567890123
// Atomic numbers                             I   N=          20
// Number of Normal Modes                     I               54
void readFieldLine(std::string_view line, std::string_view name, char type, bool array,
                   int& value) {
    std::string_view fields[4];
    const int count = scan::splitFields(line.substr(name.size()), fields, 4);
    const bool fits = array ? count == 3 && fields[1] == "N=" : count == 2;
    char expected[120];
    std::snprintf(expected, sizeof expected,
                  array ? "\"%.*s   %c   N=\" and a count" : "\"%.*s   %c\" and a value",
                  int(name.size()), name.data(), type);
    if (!fits || fields[0].size() != 1 || fields[0][0] != type ||
        !scan::toInteger(fields[array ? 2 : 1], value) || value < 0)
        scan::failExpected(expected, line);
}

// The `count` values of an array field; those with an index in [from, from + capacity) are
// converted into values[index - from], the others only counted.
void readArray(std::string_view name, int count, bool integers, int from, int capacity,
               double* values) {
    const int perLine = integers ? 6 : 5;
    std::string_view line;
    char what[80];
    std::snprintf(what, sizeof what, "the values of \"%.*s\"", int(name.size()), name.data());
    for (int index = 0; index < count;) {
        if (!scan::nextLine(line)) scan::failEnded(what);
        std::string_view fields[8];
        const int n = scan::splitFields(line, fields, 8);
        const int left = count - index;
        if (n != (left < perLine ? left : perLine))
            scan::failExpectedNumbered(line,
                                       integers ? "%d integers of the array (%d more to come)"
                                                : "%d numbers of the array (%d more to come)",
                                       left < perLine ? left : perLine, left);
        for (int k = 0; k < n; ++k, ++index) {
            if (index < from || index >= from + capacity) continue;
            double& value = values[index - from];
            int number = 0;
            if (integers ? !scan::toInteger(fields[k], number) : !scan::toReal(fields[k], value))
                scan::failExpectedNumbered(
                    line, integers ? "value %d of an integer array" : "value %d of a real array",
                    index + 1);
            if (integers) value = number;
        }
    }
}

double atomicNumbers[atomCapacity];
double coordinates[3 * atomCapacity];
double energyValues[energyCapacity];
double vector[3 * atomCapacity];
int kept[modeCapacity];

// Fills the list of vibrations from Vib-E2: the frequencies, and the IR intensities and Raman
// activities when Vib-E2 is long enough to hold them (Raman only when any is not zero: Gaussian
// writes the block in every frequency job).
void listVibrations(FormatResult& result, int vibrations, int energyCount) {
    if (energyCount < vibrations)
        scan::failCounts("holds %d values in Vib-E2 for %d vibrations", energyCount, vibrations);
    result.listed = vibrations;
    for (int i = 0; i < vibrations; ++i) result.frequency[i] = energyValues[i];
    result.hasIntensities = energyCount >= 4 * vibrations;
    if (result.hasIntensities)
        for (int i = 0; i < vibrations; ++i) result.intensity[i] = energyValues[3 * vibrations + i];
    result.hasRaman = false;
    if (energyCount >= 5 * vibrations)
        for (int i = 0; i < vibrations; ++i) {
            result.ramanActivity[i] = energyValues[4 * vibrations + i];
            result.hasRaman = result.hasRaman || result.ramanActivity[i] != 0.0;
        }
}

int targetOf(const FormatResult& result, int mode) {
    const int count = scan::selectVibrations(result, kept);
    return mode >= 1 && mode <= count ? kept[mode - 1] : -1;
}

// The sizes the fields read so far declare; -1 for a field not read.
struct Counts {
    int atoms = -1;
    int coordinates = -1;
    int declaredModes = -1;
    int energies = -1;
    int modeValues = -1;
    int target = -1; // the listed entry whose vector was kept
};

// The atoms and their geometry in Angstroms.
void takeMolecule(FormatResult& result, int atoms) {
    result.atomCount = atoms;
    for (int i = 0; i < atoms; ++i) {
        result.geometry[i][0] = atomicNumbers[i];
        for (int k = 0; k < 3; ++k)
            result.geometry[i][1 + k] = coordinates[3 * i + k] * scan::angstromsPerBohr;
    }
}

// Vib-Modes: the vector of vibration `mode` is kept in this pass when the atoms and Vib-E2 came
// first, as Gaussian writes them.
void readModes(std::string_view line, int mode, FormatResult& result, Counts& counts) {
    readFieldLine(line, modesField, 'R', true, counts.modeValues);
    const int atoms = counts.atoms;
    counts.target = -1;
    if (atoms > 0 && counts.coordinates == 3 * atoms && counts.energies >= 0 &&
        counts.modeValues % (3 * atoms) == 0 && counts.modeValues / (3 * atoms) <= modeCapacity) {
        takeMolecule(result, atoms);
        listVibrations(result, counts.modeValues / (3 * atoms), counts.energies);
        counts.target = targetOf(result, mode);
    }
    const int from = counts.target >= 0 ? counts.target * 3 * atoms : 0;
    readArray(modesField, counts.modeValues, false, from, counts.target >= 0 ? 3 * atoms : 0,
              vector);
}

// One of the fields read, from the line that opens it.
void readField(int which, std::string_view line, int mode, FormatResult& result, Counts& counts) {
    const std::string_view name = fieldNames[which];
    switch (which) {
    case numbersLine:
        readFieldLine(line, name, 'I', true, counts.atoms);
        if (counts.atoms > atomCapacity)
            scan::failCounts("lists %d atomic numbers; Molvane holds at most %d atoms",
                             counts.atoms, atomCapacity);
        readArray(name, counts.atoms, true, 0, atomCapacity, atomicNumbers);
        break;
    case coordinatesLine:
        readFieldLine(line, name, 'R', true, counts.coordinates);
        if (counts.coordinates > 3 * atomCapacity)
            scan::failCounts("lists %d Cartesian coordinates; Molvane holds at most %d atoms",
                             counts.coordinates, atomCapacity);
        readArray(name, counts.coordinates, false, 0, 3 * atomCapacity, coordinates);
        break;
    case modeCountLine:
        readFieldLine(line, name, 'I', false, counts.declaredModes);
        break;
    case energiesLine:
        readFieldLine(line, name, 'R', true, counts.energies);
        readArray(name, counts.energies, false, 0, energyCapacity, energyValues);
        if (counts.energies > energyCapacity) counts.energies = energyCapacity;
        break;
    case modesLine:
        readModes(line, mode, result, counts);
        break;
    }
}

// Whether the fields read fit together; the number of vibrations they hold.
int checkCounts(const Counts& counts) {
    const int atoms = counts.atoms;
    if (counts.energies < 0 && counts.modeValues < 0)
        scan::failFile("holds no normal modes (no Vib-E2 and Vib-Modes fields): Gaussian 16"
                       " writes them for a frequency job, Gaussian 09 and earlier never do;"
                       " read the job's output file instead");
    if (atoms < 0) scan::failFile("has no \"Atomic numbers\" field");
    if (counts.coordinates < 0) scan::failFile("has no \"Current cartesian coordinates\" field");
    if (counts.energies < 0) scan::failFile("has Vib-Modes but no Vib-E2 field");
    if (counts.modeValues < 0) scan::failFile("has Vib-E2 but no Vib-Modes field");
    if (atoms == 0) scan::failFile("lists no atoms");
    if (counts.coordinates != 3 * atoms)
        scan::failCounts("lists %d Cartesian coordinates for %d atoms (3 per atom)",
                         counts.coordinates, atoms);
    for (int i = 0; i < atoms; ++i)
        if (atomicNumbers[i] < 1 || atomicNumbers[i] > 118)
            scan::failCounts("lists %d as the atomic number of atom %d", int(atomicNumbers[i]),
                             i + 1);
    if (counts.modeValues % (3 * atoms) != 0)
        scan::failCounts("holds %d values in Vib-Modes, not a whole number of vectors of %d atoms",
                         counts.modeValues, atoms);
    const int vibrations = counts.modeValues / (3 * atoms);
    if (vibrations > 3 * atoms)
        scan::failCounts("holds %d vectors in Vib-Modes for %d atoms (at most 3 per atom)",
                         vibrations, atoms);
    if (counts.declaredModes >= 0 && counts.declaredModes != vibrations)
        scan::failCounts("declares %d normal modes and holds %d vectors in Vib-Modes",
                         counts.declaredModes, vibrations);
    return vibrations;
}

// Vib-Modes came before what tells its vibrations apart: the vector of listed entry `wanted`
// is read in a second pass.
void readVectorAgain(std::string_view fileName, int wanted, int atoms) {
    scan::close();
    scan::open(fileName, formatLabel);
    std::string_view line;
    int which = 0;
    bool found = false;
    while (!found && nextField(line, which)) found = which == modesLine;
    if (!found) scan::failFile("changed while it was read");
    int modeValues = -1;
    readFieldLine(line, modesField, 'R', true, modeValues);
    readArray(modesField, modeValues, false, wanted * 3 * atoms, 3 * atoms, vector);
}

} // namespace

void readFchk(std::string_view fileName, int mode, scan::FormatResult& result,
              AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    result = FormatResult{};
    Counts counts;
    std::string_view line;
    int which = 0;
    while (nextField(line, which)) readField(which, line, mode, result, counts);
    const int vibrations = checkCounts(counts);
    const int atoms = counts.atoms;
    takeMolecule(result, atoms);
    listVibrations(result, vibrations, counts.energies);
    const int wanted = targetOf(result, mode);
    if (wanted >= 0) {
        if (wanted != counts.target) readVectorAgain(fileName, wanted, atoms);
        for (int i = 0; i < atoms; ++i) {
            modeVector[i][0] = float(atomicNumbers[i]);
            for (int k = 0; k < 3; ++k) modeVector[i][1 + k] = float(vector[3 * i + k]);
        }
    }
    scan::close();
}

} // namespace reader
