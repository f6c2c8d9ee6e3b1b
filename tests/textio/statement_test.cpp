// Formatted statements on the file unit and the console, their failures, and files.
#include "tests/textio/support.h"
#include "textio/textio.h"

#include <csetjmp>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace textio;
using testsupport::guarded;
using textio_test::readFile;
using textio_test::writeFile;

// Mode rows, the second one ending before the third mode's columns:
//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123456789
//    3   8     0.00  -0.08  -0.20     0.35   0.00   0.00    -0.09  -0.05   0.00
TEST(ReadRecord, WorksALayoutAgainstOneLine) {
    textio_test::Workspace dir;
    writeFile("modes.out",
              "   3   8     0.00  -0.08  -0.20     0.35   0.00   0.00    -0.09  -0.05   0.00\r\n"
              "   4   6     0.00   0.08  -0.20    -0.35   0.00   0.00\n");
    const Layout third = parseLayout("(5X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)");
    float z = 0, x = 9, y = 9, w = 9;
    openUnit(" modes.out ");
    ASSERT_TRUE(readRecord(Unit::file, third, {in(z), in(x), in(y), in(w)}));
    EXPECT_EQ(z, 8.0f);
    EXPECT_EQ(x, -0.09f);
    EXPECT_EQ(y, -0.05f);
    EXPECT_EQ(w, 0.0f);
    ASSERT_TRUE(readRecord(Unit::file, third, {in(z), in(x), in(y), in(w)}));
    EXPECT_EQ(z, 6.0f);
    EXPECT_EQ(x + y + w, 0.0f); // beyond the line's end: blanks, so 0
    EXPECT_FALSE(readRecord(Unit::file, third, {in(z), in(x), in(y), in(w)}, true));
    EXPECT_EQ(z, 6.0f); // untouched at end of file

    rewindUnit();
    FixedText<3> head;
    FixedText<100> line;
    ASSERT_TRUE(readRecord(Unit::file, parseLayout("(A3)"), {in(head)}));
    ASSERT_TRUE(readRecord(Unit::file, parseLayout("(A)"), {in(line)}));
    EXPECT_EQ(head.view(), "   ");
    EXPECT_EQ(line.trimmed(), "   4   6     0.00   0.08  -0.20    -0.35   0.00   0.00");
    closeUnit();
}

TEST(ReadRecord, EndsTheRunWithADiagnosticThatSaysWhere) {
    textio_test::Workspace dir;
    writeFile("data.out", std::string(20, ' ') + "1,5  \n1e999\n\n");
    const struct {
        const char* layout;
        int lines;
        const char* diagnostic;
    } cases[] = {
        {"(13X,F12.8)", 1,
         "101 conversion error: \"1,5\" is not a number (data.out, line 1, columns 14-25)"},
        {"(F6.2)", 2,
         "103 real overflow: \"1e999\" is too large for a single real (data.out, line 2, "
         "columns 1-6)"},
        {"(1000X,F30.2)", 1,
         "106 field beyond the record: F30.2 would reach past column 1024 (data.out, "
         "line 1, columns 1001-1030)"},
        {"(A)", 4,
         "104 end of file in data.out after line 3 while reading the last \"Standard "
         "orientation:\" table"},
        {"(F6.2,F6.2)", 1,
         "108 the layout (F6.2,F6.2) gives F for an item that is not a "
         "real (item 2)"},
    };
    for (const auto& c : cases) {
        const auto end = guarded([&] {
            openUnit("data.out");
            setReadContext("the last \"Standard orientation:\" table");
            FixedText<5> text;
            float value = 0;
            const Layout layout = parseLayout(c.layout);
            for (int i = 0; i < c.lines; ++i) {
                if (layout.items[0].kind == EditDescriptor::text) {
                    readRecord(Unit::file, layout, {in(text)});
                } else if (layout.count == 2) {
                    readRecord(Unit::file, layout, {in(value), in(text)});
                } else {
                    readRecord(Unit::file, layout, {in(value)});
                }
            }
        });
        EXPECT_EQ(end.status, -1) << c.layout;
        EXPECT_EQ(end.diagnostic(), std::string("*ERR* ") + c.diagnostic + "\r\n");
    }
}

TEST(WriteRecord, RewritesAFileWithExactlyTheNewLines) {
    textio_test::Workspace dir;
    writeFile("newcoordinates.xyz", std::string(5000, '#') + "\nold\nold\n");
    openUnit("newcoordinates.xyz");
    writeRecord(Unit::file, parseLayout("(A)"), {out("Title")});
    writeRecord(Unit::file, parseLayout("(I5,7X,F4.0,7X,F9.6,2X,F9.6,2X,F9.6)"),
                {out(12), out(6.0), out(-1.2345678), out(10.5), out(-0.0000004)});
    writeRecord(Unit::file, parseLayout("(A,5X)"), {out("ab")}); // trailing X writes nothing
    closeUnit();
    EXPECT_EQ(readFile("newcoordinates.xyz"),
              "Title\r\n"
              "   12         6.       -1.234568  10.500000   0.000000\r\n"
              "ab\r\n");

    openUnit("fresh.dat"); // a missing file is created, empty
    closeUnit();
    EXPECT_EQ(readFile("fresh.dat"), "");
    struct stat st {};
    ASSERT_EQ(stat("fresh.dat", &st), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(Files, FailuresNameTheFileAndTheReason) {
    textio_test::Workspace dir;
    mkdir("adir", 0755);
    auto end = guarded([] { openUnit("adir"); });
    EXPECT_EQ(end.diagnostic(), "*ERR* 105 cannot open adir: Is a directory\r\n");
    end = guarded([] { openUnit("  "); });
    EXPECT_EQ(end.diagnostic(), "*ERR* 105 cannot open a file with an empty name\r\n");
    end = guarded([] { failRun("the last \"Standard orientation:\" table has 1200 rows"); });
    EXPECT_EQ(end.status, -1);
    EXPECT_EQ(end.diagnostic(),
              "*ERR* 109 the last \"Standard orientation:\" table has 1200 rows\r\n");
}

TEST(Files, ADiagnosticHookTakesTheLineInsteadOfStandardError) {
    static std::string kept;
    setDiagnosticHook([](std::string_view line) { kept = line; });
    const auto end = guarded([] { failRun("a damaged file"); });
    setDiagnosticHook(nullptr);
    EXPECT_EQ(end.status, -1);
    EXPECT_EQ(kept, "*ERR* 109 a damaged file");
    EXPECT_EQ(end.diagnostic(), ""); // nothing reached standard error
    EXPECT_EQ(guarded([] { failRun("again"); }).diagnostic(), "*ERR* 109 again\r\n");
}

TEST(Files, AFileThatCannotBeWrittenIsStillRead) {
    textio_test::Workspace dir;
    chmod(".", 0755);
    writeFile("ro.txt", "kept\n");
    chmod("ro.txt", 0444);
    // Root could write anything: the run is made as nobody, by the effective user alone, which
    // the test takes back afterwards.
    const bool root = geteuid() == 0;
    const auto end = guarded([root] {
        if (root && seteuid(65534) != 0) return;
        FixedText<4> t;
        openUnit("ro.txt");
        readRecord(Unit::file, parseLayout("(A)"), {in(t)});
        writeRecord(Unit::file, parseLayout("(A)"), {out(t)});
    });
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_EQ(end.diagnostic(), "*ERR* 105 cannot write ro.txt: Permission denied\r\n");
    EXPECT_EQ(readFile("ro.txt"), "kept\n");
}

std::jmp_buf harnessJump;
void jumpBack(int status) { std::longjmp(harnessJump, status == -1 ? 2 : 1); }

TEST(RunEnd, AHookCanSurviveTheEndAndStartAgain) {
    textio_test::Workspace dir;
    writeFile("bad.out", "abc\n");
    textio_test::feedConsole("7\n");
    const int saved = dup(2);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 2);
    setRunEndHook(jumpBack);
    float v = 0;
    const Layout f = parseLayout("(F6.2)");
    const int jumped = setjmp(harnessJump);
    if (jumped == 0) {
        openUnit("bad.out");
        readRecord(Unit::file, f, {in(v)});
    }
    setRunEndHook(nullptr);
    dup2(saved, 2);
    close(saved);
    close(null);
    EXPECT_EQ(jumped, 2); // ended with status -1
    resetForHarness();
    // The unit was closed on the way out: the file can be rewritten and read afresh.
    openUnit("bad.out");
    writeRecord(Unit::file, parseLayout("(A)"), {out("1.5")});
    rewindUnit();
    ASSERT_TRUE(readRecord(Unit::file, f, {in(v)}));
    EXPECT_EQ(v, 1.5f);
    int n = 0;
    readListValue(n);
    EXPECT_EQ(n, 7);
}

TEST(FindSubstring, MatchesBytesIncludingTrailingBlanks) {
    EXPECT_EQ(findSubstring("------------", "---"), 1);
    EXPECT_EQ(findSubstring(" Center     Atomic", "Atomic"), 13);
    EXPECT_EQ(findSubstring("    ATOM AN    X", "Atom AN"), 0);
    EXPECT_EQ(findSubstring("ab", "abc"), 0);
    EXPECT_EQ(findSubstring("ab", ""), 1);
    EXPECT_EQ(findSubstring(FixedText<8>("AN").view(), "AN  "), 1);
    EXPECT_EQ(findSubstring(FixedText<3>("xAN").view(), "AN "), 0);
}

} // namespace
