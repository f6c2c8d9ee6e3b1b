// Cutting bytes into lines: LF, CR LF, Ctrl-Z, a last line without LF, long lines, and
// lines that straddle the reader's buffer.
#include "tests/textio/support.h"
#include "textio/record.h"
#include "textio/textio.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
    textio_test::Workspace dir;
    textio_test::writeFile("lines.txt", bytes);
    const int fd = open("lines.txt", O_RDONLY);
    static textio::detail::LineReader reader;
    textio::detail::resetReader(reader, fd, 0);
    std::vector<std::string> lines;
    textio::detail::Record r;
    while (textio::detail::nextLine(reader, r) == textio::detail::LineResult::line) {
        lines.emplace_back(r.chars, std::size_t(r.length));
        EXPECT_EQ(reader.lineNumber, (long long)lines.size());
    }
    EXPECT_EQ(textio::detail::nextLine(reader, r), textio::detail::LineResult::endOfData);
    close(fd);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(Record, SplitsLinesByTheRules) {
    const std::string x1030(1030, 'x'), x1024(1024, 'x');
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}}, // CR LF reads as LF
        {"a\rb\n", {"a\rb"}},       // a CR elsewhere is a character
        {"a\r\r\n", {"a\r"}},
        {"a\nlast", {"a", "last"}}, // last line without LF
        {"\n\r\n", {"", ""}},
        {"", {}},
        {"ab\x1a"
         "cd\nef\n",
         {"ab"}},               // Ctrl-Z ends the line and the data
        {"ab\r\n\x1a", {"ab"}}, // ... at a line's start: no further line
        {"ab\r\x1a\n", {"ab\r"}},
        {x1030 + "\nnext\n", {x1024, "next"}}, // over-long: first 1024 columns kept
        {x1024 + "\r\n", {x1024}},
        {x1030 + "\x1a\nnext\n", {x1024}}, // Ctrl-Z in the skipped part still ends
    };
    for (const auto& c : cases) EXPECT_EQ(linesOf(c.bytes), c.lines) << c.bytes.substr(0, 20);
}

TEST(Record, LinesStraddlingTheBufferReadWhole) {
    constexpr int buffer = textio::detail::LineReader::bufferSize;
    const std::string row = std::string(99, 'r') + "\n";
    // Rows of 100 bytes, then a line of z whose CR lies at byte offset `cr`, then "b".
    for (const int cr : {buffer - 1, buffer}) {
        std::string bytes;
        while (int(bytes.size()) + 100 <= cr - 40) bytes += row;
        const std::size_t zs = std::size_t(cr) - bytes.size();
        const std::size_t rows = bytes.size() / 100;
        bytes += std::string(zs, 'z') + "\r\n" + std::string(2000, 'w') + "\r\nb";
        const Lines lines = linesOf(bytes);
        ASSERT_EQ(lines.size(), rows + 3) << cr;
        EXPECT_EQ(lines[rows - 1], std::string(99, 'r'));
        EXPECT_EQ(lines[rows], std::string(zs, 'z')) << cr;
        EXPECT_EQ(lines[rows + 1], std::string(1024, 'w'));
        EXPECT_EQ(lines[rows + 2], "b");
    }
}

// A CR LF listing (lines of up to 133 characters, blank ones among them) reads line for line
// as its LF-only copy.
TEST(Record, CrLfListingReadsAsItsLfCopy) {
    textio_test::Workspace dir;
    const std::string sample = "crlf.out";
    std::string written;
    for (int i = 0; i < 3000; ++i)
        written += std::string(std::size_t(i * 37 % 134), char('a' + i % 26)) + "\r\n";
    textio_test::writeFile(sample, written);
    const std::string bytes = textio_test::readFile(sample);
    ASSERT_NE(bytes.find("\r\n"), std::string::npos);
    std::string lf;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) lf += bytes[i];
    const Lines expected = linesOf(lf);
    const textio::Layout whole = textio::parseLayout("(A)");
    textio::FixedText<140> line;
    std::size_t n = 0, mismatches = 0;
    textio::openUnit(sample);
    while (textio::readRecord(textio::Unit::file, whole, {textio::in(line)}, true)) {
        if (n >= expected.size() || line.trimmed() != textio::FixedText<140>(expected[n]).trimmed())
            ++mismatches;
        ++n;
    }
    textio::closeUnit();
    EXPECT_EQ(n, expected.size());
    EXPECT_EQ(mismatches, 0u);
}

} // namespace
