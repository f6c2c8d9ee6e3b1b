// Free-form console statements: number reads and list lines.
#include "tests/textio/support.h"
#include "textio/textio.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace textio;

TEST(ReadListValue, TakesTheFirstValueOfTheFirstNonBlankLine) {
    textio_test::Workspace dir;
    const struct {
        const char* input;
        int expected;
    } ints[] = {
        {"5 7\n", 5},     {"\n   \n\t\r\n42\n", 42},
        {",\n", -1},      {" / 9\n", -1},
        {"3*4\n", 4},     {"2*\n", -1},
        {"-12,8\n", -12}, {"+7)\n", 7},
        {"9\r\n", 9},     {"  2147483647", 2147483647},
    };
    for (const auto& c : ints) {
        textio_test::feedConsole(c.input);
        int n = -1;
        readListValue(n);
        EXPECT_EQ(n, c.expected) << c.input;
    }
    const struct {
        const char* input;
        float expected;
    } reals[] = {
        {"0.5\n", 0.5f}, {"1d-1\n", 0.1f}, {"2.5E+1 x\n", 25.0f}, {"-.5\n", -0.5f},
        {"2\n", 2.0f},   {"\n,\n", -1.0f}, {"1q0\n", 1.0f},
    };
    for (const auto& c : reals) {
        textio_test::feedConsole(c.input);
        float v = -1.0f;
        readListValue(v);
        EXPECT_EQ(v, c.expected) << c.input;
    }
    textio_test::feedConsole("1 2\n3\n"); // the rest of a line is dropped
    int a = 0, b = 0;
    readListValue(a);
    readListValue(b);
    EXPECT_EQ(a * 10 + b, 13);
}

TEST(ReadListValue, EndsTheRunOnAnythingButANumber) {
    textio_test::Workspace dir;
    const struct {
        bool integer;
        const char* input;
        const char* diagnostic;
    } cases[] = {
        {true, "abc\n",
         "101 conversion error: \"abc\" is not an integer (console input, line 1, "
         "columns 1-3)"},
        {true, "\n  3.5\n",
         "101 conversion error: \"3.5\" is not an integer (console input, "
         "line 2, columns 3-5)"},
        {true, "two\n",
         "107 wrong type: \"two\" is a logical value where an integer is asked "
         "for (console input, line 1, columns 1-3)"},
        {true, "2147483648\n",
         "102 integer overflow: \"2147483648\" is too large for an "
         "integer (console input, line 1, columns 1-10)"},
        {true, "0*5\n",
         "101 conversion error: \"0*5\" is not a repeat count and value "
         "(console input, line 1, columns 1-3)"},
        {true, "", "104 end of file on console input after line 0"},
        {true, "\n \n", "104 end of file on console input after line 2"},
        {false, "F\n",
         "107 wrong type: \"F\" is a logical value where a number is asked for "
         "(console input, line 1, columns 1-1)"},
        {false, "1e39\n",
         "103 real overflow: \"1e39\" is too large for a single real (console "
         "input, line 1, columns 1-4)"},
        {false, "1.0-2\n",
         "101 conversion error: \"1.0-2\" is not a number (console input, "
         "line 1, columns 1-5)"},
        {false, "nan\n",
         "101 conversion error: \"nan\" is not a number (console input, line "
         "1, columns 1-3)"},
    };
    for (const auto& c : cases) {
        textio_test::feedConsole(c.input);
        const auto end = testsupport::guarded([&] {
            int n = 0;
            float v = 0;
            if (c.integer)
                readListValue(n);
            else
                readListValue(v);
        });
        EXPECT_EQ(end.status, -1) << c.input;
        EXPECT_EQ(end.diagnostic(), std::string("*ERR* ") + c.diagnostic + "\r\n");
    }
}

TEST(ConsoleOutput, ListLinesAndLayoutsEndWithCrLf) {
    textio_test::Workspace dir;
    textio_test::feedConsole("");
    const FixedText<70> name("Output.dat");
    writeListLine({out("Mode number:"), out(5), out(-12)});
    writeListLine({out("File: "), out(name)});
    writeListLine({});
    writeRecord(Unit::consoleOut, parseLayout("(A41,F4.2)"),
                {out("Vibration amplitude coefficient ........ :   "), out(0.125)});
    EXPECT_EQ(textio_test::consoleOutput(),
              "Mode number:           5         -12\r\n"
              "File: Output.dat" +
                  std::string(60, ' ') +
                  "\r\n"
                  "\r\n"
                  "Vibration amplitude coefficient ........ 0.13\r\n");
}

// A console line that would reach past column 1024 is not written: one diagnostic gives the
// field's columns, for a layout's field and for a free-form line alike.
TEST(ConsoleOutput, AFieldPastColumn1024EndsTheRunUnwritten) {
    textio_test::Workspace dir;
    textio_test::feedConsole("");
    static const std::string first(1000, 'x'), second(30, 'y'); // nothing to free after a run end
    auto end = testsupport::guarded(
        [] { writeRecord(Unit::consoleOut, parseLayout("(1000X,A30)"), {out("z")}); });
    EXPECT_EQ(end.status, -1);
    EXPECT_EQ(end.diagnostic(), "*ERR* 106 field beyond the record: A30 at columns 1001-1030 "
                                "would reach past column 1024\r\n");
    end = testsupport::guarded([] { writeListLine({out(first), out(second)}); });
    EXPECT_EQ(end.status, -1);
    EXPECT_EQ(end.diagnostic(), "*ERR* 106 field beyond the record: a free-form line at columns "
                                "1001-1030 would reach past column 1024\r\n");
    EXPECT_EQ(textio_test::consoleOutput(), "");
}

} // namespace
