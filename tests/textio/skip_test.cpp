// Skipping to the next line that holds a keyword, against the plain way of reading every
// line by (A) into a text and asking findSubstring: the same lines found, the same line
// left current and read next, the same line numbers, on generated files that put the
// keyword at the column limits, across buffer boundaries, among CR, NUL and Ctrl-Z bytes.
#include "tests/textio/support.h"
#include "textio/record.h"
#include "textio/textio.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using textio::detail::LineReader;
using textio::detail::LineResult;
using textio::detail::Record;

constexpr int bufferSize = LineReader::bufferSize;

// The plain rule: the line's first `columns` columns, blank padded, searched.
bool plainHolds(const Record& r, std::string_view pattern, int columns) {
    std::string text(r.chars, std::size_t(r.length < columns ? r.length : columns));
    text.resize(std::size_t(columns), ' ');
    return textio::findSubstring(text, pattern) > 0;
}

std::string text(const Record& r) { return {r.chars, std::size_t(r.length)}; }

// What one step of a reading left: the line handed out (or "<end>"), its line number, and
// where the reader stands in the file.
struct Step {
    std::string line;
    long long number;
    long long position;
    bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Step& s) {
    return os << "line " << s.number << " at " << s.position << ": \"" << s.line.substr(0, 60)
              << "\"";
}

LineReader plain;
LineReader fast;

// Reads `bytes` twice in step, by skips (and a plain line read after some of them, as the
// reader does after a keyword), once the plain way and once by skipToLine; the line numbers
// of the fast reading are asked for after some steps only, so that skips also follow one
// another with their lines still uncounted.
// With several patterns (or `any`), the fast reading is skipToLineHoldingAny's.
void expectSameReading(const std::string& bytes, const std::vector<std::string_view>& patterns,
                       int columns, unsigned seed, bool any) {
    const std::string_view pattern = patterns[0];
    textio_test::Workspace dir;
    textio_test::writeFile("f.out", bytes);
    const int plainFd = open("f.out", O_RDONLY);
    const int fastFd = open("f.out", O_RDONLY);
    ASSERT_GE(plainFd, 0);
    ASSERT_GE(fastFd, 0);
    textio::detail::resetReader(plain, plainFd, 0);
    textio::detail::resetReader(fast, fastFd, 0);
    std::mt19937 random(seed);
    const auto info = [&] {
        std::string list;
        for (std::string_view p : patterns) list += " \"" + std::string(p) + "\"";
        return "patterns" + list + ", columns " + std::to_string(columns) + ", seed " +
               std::to_string(seed) + ", " + std::to_string(bytes.size()) + " bytes";
    };
    for (int steps = 0;; ++steps) {
        ASSERT_LT(steps, 1000000) << info();
        const bool skip = random() % 4 != 0;
        Record p, f;
        LineResult pr, fr;
        if (skip) {
            bool holds = false;
            do {
                pr = textio::detail::nextLine(plain, p);
                for (std::size_t i = 0; i < patterns.size() && pr == LineResult::line; ++i)
                    holds = holds || plainHolds(p, patterns[i], columns);
            } while (pr == LineResult::line && !holds);
            fr = any ? textio::detail::skipToLineHoldingAny(fast, patterns.data(),
                                                            int(patterns.size()), columns, f)
                     : textio::detail::skipToLine(fast, pattern, columns, f);
        } else {
            pr = textio::detail::nextLine(plain, p);
            fr = textio::detail::nextLine(fast, f);
        }
        ASSERT_EQ(pr, fr) << info() << ", step " << steps;
        const bool ended = pr != LineResult::line;
        const bool count = ended || random() % 3 == 0;
        const Step ps{ended ? "<end>" : text(p), plain.lineNumber,
                      textio::detail::readerPosition(plain)};
        const Step fs{ended ? "<end>" : text(f),
                      count ? textio::detail::lineNumberOf(fast) : plain.lineNumber,
                      textio::detail::readerPosition(fast)};
        ASSERT_EQ(ps, fs) << info() << ", step " << steps << (skip ? " (skip)" : " (read)");
        ASSERT_EQ(plain.hasCurrent, fast.hasCurrent) << info();
        if (fast.hasCurrent) {
            ASSERT_EQ(text(fast.current), fs.line) << info();
        }
        if (ended) break;
    }
    // Nothing more, however asked.
    Record f;
    EXPECT_EQ(any ? textio::detail::skipToLineHoldingAny(fast, patterns.data(),
                                                         int(patterns.size()), columns, f)
                  : textio::detail::skipToLine(fast, pattern, columns, f),
              LineResult::endOfData);
    EXPECT_EQ(textio::detail::nextLine(fast, f), LineResult::endOfData);
    EXPECT_EQ(textio::detail::lineNumberOf(fast), plain.lineNumber) << info();
    close(plainFd);
    close(fastFd);
}

void expectSameReading(const std::string& bytes, std::string_view pattern, int columns,
                       unsigned seed) {
    expectSameReading(bytes, {pattern}, columns, seed, false);
    expectSameReading(bytes, {pattern}, columns, seed, true);
}

const std::string_view patterns[] = {"Standard orientation:", "---",   "Atom AN", "Q",
                                     "Frequencies --",        "ation:"};

// Random lines: short and long, the pattern (or a piece of it) at the columns where the
// rule changes, line ends LF, CR LF and none, CR, NUL and Ctrl-Z bytes among the text.
std::string randomListing(std::mt19937& random, const std::vector<std::string_view>& patterns,
                          int columns, std::size_t size, bool ctrlZ) {
    const int lengths[] = {0, 1, 5, 30, 70, 79, 80, 81, 99, 100, 101, 150, 1023, 1024, 1025, 2000};
    const int m = int(patterns[0].size());
    const int places[] = {
        1,           2,   79,   80,  81, columns - m, columns - m + 1, columns - m + 2,
        columns + 1, 150, 1020, 1030};
    const char filler[] = "xx  xx  x-:AS\r\r\0Q";
    std::string bytes;
    while (bytes.size() < size) {
        const int r = int(random() % 100);
        int length = r < 60 ? int(random() % 90) : lengths[random() % std::size(lengths)];
        std::string line;
        for (int i = 0; i < length; ++i) line += filler[random() % (sizeof filler - 1)];
        const int copies = r % 3 == 0 ? 0 : r % 7 == 0 ? 2 : 1;
        for (int c = 0; c < copies; ++c) {
            const std::string_view pattern = patterns[random() % patterns.size()];
            const int m = int(pattern.size());
            int at = random() % 2 ? places[random() % std::size(places)] - 1
                                  : int(random() % std::size_t(length + 1));
            if (at < 0) at = 0;
            if (std::size_t(at) > line.size()) line.resize(std::size_t(at), ' ');
            // Now and then only a piece of it, so that a near miss is judged too.
            const int piece = random() % 5 == 0 ? int(random() % std::size_t(m)) : m;
            line.replace(std::size_t(at), 0, pattern.substr(0, std::size_t(piece)));
        }
        const int end = int(random() % 10);
        bytes += line + (end < 6 ? "\n" : end < 9 ? "\r\n" : "\r");
    }
    if (ctrlZ) bytes.insert(random() % (bytes.size() + 1), 1, '\x1a');
    if (random() % 2) bytes.resize(bytes.size() - random() % 3); // maybe no last line end
    return bytes;
}
std::string randomListing(std::mt19937& random, std::string_view pattern, int columns,
                          std::size_t size, bool ctrlZ) {
    return randomListing(random, std::vector<std::string_view>{pattern}, columns, size, ctrlZ);
}

TEST(SkipToLine, FindsTheLinesThePlainReadingFindsInRandomListings) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 90; ++round) {
        const std::string_view pattern = patterns[round % std::size(patterns)];
        const int columnChoices[] = {100, 100, 100, 1024, int(pattern.size()) + 3};
        const int columns = columnChoices[round / int(std::size(patterns)) % 5];
        const std::size_t size = round % 3 == 0 ? 3 * bufferSize + 777 : random() % 40000;
        const std::string bytes = randomListing(random, pattern, columns, size, round % 4 == 3);
        expectSameReading(bytes, pattern, columns, unsigned(round));
        if (HasFatalFailure()) return;
    }
}

TEST(SkipToLine, EmptyAndTinyFiles) {
    const std::string cases[] = {"",      "\n",      "\r\n", "Q",        "Q\n",     "\x1a",
                                 "Q\x1a", "\x1aQ\n", "a\nQ", "a\r\nQ\r", "\0Q\0\n", "\n\n\nQ\n\n"};
    for (const std::string& c : cases) {
        for (unsigned seed = 0; seed < 4; ++seed) expectSameReading(c, "Q", 100, seed);
        expectSameReading(c, "Q", 1, 0);
    }
}

// The pattern at every column around the limit, once on a line of its own and once with
// more text after it, CR LF, and a second copy further right on the same line.
TEST(SkipToLine, ColumnLimitIsExact) {
    const std::string_view pattern = "Standard orientation:";
    const int m = int(pattern.size());
    std::string bytes;
    for (int column = 1; column <= 130; ++column) {
        const std::string lead(std::size_t(column - 1), column % 2 ? 'S' : ' ');
        bytes += lead + std::string(pattern) + "\n";
        bytes += lead + std::string(pattern) + " tail\r\n";
        bytes += lead + std::string(pattern) + std::string(pattern) + "\n";
        bytes += lead + std::string(pattern.substr(0, std::size_t(m - 1))) + "\n";
    }
    for (unsigned seed = 0; seed < 6; ++seed) expectSameReading(bytes, pattern, 100, seed);
    expectSameReading(bytes, pattern, m, 0);
    expectSameReading(bytes, pattern, 1024, 0);
}

// Rows up to `at`, so that the next byte written lies at file offset `at`.
std::string rowsUpTo(std::size_t at) {
    std::string bytes;
    while (bytes.size() + 60 <= at) bytes += std::string(59, 'r') + "\n";
    if (bytes.size() < at) bytes += std::string(at - bytes.size() - 1, 'r') + "\n";
    return bytes;
}

// The first buffer ends at a known offset: the pattern across it at each split, on a line
// that started in the first buffer, at the column limit and one past it; the line end
// (LF, CR LF split by the boundary) and a Ctrl-Z at the boundary.
TEST(SkipToLine, PatternsAndLineEndsAcrossTheBufferBoundary) {
    const std::string_view pattern = "Standard orientation:";
    const int m = int(pattern.size());
    for (const int column : {1, 30, 100 - m + 1, 100 - m + 2}) {
        for (int split = 0; split <= m; ++split) {
            // The pattern starts `split` bytes before the boundary.
            const std::size_t start = std::size_t(bufferSize - split - (column - 1));
            std::string bytes = rowsUpTo(start);
            bytes += std::string(std::size_t(column - 1), '-') + std::string(pattern) +
                     " and more\n after\n";
            bytes += std::string(300, 'S') + "\n" + std::string(pattern) + "\n";
            for (unsigned seed = 0; seed < 3; ++seed)
                expectSameReading(bytes, pattern, 100, seed + unsigned(split));
        }
    }
    for (const std::string end : {"\n", "\r\n", "\r", "\x1a", "\n\x1a"}) {
        for (int before = 0; before <= 3; ++before) {
            // A hit line whose end lies about the boundary, then one more hit.
            std::string bytes = rowsUpTo(std::size_t(bufferSize - 40 - before));
            bytes += std::string(40 - int(end.size()) + before - 1, 'x') + "Q" + end + "Q\n";
            if (before % 2) bytes += std::string(bufferSize + 5, 'Q');
            for (unsigned seed = 0; seed < 4; ++seed) expectSameReading(bytes, "Q", 100, seed);
        }
    }
}

// A line far longer than the limit and than the buffer, holding the pattern late and at
// every boundary, then a line that holds it in time.
TEST(SkipToLine, LongLinesArePassedOverWhole) {
    std::string longLine(200, 'x');
    while (longLine.size() < 5 * std::size_t(bufferSize)) longLine += "--- Atom AN ";
    for (const std::string tail : {"\nAtom AN\n", "\r\nAtom AN", "\x1a\nAtom AN\n", ""}) {
        const std::string bytes = "Atom  AN\n" + longLine + tail;
        for (unsigned seed = 0; seed < 3; ++seed) {
            expectSameReading(bytes, "Atom AN", 100, seed);
            expectSameReading(bytes, "---", 1024, seed);
        }
    }
}

// Several patterns at once: each one's occurrences judged on their own, a long pattern too
// far right and a short one in time on the same line, one pattern the other's piece.
TEST(SkipToLineHoldingAny, FindsTheLinesThePlainReadingFindsInRandomListings) {
    std::mt19937 random(20250301);
    const std::vector<std::vector<std::string_view>> lists = {
        {"Frequencies --", "IR Inten", "Atom"},
        {"Standard orientation:", "---"},
        {"Q", "ation:", "Atom AN", "Atom  AN"},
        {"VIBRATIONAL FREQUENCIES", "NORMAL MODES", "CARTESIAN COORDINATES (ANGSTROEM)", "A"},
    };
    for (int round = 0; round < 60; ++round) {
        const std::vector<std::string_view>& list = lists[std::size_t(round) % lists.size()];
        const int columnChoices[] = {100, 1024, 30};
        const int columns = columnChoices[round / int(lists.size()) % 3];
        const std::size_t size = round % 3 == 0 ? 3 * bufferSize + 777 : random() % 40000;
        const std::string bytes = randomListing(random, list, columns, size, round % 4 == 3);
        expectSameReading(bytes, list, columns, unsigned(round), true);
        if (HasFatalFailure()) return;
    }
}

TEST(SkipToLineHoldingAny, ColumnLimitsAcrossTheBufferBoundaryAndLongLines) {
    const std::vector<std::string_view> list = {"Standard orientation:", "AN"};
    std::string bytes;
    for (int column = 1; column <= 110; ++column) {
        const std::string lead(std::size_t(column - 1), column % 2 ? 'S' : ' ');
        bytes += lead + "Standard orientation:" + " AN\n";
        bytes += lead + "Standard orientation:\n";
        bytes += lead + "AN\r\n";
    }
    std::string longLine(200, 'x');
    while (longLine.size() < 3 * std::size_t(bufferSize)) longLine += "Standard orientation: ";
    bytes += longLine + "\nAN\n";
    bytes = rowsUpTo(std::size_t(bufferSize - 7)) + bytes;
    for (unsigned seed = 0; seed < 4; ++seed) {
        expectSameReading(bytes, list, 100, seed, true);
        expectSameReading(bytes, list, 1024, seed, true);
    }
}

// Through the text layer's own interface, on the file unit: skipToRecordHolding and
// rereadRecord against the plain loop of readRecord by (A) and findSubstring, for
// patterns the buffer search takes and those it leaves to the plain reading.
TEST(SkipToRecordHolding, ReadsAsThePlainLoopAndRereadsTheLineFound) {
    textio_test::Workspace dir;
    std::mt19937 random(7);
    const textio::Layout whole = textio::parseLayout("(A)");
    for (const std::string_view pattern : {"Atom AN", "AN ", " ", "", "A\r", "Q"}) {
        const std::string bytes = randomListing(random, "Atom AN", 100, 200000, false) +
                                  "Atom AN\n  " + std::string(pattern) + "x\n";
        textio_test::writeFile("f.out", bytes);
        std::vector<std::string> plainFound, plainNext, found, again, next;
        textio::FixedText<100> line;
        textio::FixedText<1024> full;
        textio::openUnit("f.out");
        while (textio::readRecord(textio::Unit::file, whole, {textio::in(line)}, true)) {
            if (textio::findSubstring(line.view(), pattern) == 0) continue;
            plainFound.emplace_back(line.view());
            textio::FixedText<100> after("<end>");
            textio::readRecord(textio::Unit::file, whole, {textio::in(after)}, true);
            plainNext.emplace_back(after.view());
        }
        textio::rewindUnit();
        while (textio::skipToRecordHolding(textio::Unit::file, pattern, 100, true)) {
            textio::rereadRecord(textio::Unit::file, whole, {textio::in(line)});
            textio::rereadRecord(textio::Unit::file, whole, {textio::in(full)});
            found.emplace_back(line.view());
            again.emplace_back(full.view().substr(0, 100));
            textio::FixedText<100> after("<end>");
            textio::readRecord(textio::Unit::file, whole, {textio::in(after)}, true);
            next.emplace_back(after.view());
        }
        textio::closeUnit();
        EXPECT_FALSE(plainFound.empty()) << pattern;
        EXPECT_EQ(found, plainFound) << "\"" << pattern << "\"";
        EXPECT_EQ(again, plainFound) << "\"" << pattern << "\"";
        EXPECT_EQ(next, plainNext) << "\"" << pattern << "\"";
    }
}

// Diagnostics after a skip name the line as a plain reading would.
TEST(SkipToRecordHolding, DiagnosticsNameTheRightLine) {
    textio_test::Workspace dir;
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += " row " + std::to_string(i) + " of the listing\n";
    bytes += " Frequencies --   1,5\n";
    bytes += " last line without its end";
    textio_test::writeFile("f.out", bytes);
    const textio::Layout frequency = textio::parseLayout("(15X,F12.4)");

    auto end = testsupport::guarded([&] {
        textio::openUnit("f.out");
        textio::skipToRecordHolding(textio::Unit::file, "Frequencies --", 100);
        double value = 0;
        textio::rereadRecord(textio::Unit::file, frequency, {textio::in(value)});
    });
    EXPECT_EQ(end.status, -1);
    EXPECT_NE(end.diagnostic().find("*ERR* 101 "), std::string::npos) << end.diagnostic();
    EXPECT_NE(end.diagnostic().find("(f.out, line 3001, columns 16-27)"), std::string::npos)
        << end.diagnostic();

    end = testsupport::guarded([&] {
        textio::openUnit("f.out");
        textio::setReadContext("a line that is not there");
        textio::skipToRecordHolding(textio::Unit::file, "Frequencies --", 100);
        textio::skipToRecordHolding(textio::Unit::file, "row 1 ", 100);
    });
    EXPECT_EQ(end.diagnostic(),
              "*ERR* 104 end of file in f.out after line 3002 while reading a line that is "
              "not there\r\n");

    end = testsupport::guarded([&] {
        textio::openUnit("f.out");
        textio::skipToRecordHolding(textio::Unit::file, "row 2998 ", 100);
        double value = 0;
        textio::readRecord(textio::Unit::file, frequency, {textio::in(value)});
    });
    EXPECT_NE(end.diagnostic().find("(f.out, line 3000, columns 16-27)"), std::string::npos)
        << end.diagnostic();

    // Nothing to read again: just connected, or the end met.
    end = testsupport::guarded([&] {
        textio::openUnit("f.out");
        double value = 0;
        textio::rereadRecord(textio::Unit::file, frequency, {textio::in(value)});
    });
    EXPECT_NE(end.diagnostic().find("*ERR* 108 "), std::string::npos) << end.diagnostic();
    end = testsupport::guarded([&] {
        textio::openUnit("f.out");
        textio::skipToRecordHolding(textio::Unit::file, "absent", 100, true);
        double value = 0;
        textio::rereadRecord(textio::Unit::file, frequency, {textio::in(value)});
    });
    EXPECT_NE(end.diagnostic().find("*ERR* 108 "), std::string::npos) << end.diagnostic();
}

// The file unit line by line without a layout: lines as they stand, the first pattern the
// line found holds, the line numbers, the end of the file without a diagnostic.
TEST(FileLines, ViewsSkipsAndLineNumbers) {
    textio_test::Workspace dir;
    std::string bytes = "first line  \r\n\n";
    for (int i = 0; i < 5000; ++i) bytes += " row " + std::to_string(i) + "\n";
    bytes += " IR Inten and Frequencies -- both\n" + std::string(1100, 'w') + "\nlast";
    textio_test::writeFile("f.out", bytes);
    textio::openUnit("f.out");
    std::string_view line;
    EXPECT_EQ(textio::fileLineNumber(), 0);
    ASSERT_TRUE(textio::readFileLine(line));
    EXPECT_EQ(line, "first line  ");
    ASSERT_TRUE(textio::readFileLine(line));
    EXPECT_EQ(line, "");
    int which = -1;
    ASSERT_TRUE(textio::skipToFileLineHolding({"row 4321", "Frequencies --"}, 100, line, which));
    EXPECT_EQ(which, 0);
    EXPECT_EQ(line, " row 4321");
    EXPECT_EQ(textio::fileLineNumber(), 4324);
    ASSERT_TRUE(textio::skipToFileLineHolding({"Frequencies --", "IR Inten"}, 100, line, which));
    EXPECT_EQ(which, 0); // the first in the list, not the first in the line
    EXPECT_EQ(textio::fileLineNumber(), 5003);
    const textio::Layout whole = textio::parseLayout("(A)");
    textio::FixedText<9> again;
    textio::rereadRecord(textio::Unit::file, whole, {textio::in(again)});
    EXPECT_EQ(again.view(), " IR Inten");
    ASSERT_TRUE(textio::readFileLine(line));
    EXPECT_EQ(line.size(), 1024u);
    ASSERT_TRUE(textio::readFileLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(textio::readFileLine(line));
    textio::rewindUnit();
    EXPECT_FALSE(textio::skipToFileLineHolding({"absent", "gone"}, 1024, line, which));
    EXPECT_EQ(textio::fileLineNumber(), 5005);
    textio::closeUnit();
}

} // namespace
