// Fuzz target: arbitrary bytes as a Gaussian output file, read by the whole reading
// pipeline in the dialogue's order: countAtoms, readGeometry, readModeVector for modes
// derived from the atom count and the input, prepareViewData, readFirstFrequency. Each
// step either returns sound data (counts within the tables, finite values) or ends the run
// with one diagnostic of a code the step can give: end of file only at the file's last
// line, conversion errors only at a field that holds no plain number. The file is never
// changed by being read.
//
// Where each step must find its lines is worked out beforehand from the plain reading of
// the bytes (keywords searched in the first 100 columns of each line): the atom count,
// whether a step meets the end of the file, and which lines hold the rows it reads, whose
// plain decimal fields must then read to their exact values.
//
// The same bytes are then read as a run reads them, with the orientation keyword and the
// column family chosen from the file: every step again returns sound data or ends with a
// diagnostic it can give, and wherever the file's last "Standard orientation:" table is of
// the Gaussian 98 family the reading, diagnostics included, is exactly the one above.
#include "reader/gaussian_reader.h"
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
    int tables = 0;
    int lastTable = -1; // index of the last keyword line
    bool endOfFile = false;
    bool tooMany = false;
    int atoms = 0;
};

Count expectedCount(const std::vector<std::string>& lines) {
    Count c;
    for (int i = 0; i < int(lines.size()); ++i)
        if (holds(lines[std::size_t(i)], "Standard orientation:")) {
            ++c.tables;
            c.lastTable = i;
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
    int orientationCount = -1;
    int atomCount = -1;
    int mode = 0;
    double frequency = 0.0;
};

reader::GeometryTable geometry;
reader::AtomTable modeVector, atomTable, motionTable;
reader::ViewVolume viewVolume;

// One whole reading, as a run makes it, kept for comparison: how far it went, how it ended,
// and what it read.
struct Outcome {
    testsupport::RunEnd end;
    int orientationCount = -1, atomCount = -1;
    reader::OutputLayout layout; // as the reading left it, when it ended too
    int modes[3] = {};
    float modeValues[3][8][4] = {}; // the first rows of each mode tried
    double geometryValues[8][4] = {};
    double frequency = 0.0;
};

// Reads `path` for the modes the input picks; with `layoutAware` as the dialogue does,
// otherwise by the Gaussian 98 operations.
void readWhole(const std::string& path, std::uint8_t pick, bool layoutAware, Outcome& o) {
    reader::OutputLayout& layout = o.layout;
    o.end = testsupport::guarded([&] {
        if (layoutAware)
            reader::countAtoms(path, layout, o.atomCount);
        else
            reader::countAtoms(path, layout.orientationCount, o.atomCount);
        o.orientationCount = layout.orientationCount;
        const int modes = 3 * o.atomCount - 6;
        if (modes < 1) return;
        if (layoutAware)
            reader::readGeometry(path, o.atomCount, layout, geometry);
        else
            reader::readGeometry(path, o.atomCount, layout.orientationCount, geometry);
        for (int i = 0; i < o.atomCount && i < 8; ++i)
            for (int k = 0; k < 4; ++k) o.geometryValues[i][k] = geometry[i][k];
        const int tried[] = {1, modes, 1 + pick % modes};
        for (int t = 0; t < 3; ++t) {
            const int m = tried[t];
            o.modes[t] = m;
            if (layoutAware)
                reader::readModeVector(path, reader::modeBlock(m), reader::modeColumn(m),
                                       o.atomCount, layout, modeVector);
            else
                reader::readModeVector(path, reader::modeBlock(m), reader::modeColumn(m),
                                       o.atomCount, modeVector);
            for (int i = 0; i < o.atomCount; ++i)
                for (float v : modeVector[i])
                    require(std::isfinite(v), "a mode value that is not finite");
            for (int i = 0; i < o.atomCount && i < 8; ++i)
                for (int k = 0; k < 4; ++k) o.modeValues[t][i][k] = modeVector[i][k];
        }
        o.frequency = reader::readFirstFrequency(path);
    });
}

// The reading a run makes: sound, and the Gaussian 98 reading where the file is one.
void checkLayoutAware(const Input& input, std::uint8_t pick) {
    Outcome aware, plain;
    readWhole(input.path, pick, true, aware);
    if (aware.end.ended) {
        const int code = fuzzing::diagnosticCode(aware.end);
        require(code == 101 || code == 103 || code == 104 || code == 109,
                "an unexpected diagnostic code in a run's reading", aware.end.diagnostic());
        require(aware.end.diagnostic().find(input.path) != std::string_view::npos,
                "a run's diagnostic that does not name the file", aware.end.diagnostic());
    }
    require(aware.atomCount <= reader::atomCapacity, "more atoms than the tables hold");
    if (aware.orientationCount <= 0 || aware.layout.orientationKeyword != "Standard orientation:" ||
        aware.layout.family != reader::Family::gaussian98)
        return;
    readWhole(input.path, pick, false, plain);
    require(aware.end.ended == plain.end.ended && aware.end.diagnostic() == plain.end.diagnostic(),
            "a Gaussian 98 file ends otherwise in a run", aware.end.diagnostic());
    require(aware.atomCount == plain.atomCount && aware.orientationCount == plain.orientationCount,
            "a Gaussian 98 file counts otherwise in a run");
    require(std::memcmp(aware.geometryValues, plain.geometryValues, sizeof plain.geometryValues) ==
                    0 &&
                std::memcmp(aware.modeValues, plain.modeValues, sizeof plain.modeValues) == 0 &&
                aware.frequency == plain.frequency,
            "a Gaussian 98 file reads otherwise in a run");
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
    checkLayoutAware(input, size > 0 ? data[size - 1] : 0);
    require(testsupport::readFile(input.path) == bytes, "reading changed the file");
    return 0;
}

namespace {
// The Gaussian 98 operations against the plain reading of the bytes.
void checkPlainReading(const std::string& bytes, const Input& input, const std::uint8_t* data,
                       std::size_t size) {
    State s;
    s.path = &input.path;

    const Count expected = expectedCount(input.lines);
    const testsupport::RunEnd count =
        testsupport::guarded([&] { reader::countAtoms(*s.path, s.orientationCount, s.atomCount); });
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
    require(s.atomCount == expected.atoms, "countAtoms counted other rows");

    const testsupport::RunEnd geometryEnd = testsupport::guarded(
        [&] { reader::readGeometry(*s.path, s.atomCount, s.orientationCount, geometry); });
    if (geometryEnd.ended) checkEnd(input, geometryEnd, geometryFields, 4, false);
    checkRows(input, geometryEnd, expected.tables == 0 ? -1 : expected.lastTable + 5, s.atomCount,
              geometryFields, geometry);
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
                                   s.atomCount, modeVector);
        });
        const FieldSpec* fields = modeFields[reader::modeColumn(mode) - 1];
        if (modeEnd.ended) checkEnd(input, modeEnd, fields, 4, false);
        const int header = nthHolding(input.lines, "Atom AN", reader::modeBlock(mode));
        checkRows(input, modeEnd, header < 0 ? -1 : header + 1, s.atomCount, fields, modeVector);
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
    }
    require(testsupport::readFile(input.path) == bytes, "reading changed the file");
    return;
}
} // namespace
