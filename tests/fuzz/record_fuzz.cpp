// Fuzz target: arbitrary bytes as a file, read line by line through the text layer by each
// of the program's input layouts. Every line must read as the plain reference reading of
// the bytes says (texts column for column, plain decimal fields to the exact value), every
// value must be finite, and a failure must be one conversion diagnostic that points at a
// field which really holds no plain number.
//
// The keyword skip (skipToRecordHolding) is checked the same way: each skip must stop at
// the first line that holds the pattern within its first columns, hand that line out for
// reading again, go on from the line after it, and count lines as a line-by-line reading
// would.
//
// Input: byte 0 holds flags, byte 1 a shift; the rest is the file. Flag 1 puts 65 336 to
// 65 536 bytes of 'x' in front (flag 2: and a line feed), so that the fuzzed bytes cross
// the line reader's buffer boundary. Bits 2-4 pick the skip's pattern, bits 5-7 its
// columns; byte 1 also picks the skip after which a line number is asked for.
#include "tests/fuzz/field_oracle.h"
#include "textio/textio.h"

#include <vector>

namespace {

using fuzzing::FieldSpec;
using fuzzing::require;
using textio::FixedText;
using textio::in;

struct Pass {
    const char* layoutText;
    int fieldCount; // number items; 0 for the text passes
    bool single;    // float items (mode rows) or double
    FieldSpec fields[4];
};

// The formatted passes: mode rows of block columns 1, 2, 3, the frequency line, the
// geometry row.
const Pass numberPasses[] = {
    {"(5X,F3.0,4X,F6.2,1X,F6.2,1X,F6.2)", 4, true, {{6, 3, 0}, {13, 6, 2}, {20, 6, 2}, {27, 6, 2}}},
    {"(5X,F3.0,26X,F6.2,1X,F6.2,1X,F6.2)",
     4,
     true,
     {{6, 3, 0}, {35, 6, 2}, {42, 6, 2}, {49, 6, 2}}},
    {"(5X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)",
     4,
     true,
     {{6, 3, 0}, {58, 6, 2}, {65, 6, 2}, {72, 6, 2}}},
    {"(15X,F12.4)", 1, false, {{16, 12, 4}}},
    {"(13X,F3.0,18X,F12.8,F13.8,F13.8)",
     4,
     false,
     {{14, 3, 0}, {35, 12, 8}, {47, 13, 8}, {60, 13, 8}}},
};

// Patterns and column counts of the skip pass; the last two patterns cannot be searched in
// the buffer (a leading blank can, a trailing one cannot) and take the line-by-line way.
const std::string_view skipPatterns[] = {
    "Standard orientation:",   "---", "Atom AN", "Frequencies --", "x",
    std::string_view("\0", 1), " A",  "ab "};
const int skipColumns[] = {100, 1024, 21, 3, 50, 1, 99, 101};

struct Run {
    std::string path;
    std::string_view pattern;
    int columns = 100;
    int lineAsked = 0;              // the skip after which a line number is asked for
    std::vector<std::string> lines; // the reference reading
    const Pass* pass = nullptr;
    int read = 0; // lines read by the layer so far
};

void readTexts(void* context) {
    Run& run = *static_cast<Run*>(context);
    static const textio::Layout whole = textio::parseLayout("(A)");
    static const textio::Layout name = textio::parseLayout("(9X,A70)");
    static FixedText<1024> record;
    static FixedText<100> line;
    static FixedText<70> fileName;

    textio::openUnit(run.path);
    while (textio::readRecord(textio::Unit::file, whole, {in(record)}, true)) {
        require(run.read < int(run.lines.size()), "more lines than the bytes hold");
        const std::string& expected = run.lines[std::size_t(run.read++)];
        require(record.view() == hostile::columns(expected, 1, 1024), "a line read wrongly",
                expected);
    }
    require(run.read == int(run.lines.size()), "fewer lines than the bytes hold");

    textio::rewindUnit();
    for (std::size_t i = 0; i < run.lines.size(); ++i) {
        if (i % 2 == 0) {
            textio::readRecord(textio::Unit::file, whole, {in(line)});
            require(line.view() == hostile::columns(run.lines[i], 1, 100),
                    "a 100-column line read wrongly");
        } else {
            textio::readRecord(textio::Unit::file, name, {in(fileName)});
            require(fileName.view() == hostile::columns(run.lines[i], 10, 70),
                    "a file name read wrongly");
        }
    }
    require(!textio::readRecord(textio::Unit::file, whole, {in(line)}, true),
            "a line after the end");
    textio::closeUnit();
}

void readNumbers(void* context) {
    Run& run = *static_cast<Run*>(context);
    const Pass& pass = *run.pass;
    const textio::Layout layout = textio::parseLayout(pass.layoutText);
    float f[4];
    double d[4];
    textio::openUnit(run.path);
    for (;;) {
        const bool more =
            pass.fieldCount == 1 ? textio::readRecord(textio::Unit::file, layout, {in(d[0])}, true)
            : pass.single        ? textio::readRecord(textio::Unit::file, layout,
                                                      {in(f[0]), in(f[1]), in(f[2]), in(f[3])}, true)
                                 : textio::readRecord(textio::Unit::file, layout,
                                                      {in(d[0]), in(d[1]), in(d[2]), in(d[3])}, true);
        if (!more) break;
        require(run.read < int(run.lines.size()), "more lines than the bytes hold");
        const std::string& line = run.lines[std::size_t(run.read++)];
        for (int k = 0; k < pass.fieldCount; ++k) {
            if (pass.single)
                fuzzing::checkField(line, pass.fields[k], f[k]);
            else
                fuzzing::checkField(line, pass.fields[k], d[k]);
        }
    }
    require(run.read == int(run.lines.size()), "fewer lines than the bytes hold");
    textio::closeUnit();
}

bool holdsWithin(const std::string& line, std::string_view pattern, int columns) {
    return hostile::columns(line, 1, columns).find(pattern) != std::string::npos;
}

// Skips from line to line by the pattern; after skip number lineAsked a reading beyond
// column 1024 makes the layer name the line it is on.
void skipLines(void* context) {
    Run& run = *static_cast<Run*>(context);
    static const textio::Layout whole = textio::parseLayout("(A)");
    static const textio::Layout beyond = textio::parseLayout("(1024X,A1)");
    static FixedText<1024> record;
    static FixedText<1> nothing;
    textio::openUnit(run.path);
    for (int skip = 0;; ++skip) {
        int expected = run.read;
        while (expected < int(run.lines.size()) &&
               !holdsWithin(run.lines[std::size_t(expected)], run.pattern, run.columns))
            ++expected;
        const bool found =
            textio::skipToRecordHolding(textio::Unit::file, run.pattern, run.columns, true);
        require(found == (expected < int(run.lines.size())), "a skip found another line");
        if (!found) break;
        run.read = expected + 1;
        textio::rereadRecord(textio::Unit::file, whole, {in(record)});
        require(record.view() == hostile::columns(run.lines[std::size_t(expected)], 1, 1024),
                "a skip handed out another line", run.lines[std::size_t(expected)]);
        if (skip == run.lineAsked) textio::rereadRecord(textio::Unit::file, beyond, {in(nothing)});
        if (!textio::readRecord(textio::Unit::file, whole, {in(record)}, true)) break;
        require(run.read < int(run.lines.size()), "a line after the end");
        require(record.view() == hostile::columns(run.lines[std::size_t(run.read)], 1, 1024),
                "the line after a skip read wrongly");
        ++run.read;
    }
    // Past the end the layer reports the number of lines in all.
    textio::skipToRecordHolding(textio::Unit::file, run.pattern, run.columns);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int flags = data[0];
    std::string bytes;
    if (flags & 1) {
        bytes.assign(std::size_t(65536 - 200 + data[1] % 201), 'x');
        if (flags & 2) bytes += '\n';
    }
    bytes.append(reinterpret_cast<const char*>(data + 2), size - 2);

    Run run;
    run.path = fuzzing::writeScratch("input", bytes);
    run.lines = hostile::referenceLines(bytes);

    const testsupport::RunEnd texts = testsupport::guarded([&] { readTexts(&run); });
    require(!texts.ended, "reading texts ended the run", texts.diagnostic());

    run.pattern = skipPatterns[(flags >> 2) & 7];
    run.columns = skipColumns[(flags >> 5) & 7];
    run.lineAsked = data[1] % 8;
    run.read = 0;
    testsupport::RunEnd skipped;
    testsupport::guardedRun(skipLines, &run, skipped);
    const int skipCode = fuzzing::diagnosticCode(skipped);
    if (skipCode == 106) {
        const std::string place = ", line " + std::to_string(run.read) + ", columns 1025-1025)";
        require(skipped.diagnostic().find(place) != std::string_view::npos,
                "a skip counted lines wrongly", skipped.diagnostic());
    } else {
        require(skipCode == 104, "a skip ended with an unexpected code", skipped.diagnostic());
        const std::string place = " after line " + std::to_string(run.lines.size());
        require(skipped.diagnostic().find(place) != std::string_view::npos,
                "a skip to the end counted lines wrongly", skipped.diagnostic());
    }

    for (const Pass& pass : numberPasses) {
        run.pass = &pass;
        run.read = 0;
        testsupport::RunEnd end;
        testsupport::guardedRun(readNumbers, &run, end);
        if (!end.ended) continue;
        const int code = fuzzing::diagnosticCode(end);
        int line = 0, first = 0, last = 0;
        fuzzing::placeOf(end.diagnostic(), line, first, last);
        require(line == run.read + 1 && line <= int(run.lines.size()),
                "the diagnostic names another line", end.diagnostic());
        const FieldSpec* field = nullptr;
        for (int k = 0; k < pass.fieldCount; ++k)
            if (pass.fields[k].column == first &&
                pass.fields[k].column + pass.fields[k].width - 1 == last)
                field = &pass.fields[k];
        require(field != nullptr, "the diagnostic names columns of no field", end.diagnostic());
        fuzzing::checkFailedField(run.lines[std::size_t(line - 1)], *field, code);
    }
    return 0;
}
