// The edit descriptors' conversions on plain strings.
#include "textio/edit.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

using textio::detail::Conversion;
using textio::detail::Field;
using textio::detail::Record;

Record record(const std::string& s) { return {s.data(), int(s.size())}; }

struct RealCase {
    const char* field;
    int decimals;
    Conversion result;
    double value;
};

// Fw.d input, the whole line being the field (plus blanks beyond the line's end).
TEST(ReadF, ConvertsByTheFieldRules) {
    const RealCase cases[] = {
        {"  1.5", 2, Conversion::ok, 1.5},
        {"123", 2, Conversion::ok, 1.23}, // implied point
        {"   123", 2, Conversion::ok, 1.23},
        {" 1 2 3", 2, Conversion::ok, 1.23}, // blanks inside ignored
        {"12e1", 2, Conversion::ok, 1.2},    // implied point, then the exponent
        {"-.5", 2, Conversion::ok, -0.5},
        {"1.0-2", 2, Conversion::ok, 0.01}, // exponent by a sign alone
        {"2.5D+1", 1, Conversion::ok, 25.0},
        {"2.5q1", 1, Conversion::ok, 25.0},
        {"", 2, Conversion::ok, 0.0},       // all blank
        {"1e-999", 2, Conversion::ok, 0.0}, // underflow is no failure
        {"-10.413637", 6, Conversion::ok, -10.413637},
        {"1,5", 2, Conversion::bad, 0},
        {"NaN", 2, Conversion::bad, 0},
        {"Inf", 2, Conversion::bad, 0},
        {"+", 2, Conversion::bad, 0}, // a lone sign is no number
        {".", 2, Conversion::bad, 0},
        {"E5", 2, Conversion::bad, 0},
        {"1.0E", 2, Conversion::bad, 0},
        {"1.2.3", 2, Conversion::bad, 0},
        {"1e999", 2, Conversion::realOverflow, 0},
        {"-4.0e38", 2, Conversion::realOverflow, 0}, // beyond a single real only
    };
    for (const RealCase& c : cases) {
        const std::string line = c.field;
        float single = -7.0f;
        const Conversion got =
            textio::detail::readF(record(line), Field{1, 12}, c.decimals, single);
        EXPECT_EQ(got, c.result) << '"' << c.field << '"';
        if (c.result == Conversion::ok)
            EXPECT_EQ(single, float(c.value)) << c.field;
        else
            EXPECT_EQ(single, -7.0f) << c.field;
    }
}

TEST(ReadF, KeepsDoublePrecisionAndRoundsSinglesOnce) {
    const std::string line = "  -4e38   0.1000000000000000055511151231257827";
    double d = 0;
    EXPECT_EQ(textio::detail::readF(record(line), Field{1, 8}, 0, d), Conversion::ok);
    EXPECT_EQ(d, -4e38);
    // Just above 1 + 2^-24, the tie between 1 and the next float: rounding through a
    // double first lands on the tie and goes to even (1).
    const std::string tie = "1.000000059604644775390625000000000001";
    float f = 0;
    EXPECT_EQ(textio::detail::readF(record(tie), Field{1, int(tie.size())}, 0, f), Conversion::ok);
    EXPECT_EQ(f, std::nextafter(1.0f, 2.0f));
}

TEST(ReadA, TakesTheRightmostColumnsOfAWiderField) {
    const std::string line = "Filename:Output.dat";
    char text[6];
    textio::detail::readA(record(line), Field{10, 6}, text, 6);
    EXPECT_EQ(std::string(text, 6), "Output");
    textio::detail::readA(record(line), Field{10, 10}, text, 6); // wider: its right end
    EXPECT_EQ(std::string(text, 6), "ut.dat");
    textio::detail::readA(record(line), Field{17, 3}, text, 6); // narrower: blank padded
    EXPECT_EQ(std::string(text, 6), "dat   ");
    textio::detail::readA(record(line), Field{200, 6}, text, 6); // beyond the line
    EXPECT_EQ(std::string(text, 6), "      ");
}

struct WriteCase {
    int width, decimals;
    double value;
    const char* expected; // confirmed with gfortran's RC descriptor and -fno-sign-zero
};

TEST(WriteF, RoundsHalfAwayOnTheExactBinaryValue) {
    const WriteCase cases[] = {
        {4, 2, 0.125, "0.13"},
        {4, 2, 0.5, "0.50"},
        {4, 2, -0.5, "-.50"},
        {4, 2, 2.0, "2.00"},
        {4, 2, 0.005, "0.01"},
        {4, 2, 0.015, "0.01"},
        {4, 2, 2.675, "2.67"},
        {4, 2, 0.995, "0.99"},
        {4, 2, -0.004, "0.00"},
        {4, 0, 6.0, "  6."},
        {9, 6, -1.2345678, "-1.234568"},
        {9, 6, -10.5, "*********"},
        {9, 6, 10.5, "10.500000"},
        {9, 6, -0.0000004, " 0.000000"},
        {9, 6, -0.0, " 0.000000"},
        {5, 1, 0.25, "  0.3"},
        {5, 1, -0.25, " -0.3"},
        {3, 0, -0.4, " 0."},
        {2, 0, -0.6, "**"},
        {1, 0, 0.4, "*"},
        {3, 0, 0.5, " 1."},
        {6, 1, 999.95, "1000.0"},
        {5, 1, 999.95, "*****"},
        {12, 8, 1e-320, "  0.00000000"},
        {4, 1, -0.05, "-0.1"},
        {7, 0, -123456.5, "*******"},
        {5, 3, 1.0005, "1.000"},
        {4, 1, NAN, "****"},
        {6, 1, -INFINITY, "******"},
    };
    for (const WriteCase& c : cases) {
        char out[16] = {};
        textio::detail::writeF(out, c.width, c.decimals, c.value);
        EXPECT_EQ(std::string(out, std::size_t(c.width)), c.expected)
            << "F" << c.width << "." << c.decimals << " of " << c.value;
    }
}

TEST(WriteIA, JustifyAndCut) {
    char out[16];
    const struct {
        int width;
        long long value;
        const char* expected;
    } ints[] = {
        {5, 12, "   12"},
        {3, -99, "-99"},
        {3, -100, "***"},
        {1, 0, "0"},
        {11, -2147483648LL, "-2147483648"},
        {12, 2, "           2"},
    };
    for (const auto& c : ints) {
        textio::detail::writeI(out, c.width, c.value);
        EXPECT_EQ(std::string(out, std::size_t(c.width)), c.expected);
    }
    textio::detail::writeA(out, 5, "abc");
    EXPECT_EQ(std::string(out, 5), "  abc");
    textio::detail::writeA(out, 3, "abcdef");
    EXPECT_EQ(std::string(out, 3), "abc");
}

} // namespace
