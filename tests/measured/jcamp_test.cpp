// JCAMP-DX files from public collections, one of each ASDF form (AFFN, PAC, SQZ, DIF, DUP)
// and a peak table, read and held against what their own header says: the count of points,
// the first and last X, the first Y. Then damaged copies of them, each refused with the line
// at fault and the check it failed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "measured/measured.h"
#include "tests/support/scratch_dir.h"

namespace {

const std::string data = std::string(MOLVANE_TEST_DATA) + "/jcamp/";
measured::Data spectrum;

// The header's numbers by label ("NPOINTS", "FIRSTY", ...), as the test reads them itself.
std::map<std::string, double> headerOf(const std::string& text) {
    std::map<std::string, double> header;
    std::size_t at = 0;
    while ((at = text.find("##", at)) != std::string::npos) {
        const std::size_t equals = text.find('=', at), end = text.find('\n', at);
        if (equals < end) {
            std::string label;
            for (char c : text.substr(at + 2, equals - at - 2))
                if (c != ' ') label += c;
            const std::string value = text.substr(equals + 1, end - equals - 1);
            char* stop = nullptr;
            const double number = std::strtod(value.c_str(), &stop);
            if (stop != value.c_str() && !header.count(label)) header[label] = number;
        }
        at = end;
    }
    return header;
}

bool near(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * std::fmax(1, std::fabs(b));
}

struct Sample {
    const char* file;
    const char* forms; // what the file's data lines are written in
};

void PrintTo(const Sample& s, std::ostream* out) { *out << s.file; }

class RealJcampFiles : public testing::TestWithParam<Sample> {};

TEST_P(RealJcampFiles, ReadAgainstTheirOwnHeader) {
    const std::string path = data + GetParam().file;
    const auto header = headerOf(testsupport::readFile(path));
    long long line = -1;
    const char* why = "";
    ASSERT_TRUE(measured::readJcamp(path, spectrum, line, why)) << "line " << line << ": " << why;
    ASSERT_EQ(spectrum.count, header.at("NPOINTS"));
    const int last = spectrum.count - 1;
    if (!spectrum.peaks) {
        EXPECT_TRUE(near(spectrum.x[0], header.at("FIRSTX"), 1e-9));
        EXPECT_TRUE(near(spectrum.x[last], header.at("LASTX"), 1e-9));
    }
    // FIRSTY is written to a few digits: it agrees within a unit of the data's last digit.
    const double unit = header.count("YFACTOR") ? header.at("YFACTOR") : 1;
    EXPECT_NEAR(spectrum.y[0], header.at("FIRSTY"), 1.01 * unit + 1e-4 * std::fabs(spectrum.y[0]))
        << GetParam().forms;
    if (header.count("LASTY")) {
        EXPECT_NEAR(spectrum.y[last], header.at("LASTY"), 1.01 * unit);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, RealJcampFiles,
                         testing::Values(Sample{"fixinc4.jdx", "AFFN"},
                                         Sample{"pacdec1.jdx", "PAC"},
                                         Sample{"sqzdupd1.jdx", "SQZ and DUP"},
                                         Sample{"dupdec1.jdx", "SQZ, DIF, DUP"},
                                         Sample{"dupdec2.jdx", "SQZ, DIF, DUP"},
                                         Sample{"dupinc1.jdx", "DIF, DUP rising"},
                                         Sample{"pktab1.jdx", "PEAK TABLE (XY..XY)"}),
                         [](const testing::TestParamInfo<Sample>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(JcampValues, DecodedPointsMatchTheFilesOwnNumbers) {
    // dupdec2.jdx, line 25:
    // "4400E839J4QNQrj9LJ0Qk%opKnTJ4mjQjTQj4mNJ0Mj1TPJ7KTlmKjTJ1LJ1nj4j0JLMjJ" E839 is 5839, J4
    // adds 14, Q adds 8, N adds 5, Q adds 8, r takes 9, j9 takes 19.
    long long line = 0;
    const char* why = "";
    ASSERT_TRUE(measured::readJcamp(data + "dupdec2.jdx", spectrum, line, why)) << why;
    const double expected[] = {5839, 5853, 5861, 5866, 5874, 5865, 5846};
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(spectrum.y[i], expected[i] * 0.0001, 1e-12) << i;
    EXPECT_DOUBLE_EQ(spectrum.x[1], 4399);
    // pktab1.jdx: "41,520 43,1000 55,630 ..." after "0,0".
    ASSERT_TRUE(measured::readJcamp(data + "pktab1.jdx", spectrum, line, why)) << why;
    EXPECT_TRUE(spectrum.peaks);
    EXPECT_EQ(spectrum.x[2], 43);
    EXPECT_EQ(spectrum.y[2], 1000);
}

TEST(JcampSpectrum, TransmittanceInPercentBecomesAbsorbanceOverRisingWavenumbers) {
    long long line = 0;
    const char* why = "";
    // dupdec1.jdx: 1/CM from 4400 down to 450, %T up to 87.1 (FIRSTY 82.25).
    ASSERT_TRUE(measured::readJcamp(data + "dupdec1.jdx", spectrum, line, why)) << why;
    double lowest = 100;
    for (int i = 0; i < spectrum.count; ++i) lowest = std::fmin(lowest, spectrum.y[i]);
    ASSERT_TRUE(measured::readSpectrum(data + "dupdec1.jdx", spectrum, line, why)) << why;
    EXPECT_EQ(spectrum.x[0], 450);
    EXPECT_EQ(spectrum.x[spectrum.count - 1], 4400);
    EXPECT_NEAR(spectrum.y[spectrum.count - 1], -std::log10(0.8225), 1e-9);
    double highest = 0;
    for (int i = 0; i < spectrum.count; ++i) highest = std::fmax(highest, spectrum.y[i]);
    EXPECT_NEAR(highest, -std::log10(lowest / 100), 1e-9);
    double a = 0;
    EXPECT_TRUE(measured::absorbanceAt(spectrum, 4399.5, a));
    EXPECT_NEAR(a, (spectrum.y[spectrum.count - 1] + spectrum.y[spectrum.count - 2]) / 2, 1e-12);
    EXPECT_FALSE(measured::absorbanceAt(spectrum, 449.9, a));
    // Units the overlay cannot place are refused: nanometres, m/z.
    for (const char* file : {"dupinc1.jdx", "pktab1.jdx", "fixinc4.jdx"}) {
        EXPECT_FALSE(measured::readSpectrum(data + file, spectrum, line, why)) << file;
        EXPECT_EQ(line, 0);
        EXPECT_STREQ(why, "its X unit is neither 1/CM nor MICROMETERS");
    }
}

TEST(JcampSpectrum, MicrometresBecomeWavenumbers) {
    testsupport::ScratchDir dir;
    const std::string path =
        dir.write("um.jdx", "##TITLE= made here\r\n##XUNITS= MICROMETERS\r\n"
                            "##YUNITS= ABSORBANCE\r\n##FIRSTX= 2.5\r\n"
                            "##LASTX= 10\r\n##NPOINTS= 4\r\n"
                            "##XYDATA= (X++(Y..Y))\r\n2.5 1 2 3 4\r\n##END=\r\n");
    long long line = 0;
    const char* why = "";
    ASSERT_TRUE(measured::readSpectrum(path, spectrum, line, why)) << why;
    ASSERT_EQ(spectrum.count, 4);
    EXPECT_DOUBLE_EQ(spectrum.x[0], 1000); // 10 um, last in the file, first rising
    EXPECT_DOUBLE_EQ(spectrum.y[0], 4);
    EXPECT_DOUBLE_EQ(spectrum.x[3], 4000);
}

TEST(JcampSpectrum, TransmittanceAsAFractionIsFlooredBeforeItsLogarithm) {
    testsupport::ScratchDir dir;
    const std::string path = dir.write("t.jdx", "##TITLE= made here\n##XUNITS= 1/CM\n"
                                                "##YUNITS= TRANSMITTANCE\n##FIRSTX= 1000\n"
                                                "##LASTX= 1003\n##NPOINTS= 4\n##YFACTOR= 0.5\n"
                                                "##XYDATA= (X++(Y..Y))\n1000 1 0 2 3\n##END=\n");
    long long line = 0;
    const char* why = "";
    ASSERT_TRUE(measured::readSpectrum(path, spectrum, line, why)) << why;
    ASSERT_EQ(spectrum.count, 4);
    EXPECT_NEAR(spectrum.y[0], -std::log10(0.5), 1e-12); // 1.5 at most: not percent
    EXPECT_NEAR(spectrum.y[1], 4, 1e-12);                // T = 0, floored at 1e-4
    EXPECT_NEAR(spectrum.y[2], 0, 1e-12);
    EXPECT_NEAR(spectrum.y[3], -std::log10(1.5), 1e-12);
}

// A real file with one line changed, and what the reader must say.
struct Damage {
    const char* name;
    const char* file;
    const char* from; // text replaced (its first occurrence)
    const char* to;
    long long line;
    const char* why;
};

void PrintTo(const Damage& d, std::ostream* out) { *out << d.name; }

class DamagedJcamp : public testing::TestWithParam<Damage> {};

TEST_P(DamagedJcamp, RefusedAtTheLineWithTheCheckItFails) {
    const Damage& d = GetParam();
    std::string text = testsupport::readFile(data + d.file);
    const std::size_t at = text.find(d.from);
    ASSERT_NE(at, std::string::npos) << d.from;
    text.replace(at, std::strlen(d.from), d.to);
    testsupport::ScratchDir dir;
    long long line = 0;
    const char* why = "";
    EXPECT_FALSE(measured::readJcamp(dir.write("damaged.jdx", text), spectrum, line, why));
    EXPECT_EQ(line, d.line);
    EXPECT_STREQ(why, d.why);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, DamagedJcamp,
    testing::Values(
        // The second data line's first Y (E871) must repeat the first line's last (...jJ).
        Damage{"YCheck", "dupdec2.jdx", "\n4350E871", "\n4350E872", 26,
               "the line's first Y does not repeat the last Y of the line before (Y check)"},
        // A line lost: the next line's X is no longer where the count of points puts it.
        Damage{"XCheck", "dupdec2.jdx",
               "4350E871J2TKTmj5rNJ6J1njJ0KoKLjkj0OkjPmnJ4J0oTkoKPm%NnpLn%Rqj4PK0J1j5j6\r\n", "",
               26, "the line's X is more than one spacing from FIRSTX + i x DELTAX (X check)"},
        Damage{"Count", "pacdec1.jdx", "##NPOINTS=3301", "##NPOINTS=3302", 308,
               "the count of points is not ##NPOINTS"},
        Damage{"Character", "sqzdupd1.jdx", "\n4996.42B1407", "\n4996.42B14#7", 25,
               "a character of no ASDF form"},
        Damage{"Missing", "fixinc4.jdx", "23960446", "?", 18, "a missing value (?) in the data"},
        Damage{"DupFirst", "dupdec2.jdx", "\n4350E871", "\n4350S3", 26,
               "a DUP count with no value before it"},
        Damage{"Header", "pacdec1.jdx", "##YFACTOR=0.01", "##YFACTOR=O.01", 22,
               "a header value that is not a number"},
        Damage{"NoData", "fixinc4.jdx", "##XYDATA=", "##XYDATA_NOT=", 0,
               "it holds no ##XYDATA, ##XYPOINTS or ##PEAK TABLE"},
        Damage{"PairHalf", "pktab1.jdx", "41,520 43,1000", "41,520 43", 23, "an X without its Y"}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

} // namespace
