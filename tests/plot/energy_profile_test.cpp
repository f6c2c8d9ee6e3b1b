// The energy profile's points: every point drawn where the axes put it (the PNG read back
// through cairo), the axes holding every point with the lowest at 0, and a failure leaving no
// file.
#include "plot/energy_profile.h"
#include "tests/support/scratch_dir.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A relaxed scan's relative energies (kcal/mol) at its scanned values, as Molvane's listing
// gives them for a real Gaussian 16 scan.
const double scanned[] = {180, 210, 240, 270, 300, 330, 360, 390, 420, 450, 480, 510, 540};
const double energy[] = {0.00, 0.83, 3.53, 5.47, 3.56, 0.83, 0.0,
                         0.83, 3.56, 5.47, 3.53, 0.83, 0.0};

plot::Profile scanProfile() {
    plot::Profile p;
    p.count = 13;
    p.x = scanned;
    p.y = energy;
    p.lowest = 6;
    p.marked = 3;
    p.xTitle = "Scanned value";
    p.fileName = "/some/where/scan.log";
    return p;
}

TEST(EnergyProfile, AxesHoldEveryPointFromZero) {
    spectrum::Axis x, y;
    plot::profileAxes(scanProfile(), x, y);
    EXPECT_LE(x.from, 180);
    EXPECT_GE(x.to, 540);
    EXPECT_EQ(y.from, 0);
    EXPECT_GT(y.to, 5.47);
    EXPECT_LT(y.to, 10);
}

TEST(EnergyProfile, EveryPointDrawnWhereTheAxesPutIt) {
    testsupport::ScratchDir dir;
    const std::string file = dir.file("scan.png");
    const char* why = "";
    ASSERT_TRUE(plot::writeEnergyProfile(file.c_str(), scanProfile(), 1200, 600, why)) << why;
    cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    const unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    spectrum::Axis x, y;
    plot::profileAxes(scanProfile(), x, y);
    const spectrum::Box box = plot::profileBox(1200, 600);
    for (int i = 0; i < 13; ++i) {
        const int px = int(std::lround(spectrum::xOf(x, box, scanned[i])));
        const int py = int(std::lround(spectrum::yOf(y, box, energy[i])));
        const unsigned char* pixel = data + py * stride + 4 * px; // B, G, R, unused
        EXPECT_GT(pixel[0], 150) << "point " << i;                // the dots' blue
        EXPECT_LT(pixel[2], 90) << "point " << i;
    }
    // Between two points, off the line, the paper is white.
    const unsigned char* paper = data + int(box.top + 20) * stride + 4 * int(box.left + 20);
    EXPECT_EQ(paper[0], 255);
    cairo_surface_destroy(png);
}

TEST(EnergyProfile, NoFileLeftBehindAFailure) {
    testsupport::ScratchDir dir;
    const char* why = "";
    EXPECT_FALSE(
        plot::writeEnergyProfile(dir.file("scan.gif").c_str(), scanProfile(), 1200, 600, why));
    EXPECT_STREQ(why, "the name must end in .svg, .png or .pdf");
    EXPECT_FALSE(plot::writeEnergyProfile(dir.file("no/such/dir/scan.svg").c_str(), scanProfile(),
                                          1200, 600, why));
    EXPECT_TRUE(testsupport::readFile(dir.file("scan.gif")).empty());
}

} // namespace
