// The list of vibrations of a Gaussian output, by the fixed columns of its block lines.
#include "reader/gaussian_modes.h"

#include <cstdio>

namespace reader {
namespace {

using textio::Unit;

constexpr int searchColumns = 100; // keywords are looked for in the first 100 columns

constexpr std::string_view headingKeyword = "Harmonic frequencies";
constexpr std::string_view precisionKeyword = "Frequencies ---";

// The keywords of the section, in the order skipToFileLineHolding reports them.
enum Keyword { frequencies, intensities, raman, modeHeader, heading, thermochemistry };

// Every family prints up to three values a line, each in a window of 12 columns 23 apart,
// the first where readFirstFrequency reads it (Gaussian 98 right-aligns them one column
// further left than 09 and 16, inside the same windows):
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//  Frequencies --   125.4074               137.3169               152.7789      (98)
//  Frequencies --   1668.2293              3866.1598              3976.5311     (16)
//  IR Inten    --     89.6988                 8.4803                44.2991     (16)
constexpr int firstWindow = 16;
constexpr int windowStep = 23;
constexpr int windowWidth = 12;

// How many values the line holds: up to its last window that is not blank, and at least one
// (a blank window reads as 0, as readFirstFrequency reads it).
int valuesOn(std::string_view line) {
    int count = 1;
    for (int k = 0; k < 3; ++k) {
        const std::size_t from = std::size_t(firstWindow - 1 + k * windowStep);
        if (from >= line.size()) break;
        if (line.substr(from, windowWidth).find_first_not_of(' ') != std::string_view::npos)
            count = k + 1;
    }
    return count;
}

// The values of the current line into values[0..count).
void readValues(int count, double* values) {
    static const textio::Layout layouts[3] = {
        textio::parseLayout("(15X,F12.4)"),
        textio::parseLayout("(15X,F12.4,11X,F12.4)"),
        textio::parseLayout("(15X,F12.4,11X,F12.4,11X,F12.4)"),
    };
    const textio::Layout& layout = layouts[count - 1];
    if (count == 1)
        textio::rereadRecord(Unit::file, layout, {textio::in(values[0])});
    else if (count == 2)
        textio::rereadRecord(Unit::file, layout, {textio::in(values[0]), textio::in(values[1])});
    else
        textio::rereadRecord(Unit::file, layout,
                             {textio::in(values[0]), textio::in(values[1]), textio::in(values[2])});
}

[[noreturn]] void failTooMany(std::string_view fileName) {
    char message[240];
    std::snprintf(message, sizeof message,
                  "the \"Harmonic frequencies\" section of %.*s lists more than %d vibrations;"
                  " Molvane holds at most %d atoms",
                  int(fileName.size()), fileName.data(), modeCapacity, atomCapacity);
    textio::failRun(message);
}

} // namespace

void readGaussianModeList(std::string_view fileName, ModeList& list) {
    list.count = 0;
    list.hasIntensities = false;
    list.hasRaman = false;
    textio::openUnitForReading(fileName);
    textio::setReadContext("the file in search of the \"Harmonic frequencies\" heading");
    textio::skipToRecordHolding(Unit::file, headingKeyword, searchColumns);
    textio::setReadContext("the file in search of a \"Frequencies --\" line after the "
                           "\"Harmonic frequencies\" heading");

    int blockStart = 0; // the first vibration of the block being read
    int blockCount = 0; // its values, 0 outside an ordinary block
    std::string_view line;
    int which = 0;
    for (;;) {
        const bool found =
            textio::skipToFileLineHolding({"Frequencies --", "IR Inten", "Raman Activ", "Atom",
                                           headingKeyword, "- Thermochemistry -"},
                                          searchColumns, line, which);
        if (!found) {
            if (list.count > 0) break;
            // As readFirstFrequency ends: at the end of the file, without a "Frequencies --".
            textio::skipToRecordHolding(Unit::file, "Frequencies --", searchColumns);
        }
        if (which == frequencies) {
            if (line.substr(0, searchColumns).find(precisionKeyword) != std::string_view::npos) {
                blockCount = 0; // a high-precision block
                continue;
            }
            const int count = valuesOn(line);
            if (list.count + count > modeCapacity) failTooMany(fileName);
            blockStart = list.count;
            blockCount = count;
            double values[3] = {};
            readValues(count, values);
            for (int k = 0; k < count; ++k) {
                // A block without intensity lines has none, whatever a file read before had.
                list.frequency[blockStart + k] = values[k];
                list.intensity[blockStart + k] = 0.0;
                list.ramanActivity[blockStart + k] = 0.0;
            }
            list.count += count;
        } else if (which == intensities || which == raman) {
            if (blockCount == 0) continue;
            double values[3] = {};
            readValues(blockCount, values);
            double* into = which == intensities ? list.intensity : list.ramanActivity;
            for (int k = 0; k < blockCount; ++k) into[blockStart + k] = values[k];
            (which == intensities ? list.hasIntensities : list.hasRaman) = true;
        } else if (which == modeHeader) {
            blockCount = 0;
        } else if (list.count > 0) {
            break; // the next heading, or the thermochemistry
        }
    }
    textio::closeUnit();
}

} // namespace reader
