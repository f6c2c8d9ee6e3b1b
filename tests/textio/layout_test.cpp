// Parsing layouts into edit descriptors.
#include "tests/textio/support.h"
#include "textio/textio.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using textio::EditDescriptor;

// Writes the descriptors back as a compact text: "13X F3.0 A A70 I5".
std::string describe(const textio::Layout& l) {
    std::string s;
    for (int i = 0; i < l.count; ++i) {
        const EditDescriptor& d = l.items[i];
        if (!s.empty()) s += ' ';
        // Appended piece by piece: "literal" + std::to_string(...) trips a false -Wrestrict in
        // GCC 12 at -O3.
        switch (d.kind) {
        case EditDescriptor::skip:
            s += std::to_string(d.width);
            s += 'X';
            break;
        case EditDescriptor::text:
            s += 'A';
            if (d.width) s += std::to_string(d.width);
            break;
        case EditDescriptor::integer:
            s += 'I';
            s += std::to_string(d.width);
            break;
        case EditDescriptor::real:
            s += 'F';
            s += std::to_string(d.width);
            s += '.';
            s += std::to_string(d.decimals);
            break;
        }
    }
    return s;
}

TEST(Layout, ParsesTheProgramsLayouts) {
    const struct {
        const char* text;
        const char* descriptors;
    } cases[] = {
        {"(A)", "A"},
        {"(9X,A70)", "9X A70"},
        {"(5X,F3.0,49X,F6.2,1X,F6.2,1X,F6.2)", "5X F3.0 49X F6.2 1X F6.2 1X F6.2"},
        {"(13X,F3.0,18X,F12.8,F13.8,F13.8)", "13X F3.0 18X F12.8 F13.8 F13.8"},
        {"(I5,7X,F4.0,7X,F9.6,2X,F9.6,2X,F9.6)", "I5 7X F4.0 7X F9.6 2X F9.6 2X F9.6"},
        {" ( a41 , f4.2 ) ", "A41 F4.2"},        // blanks and lower case
        {"(I5,3F12.6)", "I5 F12.6 F12.6 F12.6"}, // repeat count
        {"()", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(describe(textio::parseLayout(c.text)), c.descriptors);
}

TEST(Layout, EndsTheRunOnALayoutItCannotWork) {
    const struct {
        const char* text;
        const char* diagnostic;
    } cases[] = {
        {"A", "cannot work the layout \"A\": a layout begins with \"(\" (at character 1)"},
        {"(F6)", "cannot work the layout \"(F6)\": F needs decimals, as in F6.2 (at character 4)"},
        {"(5X,E12.4)", "cannot work the layout \"(5X,E12.4)\": only nX, A, Aw, Iw and Fw.d "
                       "are known (at character 5)"},
        {"(X)", "cannot work the layout \"(X)\": X needs a count, as in 5X (at character 3)"},
        {"(A0)",
         "cannot work the layout \"(A0)\": a field width must be at least 1 (at character 4)"},
        {"(A",
         "cannot work the layout \"(A\": descriptors are separated by \",\" (at character 3)"},
        {"(17A1)", "cannot work the layout \"(17A1)\": too many descriptors (at character 6)"},
    };
    for (const auto& c : cases) {
        const auto end = testsupport::guarded([&] { textio::parseLayout(c.text); });
        EXPECT_EQ(end.status, -1) << c.text;
        EXPECT_EQ(end.diagnostic(), std::string("*ERR* 108 ") + c.diagnostic + "\r\n");
    }
}

} // namespace
