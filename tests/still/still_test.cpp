// Stills drawn offscreen in-process, their pixels read where the scene's points fall: bonds at
// the midpoints of bonded atoms only, labels at every atom and nowhere far from one, a
// transparent background, the same picture at two sizes and in tiles of any size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "reader/run_data.h"
#include "render/bonds.h"
#include "render/glyphs.h"
#include "render/labels.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "render/still.h"
#include "render/style.h"
#include "tests/support/molecules.h"
#include "toolkit/toolkit.h"

namespace {

using render::Background;
using render::StillPicture;
using render::StillRequest;

// Benzene in the xy plane, carbons 1-6 and hydrogens 7-12, no motion.
void loadBenzene() {
    reader::atomCount = 12;
    reader::amplitude = 0.5f;
    for (int k = 0; k < 6; ++k) {
        const double a = k * 3.14159265358979 / 3;
        const double rows[2][2] = {{6, 1.395}, {1, 2.485}};
        for (int h = 0; h < 2; ++h) {
            double* g = reader::geometry[k + 6 * h];
            g[0] = rows[h][0];
            g[1] = rows[h][1] * std::cos(a);
            g[2] = rows[h][1] * std::sin(a);
            g[3] = 0;
            float* m = reader::modeVector[k + 6 * h];
            m[0] = float(rows[h][0]);
            m[1] = m[2] = m[3] = 0;
        }
    }
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
    render::updateBonds();
}

class Still : public ::testing::Test {
  protected:
    void SetUp() override {
        render::drawingStyle = {};
        loadBenzene();
    }
    void TearDown() override { render::drawingStyle = {}; }

    // Draws the still in an offscreen context of tiles of at most tile x tile pixels; `where`
    // gets the pixel positions of the scene points asked for.
    StillPicture draw(const StillRequest& r, int tile = 2048,
                      std::vector<std::pair<double, double>>* where = nullptr,
                      const std::vector<const double*>& points = {}) {
        const int f = render::stillOversampling(r);
        toolkit::setDisplayMode(
            render::drawingMode |
            (r.background == Background::transparent ? unsigned(toolkit::modeAlpha) : 0u));
        const char* why = "";
        StillPicture picture;
        if (!toolkit::openOffscreenContext(std::min(tile, r.width * f),
                                           std::min(tile, r.height * f), why)) {
            ADD_FAILURE() << why;
            return picture;
        }
        render::prepareDrawing();
        EXPECT_TRUE(render::drawStill(r, tile, tile, picture));
        for (const double* p : points) {
            double x = 0, y = 0;
            render::stillPosition(r, p, x, y);
            if (where) where->push_back({x, y});
        }
        toolkit::closeOffscreenContext();
        return picture;
    }
};

const unsigned char* pixel(const StillPicture& p, double x, double y) {
    const int col = std::clamp(int(x), 0, p.width - 1), row = std::clamp(int(y), 0, p.height - 1);
    return &p.pixels[std::size_t(row * p.width + col) * (p.alpha ? 4 : 3)];
}

bool isWhite(const unsigned char* rgb) { return rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255; }

double position(int atom, int k) { return render::atomTable[atom - 1][k + 1]; }

TEST_F(Still, BondsStandBetweenBondedAtomsOnly) {
    render::drawingStyle.ballAndStick = true;
    // Bonded: C1-C2, C3-C4, C1-H7, C4-H10. Not: C1...C3, C1...C4 (across the ring), H7...H8.
    const std::pair<int, int> pairs[] = {{1, 2}, {3, 4}, {1, 7}, {4, 10}, {1, 3}, {1, 4}, {7, 8}};
    double midpoints[7][3];
    std::vector<const double*> points;
    for (int i = 0; i < 7; ++i) {
        for (int k = 0; k < 3; ++k)
            midpoints[i][k] = 0.5 * (position(pairs[i].first, k) + position(pairs[i].second, k));
        points.push_back(midpoints[i]);
    }
    std::vector<std::pair<double, double>> at;
    const StillPicture p = draw({800, 600}, 2048, &at, points);
    ASSERT_EQ(at.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        const bool bonded = i < 4;
        EXPECT_EQ(!isWhite(pixel(p, at[i].first, at[i].second)), bonded)
            << pairs[i].first << "-" << pairs[i].second;
    }
    // In the spheres' style no bond is drawn.
    render::drawingStyle.ballAndStick = false;
    at.clear();
    const StillPicture spheres = draw({800, 600}, 2048, &at, points);
    EXPECT_TRUE(isWhite(pixel(spheres, at[0].first, at[0].second)));
}

TEST_F(Still, LabelsChangeThePixelsAtEachAtomAndNowhereFar) {
    if (const char* why = render::glyphs::fontMissing()) GTEST_SKIP() << why;
    std::vector<const double*> points;
    double centres[12][3];
    for (int i = 0; i < 12; ++i) {
        for (int k = 0; k < 3; ++k) centres[i][k] = position(i + 1, k);
        points.push_back(centres[i]);
    }
    std::vector<std::pair<double, double>> at;
    const StillPicture plain = draw({640, 480}, 2048, &at, points);
    render::drawingStyle.labels = true;
    const StillPicture labelled = draw({640, 480});
    ASSERT_EQ(plain.pixels.size(), labelled.pixels.size());
    const double letters = render::labelPixelsFor(480); // 17 pixels
    std::vector<int> near(12, 0);
    int far = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const unsigned char* a = pixel(plain, x, y);
            const unsigned char* b = pixel(labelled, x, y);
            if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 30)
                continue;
            bool close = false;
            for (int i = 0; i < 12; ++i) {
                const double dx = x - at[i].first, dy = at[i].second - y;
                // The label's box: right of the centre, the letters' middle level with it.
                if (dx > -2 && dx < 4 * letters && std::fabs(dy) < letters) ++near[i];
                close = close || std::hypot(dx, dy) < 5 * letters;
            }
            far += !close;
        }
    for (int i = 0; i < 12; ++i) EXPECT_GT(near[i], 20) << "atom " << i + 1;
    EXPECT_EQ(far, 0);
}

TEST_F(Still, TransparentBackgroundIsClearAwayFromTheMolecule) {
    render::drawingStyle.ballAndStick = true;
    StillRequest r{400, 300};
    const StillPicture white = draw(r);
    r.background = Background::transparent;
    double centre[3] = {position(1, 0), position(1, 1), position(1, 2)};
    std::vector<std::pair<double, double>> at;
    const StillPicture clear = draw(r, 2048, &at, {centre});
    ASSERT_TRUE(clear.alpha);
    ASSERT_EQ(clear.pixels.size(), std::size_t(400 * 300 * 4));
    int opaque = 0, partial = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const unsigned char* a = pixel(clear, x, y);
            if (isWhite(pixel(white, x, y))) {
                EXPECT_EQ(a[3], 0) << x << ", " << y;
            }
            opaque += a[3] == 255;
            partial += a[3] > 0 && a[3] < 255;
        }
    EXPECT_GT(opaque, 1000);
    EXPECT_GT(partial, 50) << "antialiased edges";
    // Where the molecule is, its colours are those drawn on white.
    const unsigned char* c = pixel(clear, at[0].first, at[0].second);
    const unsigned char* w = pixel(white, at[0].first, at[0].second);
    EXPECT_EQ(c[3], 255);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(c[k], w[k], 2);
}

// Mean absolute difference per channel between a picture and another of twice its size,
// averaged down by two.
double scaledDifference(const StillPicture& small, const StillPicture& large) {
    double sum = 0;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            for (int k = 0; k < 3; ++k) {
                double big = 0;
                for (int d = 0; d < 4; ++d) big += pixel(large, 2 * x + d % 2, 2 * y + d / 2)[k];
                sum += std::fabs(big / 4 - pixel(small, x, y)[k]);
            }
    return sum / (3.0 * small.width * small.height);
}

TEST_F(Still, TwoSizesShowTheSamePictureAndTilesLeaveNoSeams) {
    render::drawingStyle = {true, true, false};
    // (Labels of 14 and 28 pixels: above the least height labels keep.)
    const StillPicture small = draw({600, 400});
    const StillPicture large = draw({1200, 800});
    EXPECT_LT(scaledDifference(small, large), 2.0);
    // Tiles of 512 pixels (of the oversampled 3600 x 2400) give the picture of one tile.
    const StillPicture tiled = draw({1200, 800}, 512);
    ASSERT_EQ(tiled.pixels.size(), large.pixels.size());
    int differing = 0;
    for (std::size_t i = 0; i < large.pixels.size(); ++i)
        differing += std::abs(int(large.pixels[i]) - int(tiled.pixels[i])) > 8;
    EXPECT_LT(differing, int(large.pixels.size() / 1000));
}

TEST_F(Still, SpheresStayRoundAtAnyProportions) {
    // A lone atom: its outline as wide as high in a picture four times wider than high.
    reader::atomCount = 1;
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
    render::updateBonds();
    for (const StillRequest r : {StillRequest{800, 200}, StillRequest{200, 800}}) {
        const StillPicture p = draw(r);
        int left = p.width, right = -1, top = p.height, bottom = -1;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (!isWhite(pixel(p, x, y))) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GE(right, left);
        EXPECT_NEAR(right - left, bottom - top, 2) << r.width << " x " << r.height;
        // Framed to fill the shorter side less its margins.
        EXPECT_NEAR(bottom - top + 1, 0.86 * std::min(r.width, r.height), 3);
    }
}

} // namespace
