// The spectrum picture as files, drawn from vibrations copied by hand from g16-water.log
// (Gaussian 16):
//    Frequencies --   1668.2293   3866.1598   3976.5311
//    IR Inten    --     89.6988     8.4803    44.2991
// The SVG is read back as XML: its sticks, ticks and curve stand where the numbers put them,
// worked out here by hand. At 1200 x 600 with one panel and no note line the frame runs from
// x = 92 to 1172 and from y = 50 to 544; the wavenumber axis from 4100 (at the left) to 0, the
// intensity axis from 0 to 120 km/mol. The PNG is decoded with cairo, the PDF checked for its
// signature, page and end; a failure leaves no file.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plot/spectrum.h"
#include "tests/plot/svg_lines.h"
#include "tests/support/scratch.h"

namespace {

using testsupport::ScratchDir;

reader::ModeList modes;

void water() {
    modes = reader::ModeList{};
    const double frequency[] = {1668.2293, 3866.1598, 3976.5311};
    const double intensity[] = {89.6988, 8.4803, 44.2991};
    for (int i = 0; i < 3; ++i) {
        modes.frequency[i] = frequency[i];
        modes.intensity[i] = intensity[i];
    }
    modes.count = 3;
    modes.hasIntensities = true;
}

// x of a wavenumber on the 4100 to 0 axis of the 1080 pixels wide frame.
double xAt(double wavenumber) { return 92 + 1080 * (4100 - wavenumber) / 4100; }

// Writes the picture and reads it back as SVG.
svgtest::Picture svgOf(const ScratchDir& dir, const spectrum::Picture& size = {}) {
    const char* why = "";
    EXPECT_TRUE(spectrum::writePicture(modes, "/some/where/g16-water.log", size,
                                       dir.file("water.svg").c_str(), why))
        << why;
    svgtest::Picture svg;
    std::string parseWhy;
    EXPECT_TRUE(svgtest::parse(dir.read("water.svg"), svg, parseWhy)) << parseWhy;
    return svg;
}

// Sticks: vertical pieces rising from the baseline y0 into the frame (not up to its top,
// where grid lines end).
int stickCount(const svgtest::Picture& svg, double y0, double top) {
    int count = 0;
    for (const svgtest::Segment& s : svg.segments)
        if (s.x1 == s.x2 && std::fabs(s.y1 - y0) < 0.01 && s.y2 < y0 - 0.5 && s.y2 > top + 0.5)
            ++count;
    return count;
}

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(SpectrumPicture, SvgSticksTicksAndCurveStandWhereTheNumbersPutThem) {
    const spectrum::Box frame = spectrum::layoutPicture(1200, 600, 1, 0).plot[0];
    EXPECT_EQ(frame.left, 92);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(frame.width, 1080);
    EXPECT_EQ(frame.height, 494);

    ScratchDir dir;
    water();
    const svgtest::Picture svg = svgOf(dir);
    EXPECT_EQ(svg.width, "1200px");
    EXPECT_EQ(svg.height, "600px");
    EXPECT_EQ(svg.viewBox, "0 0 1200 600");

    // A stick per vibration, from the baseline up to its intensity.
    EXPECT_EQ(stickCount(svg, 544, 50), 3);
    for (int i = 0; i < 3; ++i) {
        const double x = xAt(modes.frequency[i]);
        EXPECT_TRUE(svgtest::hasSegment(svg, x, 544, x, 544 - modes.intensity[i] * 494 / 120))
            << modes.frequency[i];
    }
    // The bend's stick: 92 + 1080 x 2431.7707 / 4100 = 732.5640, up to 544 - 369.2600.
    EXPECT_TRUE(svgtest::hasSegment(svg, 732.5640, 544, 732.5640, 174.7400));
    // Labelled ticks every 500 cm**-1, 6 long; a short one at the left end, 4100.
    for (int v = 0; v <= 4000; v += 500)
        EXPECT_TRUE(svgtest::hasSegment(svg, xAt(v), 544, xAt(v), 550)) << v;
    EXPECT_TRUE(svgtest::hasSegment(svg, 92, 544, 92, 547.5));
    // Intensity ticks every 20 km/mol, pointing left.
    for (int v = 0; v <= 120; v += 20)
        EXPECT_TRUE(svgtest::hasSegment(svg, 92, 544 - v * 494.0 / 120, 86, 544 - v * 494.0 / 120))
            << v;
    // The curve over the bend's stick: 89.6988 plus the tails of the others, 0.0003.
    EXPECT_TRUE(svgtest::hasPoint(svg, 732.5640, 544 - 89.69905 * 494 / 120));
    // Twice as wide: 89.6988 + 8.4803 x 100 / 4830897 + 44.2991 x 100 / 5328258 = 89.69901.
    const svgtest::Picture wide = svgOf(dir, {20, 1200, 600});
    EXPECT_TRUE(svgtest::hasPoint(wide, 732.5640, 544 - 89.69901 * 494 / 120));
    EXPECT_FALSE(svgtest::hasPoint(wide, 732.5640, 544 - 89.69905 * 494 / 120, 0.0005));
}

TEST(SpectrumPicture, RamanPanelBelowWhereTheFileHoldsActivities) {
    ScratchDir dir;
    water();
    modes.hasRaman = true; // as Gaussian 98 prints them when Raman was not asked for
    EXPECT_EQ(stickCount(svgOf(dir), 544, 50), 3);

    // Activities made up for the test: two panels 225 high, from y = 50 and 319.
    const double activity[] = {5.1, 60.2, 20.4};
    for (int i = 0; i < 3; ++i) modes.ramanActivity[i] = activity[i];
    const svgtest::Picture svg = svgOf(dir);
    EXPECT_EQ(stickCount(svg, 275, 50), 3);
    EXPECT_EQ(stickCount(svg, 544, 319), 3);
    for (int i = 0; i < 3; ++i) {
        const double x = xAt(modes.frequency[i]);
        // IR as before, 0 to 120; Raman: 60.2 + 0.0419 from its neighbour, x 1.12 = 67.47,
        // in steps of 10 up to 70.
        EXPECT_TRUE(svgtest::hasSegment(svg, x, 275, x, 275 - modes.intensity[i] * 225 / 120));
        EXPECT_TRUE(svgtest::hasSegment(svg, x, 544, x, 544 - activity[i] * 225 / 70));
    }
}

TEST(SpectrumPicture, WithoutIntensitiesEveryStickIsOneHigh) {
    ScratchDir dir;
    water();
    modes.hasIntensities = false;
    const svgtest::Picture svg = svgOf(dir);
    // A note line: y = 519, 469 high. The tallest peak 1.0021: the axis goes to 1.2.
    EXPECT_EQ(stickCount(svg, 519, 50), 3);
    for (int i = 0; i < 3; ++i) {
        const double x = xAt(modes.frequency[i]);
        EXPECT_TRUE(svgtest::hasSegment(svg, x, 519, x, 519 - 469 / 1.2)) << i;
    }
    // No intensity ticks, so no numbers on that axis.
    EXPECT_FALSE(svgtest::hasSegment(svg, 92, 519, 86, 519));
}

TEST(SpectrumPicture, PngAndPdfFromTheSameDrawing) {
    ScratchDir dir;
    water();
    const char* why = "";
    ASSERT_TRUE(spectrum::writePicture(modes, "g16-water.log", {}, dir.file("w.png").c_str(), why))
        << why;
    EXPECT_EQ(dir.read("w.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file("w.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 1200);
    EXPECT_EQ(cairo_image_surface_get_height(png), 600);
    const auto pixel = [&](int x, int y) {
        const unsigned char* row =
            cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png);
        return *reinterpret_cast<const std::uint32_t*>(row + 4 * x) & 0xffffff;
    };
    // The bend's stick at x = 732.56 is drawn (dark) halfway up; 30 pixels to its right the
    // frame is empty (white); the paper outside the frame is white too.
    EXPECT_LT(pixel(732, 360) & 0xff, 0x80) << std::hex << pixel(732, 360);
    EXPECT_EQ(pixel(762, 360), 0xffffffu);
    EXPECT_EQ(pixel(5, 595), 0xffffffu);
    cairo_surface_destroy(png);

    ASSERT_TRUE(spectrum::writePicture(modes, "g16-water.log", {10, 800, 400},
                                       dir.file("small.png").c_str(), why))
        << why;
    png = cairo_image_surface_create_from_png(dir.file("small.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 800);
    EXPECT_EQ(cairo_image_surface_get_height(png), 400);
    cairo_surface_destroy(png);

    ASSERT_TRUE(spectrum::writePicture(modes, "g16-water.log", {}, dir.file("w.PDF").c_str(), why))
        << why;
    const std::string pdf = dir.read("w.PDF");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 1200 600 ]"), std::string::npos);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    EXPECT_GT(pdf.size(), 4000u);
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"small.png", "w.PDF", "w.png"}));
}

TEST(SpectrumPicture, FailuresLeaveNoFile) {
    ScratchDir dir;
    water();
    std::filesystem::create_directory(dir.file("taken.svg"));
    dir.write("old.png", "an older file");
    struct Case {
        std::string path, reason;
    } cases[] = {
        {dir.file("ir.jpg"), "the name must end in .svg, .png or .pdf"},
        {dir.file("ir"), "the name must end in .svg, .png or .pdf"},
        {dir.file("missing/ir.png"), "No such file or directory"},
        {dir.file("taken.svg"), "Is a directory"},
    };
    for (const Case& c : cases) {
        const char* why = "";
        EXPECT_FALSE(spectrum::writePicture(modes, "g16-water.log", {}, c.path.c_str(), why));
        EXPECT_STREQ(why, c.reason.c_str()) << c.path;
        EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"old.png", "taken.svg"}));
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("taken.svg")));
    }
    // A file name in another encoding than UTF-8 is no reason to fail.
    const char* why = "";
    EXPECT_TRUE(
        spectrum::writePicture(modes, "caf\xe9\xc3.log", {}, dir.file("n.svg").c_str(), why))
        << why;
    // A picture that is written replaces the file of its name.
    ASSERT_TRUE(
        spectrum::writePicture(modes, "g16-water.log", {}, dir.file("old.png").c_str(), why));
    EXPECT_EQ(dir.read("old.png").substr(1, 3), "PNG");
}
