// Keyword search and fixed-column reading of a Gaussian 98 frequency output: the atom count
// and geometry of the last standard orientation, one normal mode, the first frequency.
#include "reader/gaussian_reader.h"

#include <cstdio>

namespace reader {
namespace {

using textio::Unit;
using Line = textio::FixedText<100>;

constexpr std::string_view orientationKeyword = "Standard orientation:";
constexpr std::string_view ruleKeyword = "---";
constexpr std::string_view modeKeyword = "Atom AN";
constexpr std::string_view headingKeyword = "Harmonic frequencies";
constexpr std::string_view frequencyKeyword = "Frequencies --";
constexpr std::string_view precisionKeyword = "Frequencies ---";

// Every line that is searched is read whole, cut or padded to 100 columns.
using textio::lineLayout;

bool readLine(Line& line, bool endBranch = false) {
    return textio::readRecord(Unit::file, lineLayout(), {textio::in(line)}, endBranch);
}

bool holds(const Line& line, std::string_view keyword) {
    return textio::findSubstring(line.view(), keyword) > 0;
}

// Reads lines up to and including the next one that holds keyword in its first 100
// columns, as reading each into a Line and asking holds() would, without cutting the
// lines passed over one by one. That line can be read again with rereadRecord.
bool skipToLineHolding(std::string_view keyword, bool endBranch = false) {
    return textio::skipToRecordHolding(Unit::file, keyword, Line::length, endBranch);
}

// Reads lines until the count-th line holding keyword has been read.
void passLinesHolding(std::string_view keyword, int count) {
    for (int seen = 0; seen < count; ++seen) skipToLineHolding(keyword);
}

// What was being read when the file ends: the layer's diagnostic closes with
// "while reading <what>".
constexpr std::string_view noOrientation =
    "the file in search of a \"Standard orientation:\" table (it has none)";

void noteContext(const char* format, int value) {
    char note[160];
    std::snprintf(note, sizeof note, format, value);
    textio::setReadContext(note);
}

[[noreturn]] void failTooManyAtoms(std::string_view fileName) {
    char message[200];
    std::snprintf(message, sizeof message,
                  "the last \"Standard orientation:\" table of %.*s has more than %d atom rows;"
                  " Molvane holds at most %d atoms",
                  int(fileName.size()), fileName.data(), atomCapacity, atomCapacity);
    textio::failRun(message);
}

} // namespace

void countAtoms(std::string_view fileName, int& orientationCount, int& atomCount) {
    Line line;
    textio::openUnitForReading(fileName);
    int tables = 0; // lines that hold the keyword, however often each holds it
    while (skipToLineHolding(orientationKeyword, true)) ++tables;

    textio::rewindUnit();
    const bool none = tables == 0;
    if (none) {
        // Without a table the count comes from the first rules after line 1; the geometry
        // read then meets the end of the file.
        textio::setReadContext(noOrientation);
        readLine(line);
    } else {
        passLinesHolding(orientationKeyword, tables);
    }
    if (!none)
        textio::setReadContext(
            "the header of the last \"Standard orientation:\" table (its rule lines are missing)");
    passLinesHolding(ruleKeyword, 2);

    if (!none)
        textio::setReadContext(
            "the rows of the last \"Standard orientation:\" table (no rule line closes it)");
    int rows = 0;
    for (;;) {
        readLine(line);
        if (holds(line, ruleKeyword)) break;
        if (rows == atomCapacity) failTooManyAtoms(fileName);
        ++rows;
    }
    textio::closeUnit();
    orientationCount = tables;
    atomCount = rows;
}

void readGeometry(std::string_view fileName, int atomCount, int orientationCount,
                  GeometryTable& geometry) {
    if (atomCount > atomCapacity) failTooManyAtoms(fileName);
    // Real Gaussian 98 prints a row as (I5,I11,I14,4X,3F12.6); each coordinate window
    // reaches left over the blanks before it, so that -10.413637 keeps its minus sign.
    //          1         2         3         4         5         6         7
    // 1234567890123456789012345678901234567890123456789012345678901234567890
    //     3          8             0        0.000018    1.970125   -1.111532
    static const textio::Layout rowLayout =
        textio::parseLayout("(13X,F3.0,18X,F12.8,F13.8,F13.8)");

    textio::openUnitForReading(fileName);
    textio::setReadContext(noOrientation);
    // With no table counted the search runs into the end of the file.
    int seen = 0;
    do skipToLineHolding(orientationKeyword);
    while (++seen != orientationCount);

    textio::setReadContext("the last \"Standard orientation:\" table");
    Line line;
    for (int i = 0; i < 4; ++i) readLine(line); // rule, two header lines, rule
    for (int i = 0; i < atomCount; ++i) {
        double* atom = geometry[i];
        textio::readRecord(Unit::file, rowLayout,
                           {textio::in(atom[0]), textio::in(atom[1]), textio::in(atom[2]),
                            textio::in(atom[3])});
    }
    textio::closeUnit();
}

void readModeVector(std::string_view fileName, int modeBlock, int modeColumn, int atomCount,
                    AtomTable& modeVector) {
    if (atomCount > atomCapacity) failTooManyAtoms(fileName);
    // A mode row, (2I4, then for each mode 2X,3F7.2); one layout per column of the block.
    //          1         2         3         4         5         6         7
    // 12345678901234567890123456789012345678901234567890123456789012345678901234567
    //    3   8     0.00  -0.08  -0.20     0.35   0.00   0.00    -0.09  -0.05   0.00
    static const textio::Layout columnLayouts[3] = {
        textio::parseLayout("(5X,F3.0,4X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(5X,F3.0,26X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(5X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)"),
    };
    const int column = modeColumn >= 1 && modeColumn <= 3 ? modeColumn : 1;
    const textio::Layout& rowLayout = columnLayouts[column - 1];

    textio::openUnitForReading(fileName);
    noteContext("the file in search of the \"Atom AN\" line of normal-mode block %d", modeBlock);
    passLinesHolding(modeKeyword, modeBlock);
    noteContext("the rows of normal-mode block %d", modeBlock);
    for (int i = 0; i < atomCount; ++i) {
        float* atom = modeVector[i];
        textio::readRecord(Unit::file, rowLayout,
                           {textio::in(atom[0]), textio::in(atom[1]), textio::in(atom[2]),
                            textio::in(atom[3])});
    }
    textio::closeUnit();
}

double readFirstFrequency(std::string_view fileName) {
    // The first frequency of a block, columns 16-27:
    //          1         2
    // 123456789012345678901234567
    //  Frequencies --   125.4074
    static const textio::Layout frequencyLayout = textio::parseLayout("(15X,F12.4)");

    textio::openUnitForReading(fileName);
    textio::setReadContext("the file in search of the \"Harmonic frequencies\" heading");
    skipToLineHolding(headingKeyword);
    textio::setReadContext("the file in search of a \"Frequencies --\" line after the "
                           "\"Harmonic frequencies\" heading");
    Line line;
    do {
        skipToLineHolding(frequencyKeyword);
        textio::rereadRecord(Unit::file, lineLayout(), {textio::in(line)});
    } while (holds(line, precisionKeyword));

    // Read that line again, by the frequency layout.
    double frequency = 0.0;
    textio::rereadRecord(Unit::file, frequencyLayout, {textio::in(frequency)});
    textio::closeUnit();
    return frequency;
}

} // namespace reader
