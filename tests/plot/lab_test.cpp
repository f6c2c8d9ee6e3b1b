// The spectrum held against the lab: frequencies scaled, the axis narrowed to a range, a
// measured spectrum drawn over the computed one (its colour found in the pixels), and the
// curves written as CSV (read back by libcsv); a measured file that cannot be read refused
// with its line.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/plot/svg_lines.h"
#include "tests/support/csv_rows.h"
#include "tests/support/program_dir.h"

namespace {

using testsupport::Outcome;
const std::string jcamp = std::string(MOLVANE_TEST_DATA) + "/jcamp/";
const std::string water = std::string(MOLVANE_EXAMPLES_DIR) + "/water-optfreq.out";

class LabSpectrum : public ::testing::Test {
  protected:
    void SetUp() override { dir.copyIn(water, "water.log"); }
    Outcome run(const std::string& arguments) const {
        return dir.runWithArguments(MOLVANE_BINARY, arguments, "");
    }
    // Pixels of the measured spectrum's colour (217, 84, 13) in a PNG.
    int labPixels(const std::string& name) const {
        cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file(name).c_str());
        EXPECT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
        const int width = cairo_image_surface_get_width(png);
        const int height = cairo_image_surface_get_height(png);
        const int stride = cairo_image_surface_get_stride(png);
        const unsigned char* data = cairo_image_surface_get_data(png);
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned pixel =
                    *reinterpret_cast<const unsigned*>(data + y * stride + 4 * x);
                const int r = (pixel >> 16) & 255, g = (pixel >> 8) & 255, b = pixel & 255;
                count += std::abs(r - 217) < 12 && std::abs(g - 84) < 12 && std::abs(b - 13) < 12;
            }
        cairo_surface_destroy(png);
        return count;
    }
    testsupport::ProgramDir dir;
};

TEST_F(LabSpectrum, ScaledSticksOnTheRangeAsked) {
    // Frequencies 1688.7652, 3852.0432, 3904.9564 times 0.967, intensities 75.4513, 4.7617,
    // 20.9906; the axis from 4000 down to 1000 over x = 92..1172, 0 to 100 over y = 544..50.
    const Outcome r = run("--spectrum ir.svg --scale 0.967 --range 1000:4000 water.log");
    ASSERT_EQ(r.status, 0) << r.err;
    svgtest::Picture picture;
    std::string why;
    ASSERT_TRUE(svgtest::parse(dir.read("ir.svg"), picture, why)) << why;
    const double frequency[] = {1688.7652, 3852.0432, 3904.9564};
    const double intensity[] = {75.4513, 4.7617, 20.9906};
    for (int i = 0; i < 3; ++i) {
        const double x = 92 + 1080 * (4000 - 0.967 * frequency[i]) / 3000;
        EXPECT_TRUE(svgtest::hasSegment(picture, x, 544, x, 544 - intensity[i] * 494 / 100)) << i;
    }
    // Ticks at every 100 cm-1 from 1000 to 4000, none beyond.
    const std::vector<double> ticks = svgtest::verticalsFrom(picture, 544);
    for (const double x : ticks) EXPECT_TRUE(x >= 91.5 && x <= 1172.5) << x;
    EXPECT_TRUE(svgtest::hasSegment(picture, 92 + 1080 * 1000.0 / 3000, 544, 92 + 360, 550));
}

TEST_F(LabSpectrum, MeasuredSpectrumDrawnOverTheComputedOne) {
    Outcome r = run("--spectrum plain.png water.log");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(labPixels("plain.png"), 0);
    for (const char* file : {"dupdec2.jdx", "pacdec1.jdx", "sqzdupd1.jdx"}) {
        r = run("--spectrum lab.png --scale 0.967 --experiment '" + jcamp + file + "' water.log");
        ASSERT_EQ(r.status, 0) << file << r.err;
        EXPECT_EQ(r.out, "Wrote lab.png (IR spectrum, 3 vibrations, 1200 x 600)\r\n");
        EXPECT_GT(labPixels("lab.png"), 800) << file; // the curve and the legend's line
    }
    dir.write("lab.csv", "wavenumber,absorbance\n1500,0.1\n1600,0.9\n1700,0.2\n");
    r = run("--spectrum two.png --experiment lab.csv water.log");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_GT(labPixels("two.png"), 300);
}

using Rows = testsupport::CsvRows;
using testsupport::parseCsv;

TEST_F(LabSpectrum, CurvesAsCsvEveryWavenumber) {
    dir.write("lab.txt", "1500 0.1\n1600 0.9\n1700 0.2\n");
    const Outcome r =
        run("--spectrum curves.csv --scale 0.967 --range 1000:2000 --experiment lab.txt water.log");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote curves.csv (IR spectrum, 3 vibrations, every 1 cm-1)\r\n");
    const Rows rows = parseCsv(dir.read("curves.csv"));
    ASSERT_EQ(rows.size(), 1002u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"wavenumber_cm-1", "ir_km/mol",
                                                 "measured_absorbance_scaled"}));
    double highest = 0, labHighest = 0;
    int peakAt = 0;
    for (std::size_t k = 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].size(), 3u);
        EXPECT_EQ(std::stoi(rows[k][0]), 999 + int(k));
        const double ir = std::stod(rows[k][1]);
        if (ir > highest) highest = ir, peakAt = std::stoi(rows[k][0]);
        const int x = std::stoi(rows[k][0]);
        EXPECT_EQ(rows[k][2].empty(), x < 1500 || x > 1700) << x;
        if (!rows[k][2].empty()) labHighest = std::max(labHighest, std::stod(rows[k][2]));
    }
    EXPECT_EQ(peakAt, 1633); // 1688.7652 x 0.967 = 1633.04
    // The measured peak is brought up to the computed curve's; both near 75.5 km/mol.
    EXPECT_NEAR(labHighest, highest, 0.02 * highest);
    EXPECT_NEAR(std::stod(rows[1 + 600][2]) / labHighest, 1, 1e-9); // at 1600, its highest point
    EXPECT_NEAR(std::stod(rows[1 + 550][2]) / labHighest, 0.5 / 0.9, 1e-4);
}

TEST_F(LabSpectrum, MeasuredFileThatCannotBeReadNamesItsLine) {
    std::string text = testsupport::readFile(jcamp + "dupdec2.jdx");
    text.replace(text.find("\n4350E871"), 9, "\n4350E872");
    dir.write("damaged.jdx", text);
    dir.write("short.txt", "1500 0.1\n1600\n");
    struct Case {
        std::string arguments, line;
    } cases[] = {
        {"--spectrum a.png --experiment damaged.jdx water.log",
         "molvane: cannot read the measured spectrum \"damaged.jdx\", line 26: the line's first Y "
         "does not repeat the last Y of the line before (Y check)\n"},
        {"--spectrum a.csv --experiment short.txt water.log",
         "molvane: cannot read the measured spectrum \"short.txt\", line 2: expected two numbers "
         "(wavenumber and absorbance)\n"},
        {"--spectrum a.svg --experiment '" + jcamp + "dupinc1.jdx' water.log",
         "molvane: cannot read the measured spectrum \"" + jcamp +
             "dupinc1.jdx\": its X unit is neither 1/CM nor MICROMETERS\n"},
        {"--spectrum a.svg --experiment none.jdx water.log",
         "molvane: cannot read the measured spectrum \"none.jdx\": No such file or directory\n"},
    };
    const testsupport::Snapshot before = dir.snapshot();
    for (const Case& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, 1) << c.arguments;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.line);
        EXPECT_EQ(dir.snapshot(), before) << c.arguments;
    }
}

} // namespace
