// Molpro output: the section of the FREQUENCIES program that calculates the normal modes. Its
// "Atomic Coordinates" table (bohr) is the geometry; "Normal Modes" blocks of five modes side by
// side follow, one row per Cartesian component ("CX1 CY1 CZ1 ..."), then, where there are any,
// "Normal Modes of imaginary frequencies" (their wavenumbers printed positive) and "Normal Modes
// of low/zero frequencies" (translations and rotations, and sometimes a real vibration of low
// frequency: the 3N-6 rule decides). The vectors are scaled so that the sum of m v^2 is 1; the
// caller rescales them to unit length.
//
// The list is ordered imaginary, low/zero, then the others, so that an imaginary vibration is
// vibration 1. The other modes are printed first, before it is known how many come before them
// in that order: their vectors are kept for a window of entries wide enough for up to
// `earlyCapacity` imaginary and low/zero modes, and the file is read once.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace reader {
namespace {

using scan::FormatResult;
using scan::readLine;

constexpr std::string_view formatLabel = "Molpro output";
constexpr std::string_view sectionKeyword = "CALCULATION OF NORMAL MODES";
constexpr std::string_view atomsKeyword = "Atomic Coordinates";
constexpr std::string_view modesKeyword = "Normal Modes";
constexpr std::string_view section = "a \"Normal Modes\" section";

constexpr int earlyCapacity = 24; // imaginary and low/zero modes the window allows for
constexpr int slots = 7;          // entries that may be vibration `mode`, as counted from it
constexpr int lateSlots = earlyCapacity + slots;

enum Kind { real, imaginary, low };

// The section being read: the geometry, then the modes of each kind in file order.
struct Section {
    int atoms = 0;
    GeometryTable geometry;
    int lateCount = 0;  // modes of the "Normal Modes" blocks
    int earlyCount = 0; // imaginary, then low/zero modes
    double lateFrequency[modeCapacity], lateIntensity[modeCapacity];
    double earlyFrequency[modeCapacity], earlyIntensity[modeCapacity];
    int intensities = 0; // modes given an intensity
    bool complete = false;
};

Section current;
std::string_view lastLine; // the line that ended a section
bool geometryRead = false;
bool sectionOpen = false; // a section has begun and not yet ended
int wantedMode = 0;
AtomTable lateVectors[lateSlots]; // late mode j at slot j - (mode-1-earlyCapacity)
AtomTable earlyVectors[slots];    // early mode t at slot t - (mode-1)

// The element of an atom row: its charge, a whole number (the label may be any name, as GX1
// for a carbon). An effective core potential lowers the charge printed: where the label names
// an element whose core of a usual size the charge lacks, that element is meant.
int elementOf(std::string_view label, double charge) {
    const double rounded = std::round(charge);
    if (std::fabs(charge - rounded) > 1e-3 || rounded < 1.0 || rounded > 118.0) return 0;
    const int z = int(rounded);
    const int named = scan::atomicNumberOfSymbol(label);
    for (const int core : {2, 10, 18, 28, 36, 46, 54, 60, 68, 78, 92})
        if (named == z + core) return named;
    return z;
}

// A row: its number, label, charge, x, y, z.
bool readAtomRow(const scan::Fields& f, int row, double* atom) {
    int number = 0;
    double charge = 0.0;
    if (f.count != 6 || !scan::toInteger(f.field[0], number) || number != row + 1 ||
        !scan::toReal(f.field[2], charge) || !scan::toReals(f, 3, 3, atom + 1))
        return false;
    atom[0] = elementOf(f.field[1], charge);
    return atom[0] != 0;
}

// The table after its heading, in bohr:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//  Atomic Coordinates
//
//   Nr  Atom  Charge       X              Y              Z
//
//    1   C     6.00    2.676555196    0.445053706    0.000000000
// The rows end at a blank line.
void readAtoms() {
    constexpr std::string_view table = "an \"Atomic Coordinates\" table";
    std::string_view line;
    do readLine(line, table);
    while (scan::trimmed(line).empty());
    std::string_view f[8];
    if (scan::splitFields(line, f, 8) != 6 || f[0] != "Nr" || f[2] != "Charge")
        scan::failExpected("the \"Nr  Atom  Charge  X  Y  Z\" header of the atom table", line);
    readLine(line, table);
    if (!scan::trimmed(line).empty())
        scan::failExpected("a blank line under the atom table's header", line);
    const scan::AtomRows rows = {
        table, false, "atom row %d: its number, label, charge (a whole number) and x, y, z",
        "atom table", scan::angstromsPerBohr};
    const int n = scan::readAtomRows(rows, readAtomRow, &current.geometry);
    current.atoms = n;
    geometryRead = true;
    sectionOpen = false;
    current.complete = false;
}

// Starts the modes of the last table read, in place of an earlier section's.
void beginSection(std::string_view heading) {
    if (!geometryRead)
        scan::failExpected("an \"Atomic Coordinates\" table before the normal modes", heading);
    current.lateCount = current.earlyCount = current.intensities = 0;
    current.complete = false;
    sectionOpen = true;
    const std::size_t bytes = sizeof(float) * 4 * std::size_t(current.atoms);
    for (AtomTable& v : lateVectors) std::memset(v, 0, bytes);
    for (AtomTable& v : earlyVectors) std::memset(v, 0, bytes);
}

// Where the vector of the mode `index` of its kind is kept; nullptr when it cannot be the
// wanted vibration's.
using Vector = float (*)[4];
Vector slotOf(Kind kind, int index) {
    if (kind == real) {
        const int slot = index - (wantedMode - 1 - earlyCapacity);
        return slot >= 0 && slot < lateSlots ? lateVectors[slot] : nullptr;
    }
    const int slot = index - (wantedMode - 1);
    return slot >= 0 && slot < slots ? earlyVectors[slot] : nullptr;
}

// The numbers over a block: "1 Au  2 Bg ..." with irreps, or "1  2  3 ..." without; the
// count of modes, 0 when the line is no such line. `next` is the number the first must have.
int blockHeader(std::string_view line, int next) {
    std::string_view f[16];
    const int n = scan::splitFields(line, f, 16);
    if (n < 1 || n > 10) return 0;
    int number = 0;
    bool plain = true;
    for (int k = 0; k < n && plain; ++k)
        plain = scan::toInteger(f[k], number) && number == next + k;
    if (plain) return n <= 5 ? n : 0;
    if (n % 2 != 0) return 0;
    for (int k = 0; k < n; k += 2)
        if (!scan::toInteger(f[k], number) || number != next + k / 2) return 0;
    return n / 2;
}

// A labelled row of the block: "Wavenumbers [cm-1]" and the like, `count` numbers after
// `labelFields` fields.
bool labelledRow(std::string_view line, std::string_view label, int labelFields, int count,
                 double* values) {
    std::string_view f[16];
    const int n = scan::splitFields(line, f, 16);
    if (n != labelFields + count || scan::trimmed(line).substr(0, label.size()) != label)
        return false;
    for (int c = 0; c < count; ++c)
        if (!scan::toReal(f[labelFields + c], values[c])) return false;
    return true;
}

// A component row: "CX1", "HY10", "GZ3" (any label, then the axis and the atom's number) and
// `count` displacements, those of the modes `wanted` says may be the vibration asked for
// converted into values.
bool componentRow(std::string_view line, int component, int count, const bool* wanted,
                  double* values) {
    std::string_view f[16];
    if (scan::splitFields(line, f, 16) != 1 + count) return false;
    const std::string_view label = f[0];
    std::size_t digits = label.size();
    while (digits > 0 && label[digits - 1] >= '0' && label[digits - 1] <= '9') --digits;
    int atom = 0;
    if (digits < 2 || label[digits - 1] != "XYZ"[component % 3] ||
        !scan::toInteger(label.substr(digits), atom) || atom != component / 3 + 1)
        return false;
    for (int c = 0; c < count; ++c)
        if (wanted[c] ? !scan::toReal(f[1 + c], values[c]) : !scan::isNumber(f[1 + c]))
            return false;
    return true;
}

// One block, from the line after its numbers to its last component row:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//                               1 Au        2 Bg        3 Au        4 Bu        5 Ag
//  Wavenumbers [cm-1]           55.87       86.45      149.54      179.82      265.49
//  Intensities [km/mol]          0.04        0.00        0.37        0.26        0.00
//  Intensities [relative]        0.04        0.00        0.38        0.27        0.00
//            CX1             -0.00000    -0.00000    -0.00000    -0.01051     0.02427
void readBlock(std::string_view numbers, Kind kind, int count) {
    const int first = kind == real ? current.lateCount : current.earlyCount;
    if (current.lateCount + current.earlyCount + count > 3 * current.atoms)
        scan::failExpectedNumbered(numbers, "no more than 3N = %d modes in one frequency section",
                                   3 * current.atoms);
    double* frequency = (kind == real ? current.lateFrequency : current.earlyFrequency) + first;
    double* intensity = (kind == real ? current.lateIntensity : current.earlyIntensity) + first;
    std::string_view line;
    readLine(line, section);
    if (!labelledRow(line, "Wavenumbers [cm-1]", 2, count, frequency))
        scan::failExpectedNumbered(line, "a \"Wavenumbers [cm-1]\" row of %d numbers", count);
    if (kind == imaginary)
        for (int c = 0; c < count; ++c) frequency[c] = -std::fabs(frequency[c]);
    readLine(line, section);
    double values[5];
    if (scan::trimmed(line).substr(0, 11) == "Intensities") {
        if (labelledRow(line, "Intensities [km/mol]", 2, count, intensity))
            current.intensities += count;
        while (scan::trimmed(line).substr(0, 11) == "Intensities") readLine(line, section);
    }
    Vector slot[5];
    bool wanted[5];
    for (int c = 0; c < count; ++c) {
        slot[c] = slotOf(kind, first + c);
        wanted[c] = slot[c] != nullptr;
    }
    for (int r = 0; r < 3 * current.atoms; ++r) {
        if (r > 0) readLine(line, section);
        if (!componentRow(line, r, count, wanted, values))
            scan::failExpectedNumbered(
                line,
                "component row %d of a block: its label (as CX1), then one value for"
                " each mode",
                r + 1);
        for (int c = 0; c < count; ++c)
            if (wanted[c]) slot[c][r / 3][1 + r % 3] = float(values[c]);
    }
    (kind == real ? current.lateCount : current.earlyCount) += count;
}

// The blocks after a "Normal Modes" heading and those of the further headings after it, until a
// line that belongs to none, which completes the section, as does the end of the file once all
// 3N modes are read. True with that line in `line`; false at the end of the file.
bool readSection() {
    Kind kind = real;
    int numbered = 0; // modes of this kind so far
    std::string_view& line = lastLine;
    for (;;) {
        if (!scan::nextLine(line)) {
            if (current.lateCount + current.earlyCount < 3 * current.atoms)
                scan::failEnded(section);
            break;
        }
        const std::string_view text = scan::trimmed(line);
        if (text.empty()) continue;
        if (text.substr(0, modesKeyword.size()) == modesKeyword) {
            const std::string_view rest = text.substr(modesKeyword.size());
            if (rest == " of imaginary frequencies")
                kind = imaginary;
            else if (rest == " of low/zero frequencies")
                kind = low;
            else
                break;
            numbered = 0;
            continue;
        }
        const int count = blockHeader(line, numbered + 1);
        if (count == 0) {
            if (current.lateCount + current.earlyCount == 0)
                scan::failExpected("the mode numbers over a block", line);
            current.complete = true;
            sectionOpen = false;
            return true;
        }
        readBlock(line, kind, count);
        numbered += count;
    }
    current.complete = true;
    sectionOpen = false;
    return false;
}

// Which keyword of the section the line holds; -1 for none.
int keywordOf(std::string_view line) {
    const std::string_view keywords[] = {sectionKeyword, atomsKeyword, modesKeyword};
    for (int k = 0; k < 3; ++k)
        if (line.find(keywords[k]) != line.npos) return k;
    return -1;
}

// Hands the complete section to the run: its list as imaginary, low/zero and the other modes.
void finish(FormatResult& result, AtomTable& modeVector) {
    if (sectionOpen || !current.complete)
        scan::failEnded("the file in search of a \"Normal Modes\" section (it has none)");
    result.atomCount = current.atoms;
    std::memcpy(result.geometry, current.geometry, sizeof(double) * 4 * std::size_t(current.atoms));
    const int early = current.earlyCount;
    result.listed = early + current.lateCount;
    for (int i = 0; i < result.listed; ++i) {
        const bool e = i < early;
        result.frequency[i] = e ? current.earlyFrequency[i] : current.lateFrequency[i - early];
        result.intensity[i] = e ? current.earlyIntensity[i] : current.lateIntensity[i - early];
    }
    result.hasIntensities = current.intensities == result.listed;
    static int kept[modeCapacity];
    const int vibrations = scan::selectVibrations(result, kept);
    if (wantedMode < 1 || wantedMode > vibrations) return;
    const int target = kept[wantedMode - 1];
    const Vector vector = target < early ? slotOf(imaginary, target) : slotOf(real, target - early);
    if (vector == nullptr) {
        char message[120];
        std::snprintf(message, sizeof message,
                      "lists more than %d modes of imaginary or low/zero frequency", earlyCapacity);
        scan::failFile(message);
    }
    for (int i = 0; i < current.atoms; ++i) {
        modeVector[i][0] = float(current.geometry[i][0]);
        for (int k = 1; k <= 3; ++k) modeVector[i][k] = vector[i][k];
    }
}

} // namespace

void readMolpro(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector) {
    scan::open(fileName, formatLabel);
    wantedMode = mode;
    geometryRead = sectionOpen = false;
    current.complete = false;
    std::string_view line;
    int which = 0;
    bool more = scan::skipToLineHolding({sectionKeyword, atomsKeyword, modesKeyword}, line, which);
    while (more) {
        const std::string_view text = scan::trimmed(line);
        if (which == 0) {
            geometryRead = false; // the table of this section is to come
        } else if (which == 1 && text == atomsKeyword) {
            readAtoms();
        } else if (which == 2 && text == modesKeyword) {
            beginSection(line);
            if (!readSection()) break;
            // The line that ended the section may begin the next.
            line = lastLine;
            which = keywordOf(line);
            if (which >= 0) continue;
        }
        more = scan::skipToLineHolding({sectionKeyword, atomsKeyword, modesKeyword}, line, which);
    }
    finish(result, modeVector);
    scan::close();
}

} // namespace reader
