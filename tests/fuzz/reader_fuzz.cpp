// Fuzz target: arbitrary bytes as an output file, read as a run reads it: recogniseFormat,
// then, for a Gaussian output (or xtb's), countAtoms, readGeometry, readModeVector for modes
// derived from the atom count and the input, prepareViewData, readFirstFrequency. A file
// recognised as another format is left to the formats target. Each step either returns sound
// data (counts within the tables, finite values) or ends the run with one diagnostic of a
// code the step can give: "fits no format" only for bytes that hold no Gaussian keyword, end
// of file only at the file's last line, conversion errors only at a field that holds no plain
// number. The file is never changed by being read.
//
// Where each step must find its lines is worked out beforehand from the plain reading of
// the bytes (keywords searched in the first 100 columns of each line): the orientation
// keyword and the atom count, whether a step meets the end of the file, and, where the last
// table is of the Gaussian 98 family, which lines hold the rows it reads, whose plain decimal
// fields must then read to their exact values. For the other families the values are checked
// for soundness. The list of vibrations readVibrations gives has the first frequency first.
#include "reader/gaussian_reader.h"
#include "reader/vibrations.h"
#include "reader/xtb_output.h"
#include "tests/fuzz/field_oracle.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using fuzzing::FieldSpec;
using fuzzing::require;

struct Input {
    std::string path;
    std::vector<std::string> lines;
};

// The frequency field; the geometry fields; the mode fields of each block column.
const FieldSpec frequencyField[] = {{16, 12, 4}};
const FieldSpec geometryFields[] = {{14, 3, 0}, {35, 12, 8}, {47, 13, 8}, {60, 13, 8}};
const FieldSpec modeFields[3][4] = {{{6, 3, 0}, {13, 6, 2}, {20, 6, 2}, {27, 6, 2}},
                                    {{6, 3, 0}, {35, 6, 2}, {42, 6, 2}, {49, 6, 2}},
                                    {{6, 3, 0}, {58, 6, 2}, {65, 6, 2}, {72, 6, 2}}};

// A step that ended the run: the diagnostic must be one the step can give, about this file.
void checkEnd(const Input& input, const testsupport::RunEnd& end, const FieldSpec* fields,
              int fieldCount, bool mayBeTooMany) {
    const int code = fuzzing::diagnosticCode(end);
    const std::string_view text = end.diagnostic();
    if (code == 104) {
        const std::string place =
            input.path + " after line " + std::to_string(input.lines.size()) + " while reading ";
        require(text.find(place) != std::string_view::npos, "end of file reported elsewhere", text);
        return;
    }
    if (code == 109) {
        require(mayBeTooMany && text.find("more than 1000 atom rows") != std::string_view::npos,
                "an unexpected data diagnostic", text);
        return;
    }
    require(code == 101 || code == 103, "an unexpected diagnostic code", text);
    require(text.find(input.path + ", line ") != std::string_view::npos,
            "a field diagnostic that does not name the file", text);
    int line = 0, first = 0, last = 0;
    fuzzing::placeOf(text, line, first, last);
    require(line >= 1 && line <= int(input.lines.size()), "a field diagnostic names no line", text);
    for (int k = 0; k < fieldCount; ++k) {
        const FieldSpec& f = fields[k];
        if (f.column == first && f.column + f.width - 1 == last) {
            fuzzing::checkFailedField(input.lines[std::size_t(line - 1)], f, code);
            return;
        }
    }
    fuzzing::finding("a field diagnostic names columns of no field", text);
}

bool holds(const std::string& line, std::string_view keyword) {
    return hostile::columns(line, 1, 100).find(keyword) != std::string::npos;
}

// The index of the count-th line from `from` on that holds keyword, or -1.
int nthHolding(const std::vector<std::string>& lines, std::string_view keyword, int count,
               int from = 0) {
    for (int i = from; i < int(lines.size()); ++i)
        if (holds(lines[std::size_t(i)], keyword) && --count == 0) return i;
    return -1;
}

// What countAtoms must give.
struct Count {
    std::string_view keyword = "Standard orientation:";
    int tables = 0;
    int lastTable = -1; // index of the last keyword line
    bool endOfFile = false;
    bool tooMany = false;
    int atoms = 0;
};

Count expectedCount(const std::vector<std::string>& lines) {
    Count c;
    // A job run with NoSymm prints no standard orientation: the input one, else the Z-matrix one.
    for (std::string_view keyword :
         {"Standard orientation:", "Input orientation:", "Z-Matrix orientation:"}) {
        for (int i = 0; i < int(lines.size()); ++i)
            if (holds(lines[std::size_t(i)], keyword)) {
                ++c.tables;
                c.lastTable = i;
            }
        if (c.tables > 0) {
            c.keyword = keyword;
            break;
        }
    }
    if (lines.empty()) {
        c.endOfFile = true;
        return c;
    }
    const int secondRule = nthHolding(lines, "---", 2, c.tables == 0 ? 1 : c.lastTable + 1);
    if (secondRule < 0) {
        c.endOfFile = true;
        return c;
    }
    int i = secondRule + 1;
    while (i < int(lines.size()) && !holds(lines[std::size_t(i)], "---")) ++i;
    c.atoms = i - secondRule - 1;
    c.tooMany = c.atoms > reader::atomCapacity;
    c.endOfFile = !c.tooMany && i == int(lines.size());
    return c;
}

// A step that reads `count` rows from line index `first` on: on success every field of
// each row reads as the plain reading says; a conversion failure lies on one of the rows.
template <class Real>
void checkRows(const Input& input, const testsupport::RunEnd& end, int first, int count,
               const FieldSpec* fields, const Real (*rows)[4]) {
    if (first < 0) {
        require(end.ended && fuzzing::diagnosticCode(end) == 104, "rows read without their header",
                end.diagnostic());
        return;
    }
    const int available = int(input.lines.size()) - first;
    if (end.ended) {
        // The end of the file only when rows are missing; a bad field only on a row.
        if (fuzzing::diagnosticCode(end) == 104) {
            require(available < count, "the end of the file met with every row there",
                    end.diagnostic());
            return;
        }
        int line = 0, a = 0, b = 0;
        fuzzing::placeOf(end.diagnostic(), line, a, b);
        require(line > first && line <= first + (available < count ? available : count),
                "a failure outside the rows", end.diagnostic());
        return;
    }
    require(available >= count, "rows beyond the end of the file were read");
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < 4; ++k)
            fuzzing::checkField(input.lines[std::size_t(first + i)], fields[k], rows[i][k]);
}

struct State {
    const std::string* path;
    reader::OutputLayout layout;
    reader::Format format = reader::Format::gaussian;
    int orientationCount = -1;
    int atomCount = -1;
    int mode = 0;
    double frequency = 0.0;
};

reader::GeometryTable geometry;
reader::AtomTable modeVector, atomTable, motionTable;
reader::ViewVolume viewVolume;

// The family the header lines of the table at `keywordLine` show, as the reader tells it.
reader::Family familyAt(const std::vector<std::string>& lines, int keywordLine) {
    const std::size_t header = std::size_t(keywordLine + 3);
    if (keywordLine < 0 || header >= lines.size()) return reader::Family::gaussian98;
    if (holds(lines[header], "Number     Number       Type")) return reader::Family::gaussian09;
    if (holds(lines[header], "Number     Number             X")) return reader::Family::gaussian94;
    return reader::Family::gaussian98;
}

// Whether any line holds, within its first 1024 columns, a keyword that makes a file a
// Gaussian output.
bool holdsGaussianKeyword(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        for (std::string_view keyword : {"Gaussian", "orientation:", "Harmonic frequencies",
                                         "Frequencies --", "Atom AN", "Atom  AN"})
            if (hostile::columns(line, 1, 1024).find(keyword) != std::string::npos) return true;
    return false;
}

} // namespace

namespace {
void checkPlainReading(const std::string& bytes, const Input& input, const std::uint8_t* data,
                       std::size_t size);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Input input;
    input.path = fuzzing::writeScratch("output.log", bytes);
    input.lines = hostile::referenceLines(bytes);
    checkPlainReading(bytes, input, data, size);
    require(testsupport::readFile(input.path) == bytes, "reading changed the file");
    return 0;
}

namespace {
// A run's reading against the plain reading of the bytes.
void checkPlainReading(const std::string& bytes, const Input& input, const std::uint8_t* data,
                       std::size_t size) {
    State s;
    s.path = &input.path;

    const testsupport::RunEnd recognition =
        testsupport::guarded([&] { s.format = reader::recogniseFormat(*s.path); });
    if (recognition.ended) {
        require(fuzzing::diagnosticCode(recognition) == 109 &&
                    recognition.diagnostic().find(input.path + " fits no format") !=
                        std::string_view::npos,
                "recognition ended otherwise", recognition.diagnostic());
        require(!holdsGaussianKeyword(input.lines), "a Gaussian keyword's file fits no format");
        return;
    }
    if (s.format != reader::Format::gaussian && s.format != reader::Format::xtb) return;

    const Count expected = expectedCount(input.lines);
    const testsupport::RunEnd count =
        testsupport::guarded([&] { reader::countAtoms(*s.path, s.layout, s.atomCount); });
    s.orientationCount = s.layout.orientationCount;
    if (count.ended) {
        checkEnd(input, count, nullptr, 0, true);
        const int code = fuzzing::diagnosticCode(count);
        require(code == (expected.tooMany ? 109 : 104) && (expected.tooMany || expected.endOfFile),
                "countAtoms ended where it should not", count.diagnostic());
        require(testsupport::readFile(input.path) == bytes, "reading changed the file");
        return;
    }
    require(!expected.endOfFile && !expected.tooMany,
            "countAtoms did not meet the file's end or capacity");
    require(s.orientationCount == expected.tables, "countAtoms counted other tables");
    require(s.layout.orientationKeyword == expected.keyword, "countAtoms chose another keyword");
    require(s.atomCount == expected.atoms, "countAtoms counted other rows");

    // The Gaussian 98 family's rows are checked field by field; the other families' rows
    // are numbered and checked for soundness.
    const reader::Family family = familyAt(input.lines, expected.lastTable);
    const bool exact = family == reader::Family::gaussian98;
    const testsupport::RunEnd geometryEnd = testsupport::guarded(
        [&] { reader::readGeometry(*s.path, s.atomCount, s.layout, geometry); });
    if (exact) {
        if (geometryEnd.ended) checkEnd(input, geometryEnd, geometryFields, 4, false);
        checkRows(input, geometryEnd, expected.tables == 0 ? -1 : expected.lastTable + 5,
                  s.atomCount, geometryFields, geometry);
    } else if (geometryEnd.ended) {
        const int code = fuzzing::diagnosticCode(geometryEnd);
        require(code == 101 || code == 102 || code == 103 || code == 104 || code == 109,
                "an unexpected diagnostic code in another family's table",
                geometryEnd.diagnostic());
        require(geometryEnd.diagnostic().find(input.path) != std::string_view::npos,
                "a diagnostic that does not name the file", geometryEnd.diagnostic());
    }
    if (geometryEnd.ended) {
        require(testsupport::readFile(input.path) == bytes, "reading changed the file");
        return;
    }
    for (int i = 0; i < s.atomCount; ++i)
        for (double v : geometry[i])
            require(std::isfinite(v), "a geometry value that is not finite");

    // The dialogue accepts modes 1 to 3N-6: the first, the last, and one the input picks.
    const int modes = 3 * s.atomCount - 6;
    const int tried[] = {1, modes, 1 + (modes > 0 ? int(data[size - 1]) % modes : 0)};
    for (int mode : tried) {
        if (mode < 1 || mode > modes) continue;
        s.mode = mode;
        const testsupport::RunEnd modeEnd = testsupport::guarded([&] {
            reader::readModeVector(*s.path, reader::modeBlock(s.mode), reader::modeColumn(s.mode),
                                   s.atomCount, s.layout, modeVector);
        });
        const FieldSpec* fields = modeFields[reader::modeColumn(mode) - 1];
        if (exact) {
            if (modeEnd.ended) checkEnd(input, modeEnd, fields, 4, false);
            const int header = nthHolding(input.lines, "Atom AN", reader::modeBlock(mode));
            checkRows(input, modeEnd, header < 0 ? -1 : header + 1, s.atomCount, fields,
                      modeVector);
        } else if (modeEnd.ended) {
            const int code = fuzzing::diagnosticCode(modeEnd);
            require(code == 101 || code == 102 || code == 103 || code == 104 || code == 109,
                    "an unexpected diagnostic code in another family's block",
                    modeEnd.diagnostic());
            require(modeEnd.diagnostic().find(input.path) != std::string_view::npos,
                    "a diagnostic that does not name the file", modeEnd.diagnostic());
        }
        if (!modeEnd.ended && s.format == reader::Format::xtb) {
            const testsupport::RunEnd massEnd = testsupport::guarded(
                [&] { reader::undoXtbMassWeighting(*s.path, modeVector, s.atomCount); });
            if (massEnd.ended) {
                require(fuzzing::diagnosticCode(massEnd) == 109 &&
                            massEnd.diagnostic().find("names no element") != std::string_view::npos,
                        "xtb's mass weighting ended otherwise", massEnd.diagnostic());
                require(testsupport::readFile(input.path) == bytes, "reading changed the file");
                return;
            }
            double sum = 0.0;
            for (int i = 0; i < s.atomCount; ++i)
                for (int k = 1; k <= 3; ++k) sum += double(modeVector[i][k]) * modeVector[i][k];
            require(sum == 0.0 || std::fabs(sum - 1.0) < 1e-4, "an xtb mode not of unit length");
        }
        if (modeEnd.ended) {
            require(testsupport::readFile(input.path) == bytes, "reading changed the file");
            return;
        }
        for (int i = 0; i < s.atomCount; ++i)
            for (float v : modeVector[i])
                require(std::isfinite(v), "a mode value that is not finite");
    }

    reader::atomCount = s.atomCount;
    std::copy(&geometry[0][0], &geometry[0][0] + 4 * reader::atomCapacity, &reader::geometry[0][0]);
    std::copy(&modeVector[0][0], &modeVector[0][0] + 4 * reader::atomCapacity,
              &reader::modeVector[0][0]);
    int rendererCount = -1;
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    require(rendererCount == s.atomCount, "the renderer's atom count differs");

    const testsupport::RunEnd frequencyEnd =
        testsupport::guarded([&] { s.frequency = reader::readFirstFrequency(*s.path); });
    int frequencyLine = -1;
    const int heading = nthHolding(input.lines, "Harmonic frequencies", 1);
    for (int i = heading < 0 ? int(input.lines.size()) : heading + 1; i < int(input.lines.size());
         ++i)
        if (holds(input.lines[std::size_t(i)], "Frequencies --") &&
            !holds(input.lines[std::size_t(i)], "Frequencies ---")) {
            frequencyLine = i;
            break;
        }
    if (frequencyEnd.ended) {
        checkEnd(input, frequencyEnd, frequencyField, 1, false);
        const int code = fuzzing::diagnosticCode(frequencyEnd);
        int line = 0, a = 0, b = 0;
        if (code != 104) fuzzing::placeOf(frequencyEnd.diagnostic(), line, a, b);
        require(code == 104 ? frequencyLine < 0 : line == frequencyLine + 1,
                "readFirstFrequency ended at another line", frequencyEnd.diagnostic());
    } else {
        require(frequencyLine >= 0, "a frequency read from no frequency line");
        fuzzing::checkField(input.lines[std::size_t(frequencyLine)], frequencyField[0],
                            s.frequency);
        // The list of vibrations starts with that frequency, however the rest of it reads.
        const testsupport::RunEnd listEnd =
            testsupport::guarded([&] { reader::readVibrations(*s.path, s.format, 0); });
        if (listEnd.ended) {
            const int code = fuzzing::diagnosticCode(listEnd);
            require(code == 101 || code == 103 || code == 109, "the list ended otherwise",
                    listEnd.diagnostic());
        } else {
            require(reader::modeList.count >= 1 && reader::modeList.count <= reader::modeCapacity,
                    "a list of vibrations out of range");
            require(reader::modeList.frequency[0] == s.frequency &&
                        reader::firstFrequency == s.frequency,
                    "the list does not start with the first frequency");
        }
    }
    require(testsupport::readFile(input.path) == bytes, "reading changed the file");
    return;
}
} // namespace
