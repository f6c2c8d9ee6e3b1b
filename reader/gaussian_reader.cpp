// Keyword search and fixed-column reading of a Gaussian frequency output: the atom count
// and geometry of the last orientation table, one normal mode, the first frequency.
#include "reader/gaussian_reader.h"

#include <cstdio>

namespace reader {
namespace {

using textio::Unit;
using Line = textio::FixedText<100>;

constexpr std::string_view orientationKeyword = "Standard orientation:";
// Tried in this order: a job run with NoSymm prints no standard orientation.
constexpr std::string_view orientationKeywords[] = {orientationKeyword,
                                                    "Input orientation:", "Z-Matrix orientation:"};
constexpr std::string_view ruleKeyword = "---";
constexpr std::string_view modeKeyword = "Atom AN";
constexpr std::string_view wideModeKeyword = "Atom  AN"; // Gaussian 09 and 16
constexpr std::string_view modeHeaderStem = "Atom";      // in both mode headers
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
constexpr std::string_view noOrientationAtAll =
    "the file in search of a \"Standard orientation:\" table (it has none), then of an"
    " \"Input orientation:\" or a \"Z-Matrix orientation:\" table (it has neither)";

void noteContext(const char* format, int value) {
    char note[160];
    std::snprintf(note, sizeof note, format, value);
    textio::setReadContext(note);
}

void noteContext(const char* format, std::string_view keyword) {
    char note[200];
    std::snprintf(note, sizeof note, format, int(keyword.size()), keyword.data());
    textio::setReadContext(note);
}

[[noreturn]] void failTooManyAtoms(std::string_view fileName,
                                   std::string_view keyword = orientationKeyword) {
    char message[240];
    std::snprintf(message, sizeof message,
                  "the last \"%.*s\" table of %.*s has more than %d atom rows;"
                  " Molvane holds at most %d atoms",
                  int(keyword.size()), keyword.data(), int(fileName.size()), fileName.data(),
                  atomCapacity, atomCapacity);
    textio::failRun(message);
}

// The lines holding keyword, each counted once however often it holds it.
int countLinesHolding(std::string_view keyword) {
    int lines = 0;
    while (skipToLineHolding(keyword, true)) ++lines;
    return lines;
}

// countAtoms from its second pass on: the rows of the tables-th table opened by keyword,
// or, with no such table, of the rules after the first line.
int countTableRows(std::string_view fileName, std::string_view keyword, int tables) {
    Line line;
    textio::rewindUnit();
    const bool none = tables == 0;
    if (none) {
        // Without a table the count comes from the first rules after line 1; the geometry
        // read then meets the end of the file.
        textio::setReadContext(noOrientation);
        readLine(line);
    } else {
        passLinesHolding(keyword, tables);
    }
    if (!none)
        noteContext("the header of the last \"%.*s\" table (its rule lines are missing)", keyword);
    passLinesHolding(ruleKeyword, 2);

    if (!none) noteContext("the rows of the last \"%.*s\" table (no rule line closes it)", keyword);
    int rows = 0;
    for (;;) {
        readLine(line);
        if (holds(line, ruleKeyword)) break;
        if (rows == atomCapacity) failTooManyAtoms(fileName, keyword);
        ++rows;
    }
    textio::closeUnit();
    return rows;
}

// The family of an orientation table, from its second header line (the one that names the
// columns). Gaussian 98 and 03 print
//  Number     Number      Type              X           Y           Z
// and a line that fits neither pattern below is read as theirs.
Family familyOfHeader(const Line& header) {
    //  Number     Number       Type             X           Y           Z
    if (holds(header, "Number     Number       Type")) return Family::gaussian09;
    //  Number     Number             X           Y           Z
    if (holds(header, "Number     Number             X")) return Family::gaussian94;
    return Family::gaussian98;
}

[[noreturn]] void failRowNumber(std::string_view fileName, const char* what, int row, int number,
                                std::string_view keyword, int block) {
    char message[320];
    if (block == 0)
        std::snprintf(message, sizeof message,
                      "row %d of the last \"%.*s\" table of %.*s is numbered %d; %s", row,
                      int(keyword.size()), keyword.data(), int(fileName.size()), fileName.data(),
                      number, what);
    else
        std::snprintf(message, sizeof message,
                      "row %d of normal-mode block %d of %.*s is numbered %d; %s", row, block,
                      int(fileName.size()), fileName.data(), number, what);
    textio::failRun(message);
}

// The Gaussian 98 reading of a table's rows, as every file was read before the other
// families were told apart.
void readGaussian98Rows(int atomCount, GeometryTable& geometry) {
    // Real Gaussian 98 prints a row as (I5,I11,I14,4X,3F12.6); each coordinate window
    // reaches left over the blanks before it, so that -10.413637 keeps its minus sign.
    //          1         2         3         4         5         6         7
    // 1234567890123456789012345678901234567890123456789012345678901234567890
    //     3          8             0        0.000018    1.970125   -1.111532
    static const textio::Layout rowLayout = textio::parseLayout("(13X,F3.0,18X,F12.8,F13.8,F13.8)");
    for (int i = 0; i < atomCount; ++i) {
        double* atom = geometry[i];
        textio::readRecord(
            Unit::file, rowLayout,
            {textio::in(atom[0]), textio::in(atom[1]), textio::in(atom[2]), textio::in(atom[3])});
    }
}

// The rows of the Gaussian 09/16 and 92/94 families, whose centre numbers are read too: a
// row of another family's columns numbers itself wrongly or fails to convert.
void readNumberedRows(std::string_view fileName, std::string_view keyword, Family family,
                      int atomCount, GeometryTable& geometry) {
    // Gaussian 09 and 16: (I7,I11,I12,4X,3F12.6), the atomic number ending in column 18.
    //          1         2         3         4         5         6         7
    // 1234567890123456789012345678901234567890123456789012345678901234567890
    //       1          6           0       -0.506751    1.299753    0.000002
    static const textio::Layout wideLayout =
        textio::parseLayout("(I7,F11.0,16X,F12.6,F12.6,F12.6)");
    // Gaussian 92 and 94: (I5,I11,7X,3F12.6), no "Atomic Type" column, x ending in column 35.
    //          1         2         3         4         5
    // 12345678901234567890123456789012345678901234567890123456789
    //     1          6          -1.217434   -1.125876   -0.401385
    static const textio::Layout narrowLayout =
        textio::parseLayout("(I5,F11.0,7X,F12.6,F12.6,F12.6)");
    const textio::Layout& rowLayout = family == Family::gaussian09 ? wideLayout : narrowLayout;
    for (int i = 0; i < atomCount; ++i) {
        double* atom = geometry[i];
        int number = 0;
        textio::readRecord(Unit::file, rowLayout,
                           {textio::in(number), textio::in(atom[0]), textio::in(atom[1]),
                            textio::in(atom[2]), textio::in(atom[3])});
        if (number != i + 1)
            failRowNumber(fileName, "its rows are not in this family's columns", i + 1, number,
                          keyword, 0);
    }
}

// The Gaussian 98 reading of a mode block's rows, for the 98 and 92/94 families. Real
// files print a row as (2I4, then for each mode 2X,3F7.2); one layout per column of the
// block. For 92/94 files the atom number (columns 1-4) is read as well and must be the
// row's place: a row of the Gaussian 09/16 columns has none there.
void readInOrderRows(std::string_view fileName, int modeBlock, int column, int atomCount,
                     bool numbered, AtomTable& modeVector) {
    //          1         2         3         4         5         6         7
    // 12345678901234567890123456789012345678901234567890123456789012345678901234567
    //    3   8     0.00  -0.08  -0.20     0.35   0.00   0.00    -0.09  -0.05   0.00
    static const textio::Layout columnLayouts[3] = {
        textio::parseLayout("(5X,F3.0,4X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(5X,F3.0,26X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(5X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)"),
    };
    static const textio::Layout numberedLayouts[3] = {
        textio::parseLayout("(I4,1X,F3.0,4X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(I4,1X,F3.0,26X,F6.2,1X,F6.2,1X,F6.2)"),
        textio::parseLayout("(I4,1X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)"),
    };
    for (int i = 0; i < atomCount; ++i) {
        float* atom = modeVector[i];
        if (!numbered) {
            textio::readRecord(Unit::file, columnLayouts[column - 1],
                               {textio::in(atom[0]), textio::in(atom[1]), textio::in(atom[2]),
                                textio::in(atom[3])});
            continue;
        }
        int number = 0;
        textio::readRecord(Unit::file, numberedLayouts[column - 1],
                           {textio::in(number), textio::in(atom[0]), textio::in(atom[1]),
                            textio::in(atom[2]), textio::in(atom[3])});
        if (number != i + 1)
            failRowNumber(fileName, "its rows are not in the Gaussian 94 columns", i + 1, number,
                          {}, modeBlock);
    }
}

// A Gaussian 09/16 block: rows placed by their atom number, (I6,I4, then for each mode
// 2X,3F7.2). The block ends after atomCount rows or at a line with no atom number (blank
// columns 1-6), whichever comes first; frozen atoms have no row and keep a zero record.
void readPlacedRows(std::string_view fileName, int modeBlock, int column, int atomCount,
                    AtomTable& modeVector) {
    //          1         2         3         4         5         6         7
    // 1234567890123456789012345678901234567890123456789012345678901234567890123456789
    //      1   6     0.00   0.00  -0.04     0.00   0.00   0.19     0.00   0.00   0.12
    static const textio::Layout columnLayouts[3] = {
        textio::parseLayout("(I6,F4.0,2X,F7.2,F7.2,F7.2)"),
        textio::parseLayout("(I6,F4.0,25X,F7.2,F7.2,F7.2)"),
        textio::parseLayout("(I6,F4.0,48X,F7.2,F7.2,F7.2)"),
    };
    for (int i = 0; i < atomCount; ++i)
        for (int k = 0; k < 4; ++k) modeVector[i][k] = 0.0f;
    bool placed[atomCapacity] = {};
    Line line;
    for (int row = 1; row <= atomCount; ++row) {
        readLine(line);
        if (line.view().substr(0, 6).find_first_not_of(' ') == std::string_view::npos) break;
        int number = 0;
        float record[4];
        textio::rereadRecord(Unit::file, columnLayouts[column - 1],
                             {textio::in(number), textio::in(record[0]), textio::in(record[1]),
                              textio::in(record[2]), textio::in(record[3])});
        if (number < 1 || number > atomCount)
            failRowNumber(fileName, "the molecule has no such atom", row, number, {}, modeBlock);
        if (placed[number - 1])
            failRowNumber(fileName, "an earlier row has that number", row, number, {}, modeBlock);
        placed[number - 1] = true;
        for (int k = 0; k < 4; ++k) modeVector[number - 1][k] = record[k];
    }
}

[[noreturn]] void failMixedHeaders(std::string_view fileName, std::string_view keyword,
                                   std::string_view otherKeyword) {
    char message[320];
    std::snprintf(message, sizeof message,
                  "%.*s holds a normal-mode block headed \"%.*s\" where its orientation table's"
                  " columns call for \"%.*s\": the output of more than one Gaussian version",
                  int(fileName.size()), fileName.data(), int(otherKeyword.size()),
                  otherKeyword.data(), int(keyword.size()), keyword.data());
    textio::failRun(message);
}

// The Gaussian 98 reading of a mode: the rows under the modeBlock-th "Atom AN" line, in order.
void readGaussian98ModeVector(std::string_view fileName, int modeBlock, int modeColumn,
                              int atomCount, AtomTable& modeVector) {
    if (atomCount > atomCapacity) failTooManyAtoms(fileName);
    const int column = modeColumn >= 1 && modeColumn <= 3 ? modeColumn : 1;

    textio::openUnitForReading(fileName);
    noteContext("the file in search of the \"Atom AN\" line of normal-mode block %d", modeBlock);
    passLinesHolding(modeKeyword, modeBlock);
    noteContext("the rows of normal-mode block %d", modeBlock);
    readInOrderRows(fileName, modeBlock, column, atomCount, false, modeVector);
    textio::closeUnit();
}

} // namespace

void countAtoms(std::string_view fileName, OutputLayout& layout, int& atomCount) {
    textio::openUnitForReading(fileName);
    std::string_view keyword = orientationKeyword;
    int tables = 0;
    for (std::string_view candidate : orientationKeywords) {
        if (candidate != orientationKeyword) textio::rewindUnit();
        tables = countLinesHolding(candidate);
        if (tables > 0) {
            keyword = candidate;
            break;
        }
    }
    atomCount = countTableRows(fileName, keyword, tables);
    layout.orientationKeyword = keyword;
    layout.orientationCount = tables;
}

void readGeometry(std::string_view fileName, int atomCount, OutputLayout& layout,
                  GeometryTable& geometry) {
    const std::string_view keyword = layout.orientationKeyword;
    if (atomCount > atomCapacity) failTooManyAtoms(fileName, keyword);
    textio::openUnitForReading(fileName);
    textio::setReadContext(noOrientationAtAll);
    // With no table counted the search runs into the end of the file.
    int seen = 0;
    do skipToLineHolding(keyword);
    while (++seen != layout.orientationCount);

    noteContext("the last \"%.*s\" table", keyword);
    Line header[4]; // rule, two header lines, rule
    for (Line& line : header) readLine(line);
    layout.family = familyOfHeader(header[2]);
    if (layout.family == Family::gaussian98)
        readGaussian98Rows(atomCount, geometry);
    else
        readNumberedRows(fileName, keyword, layout.family, atomCount, geometry);
    textio::closeUnit();
}

void readModeVector(std::string_view fileName, int modeBlock, int modeColumn, int atomCount,
                    const OutputLayout& layout, AtomTable& modeVector) {
    if (layout.family == Family::gaussian98) {
        readGaussian98ModeVector(fileName, modeBlock, modeColumn, atomCount, modeVector);
        return;
    }
    if (atomCount > atomCapacity) failTooManyAtoms(fileName, layout.orientationKeyword);
    const int column = modeColumn >= 1 && modeColumn <= 3 ? modeColumn : 1;
    const bool wide = layout.family == Family::gaussian09;
    const std::string_view keyword = wide ? wideModeKeyword : modeKeyword;
    const std::string_view otherKeyword = wide ? modeKeyword : wideModeKeyword;

    textio::openUnitForReading(fileName);
    char note[160];
    std::snprintf(note, sizeof note,
                  "the file in search of the \"%.*s\" line of normal-mode block %d (the"
                  " orientation table is in the Gaussian %s columns)",
                  int(keyword.size()), keyword.data(), modeBlock, wide ? "09/16" : "92/94");
    textio::setReadContext(note);
    // Every mode header of either family holds "Atom": a block of the other family before
    // the one asked for would make the count wrong, so it ends the run.
    Line line;
    for (int seen = 0; seen < modeBlock;) {
        skipToLineHolding(modeHeaderStem);
        textio::rereadRecord(Unit::file, lineLayout(), {textio::in(line)});
        if (holds(line, otherKeyword)) failMixedHeaders(fileName, keyword, otherKeyword);
        if (holds(line, keyword)) ++seen;
    }
    noteContext("the rows of normal-mode block %d", modeBlock);
    if (wide)
        readPlacedRows(fileName, modeBlock, column, atomCount, modeVector);
    else
        readInOrderRows(fileName, modeBlock, column, atomCount, true, modeVector);
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
