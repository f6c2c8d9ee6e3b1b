// Two columns of text as spreadsheets and instrument software export them, and the choice
// between the two kinds by content.
#include <gtest/gtest.h>

#include <string>

#include "measured/measured.h"
#include "tests/support/scratch_dir.h"

namespace {

measured::Data spectrum;

struct Text {
    const char* name;
    const char* bytes;
};

void PrintTo(const Text& t, std::ostream* out) { *out << t.name; }

class TwoColumnSeparators : public testing::TestWithParam<Text> {};

TEST_P(TwoColumnSeparators, ReadAsWavenumberAndAbsorbanceRising) {
    testsupport::ScratchDir dir;
    long long line = -1;
    const char* why = "";
    ASSERT_TRUE(measured::readSpectrum(dir.write("lab.txt", GetParam().bytes), spectrum, line, why))
        << "line " << line << ": " << why;
    ASSERT_EQ(spectrum.count, 3);
    EXPECT_DOUBLE_EQ(spectrum.x[0], 1000);
    EXPECT_DOUBLE_EQ(spectrum.y[0], 0.5);
    EXPECT_DOUBLE_EQ(spectrum.x[2], 3000.5);
    EXPECT_DOUBLE_EQ(spectrum.y[2], 1.25e-2);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TwoColumnSeparators,
    testing::Values(Text{"Csv",
                         "wavenumber,absorbance\r\n3000.5,1.25e-2\r\n2000,0.25\r\n1000,0.5\r\n"},
                    Text{"Tabs", "# from the FTIR\n3000.5\t1.25e-2\n\n2000\t0.25\n1000\t0.5"},
                    Text{"Blanks", "  cm-1    A\n 1000   0.5\n 3000.5 1.25e-2 \n 2000 0.25\n"},
                    Text{"Semicolons", "1000;0.5\n3000.5 ; 1.25e-2\n2000;0.25;extra\n"}),
    [](const testing::TestParamInfo<Text>& info) { return std::string(info.param.name); });

TEST(TwoColumnFaults, RefusedAtTheLineThatIsNotTwoNumbers) {
    testsupport::ScratchDir dir;
    long long line = 0;
    const char* why = "";
    const char* const texts[][2] = {
        {"x,y\n1000,0.5\n2000\n", "3"},     // one column
        {"x,y\n1000,0.5\n2000,abc\n", "3"}, // not a number
        {"x,y\nunits,A\n1000,0.5\n", "2"},  // a second header line
        {"1000,0.5\n2000,1e999\n", "2"},    // beyond a double
    };
    for (const auto& text : texts) {
        EXPECT_FALSE(measured::readSpectrum(dir.write("bad.csv", text[0]), spectrum, line, why))
            << text[0];
        EXPECT_EQ(line, std::stoll(text[1])) << text[0];
        EXPECT_STREQ(why, "expected two numbers (wavenumber and absorbance)");
    }
    EXPECT_FALSE(
        measured::readSpectrum(dir.write("one.csv", "x,y\n1000,0.5\n"), spectrum, line, why));
    EXPECT_STREQ(why, "it holds fewer than two points");
    EXPECT_FALSE(measured::readSpectrum(dir.file("none.csv"), spectrum, line, why));
    EXPECT_EQ(line, 0);
    EXPECT_FALSE(measured::readSpectrum(dir.path(), spectrum, line, why));
    EXPECT_STREQ(why, "it is a directory");
}

} // namespace
