// Displacement arrows in real frames: where they start and end, that they are lit, and that
// a frame without them is the frame the program drew before arrows existed.
#include "render/arrows.h"

#include <cmath>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/animation.h"
#include "render/frame.h"
#include "tests/render/scene.h"
#include "tests/support/gl_window.h"

namespace render_test {
namespace {

// Iron stays still; nitrogen (sphere radius 71/250 Angstrom) swings 1.2 Angstrom along +x.
const TestAtom pair[] = {
    {26.0f, -1.5f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f},
    {7.0f, 1.0f, -1.0f, -1.0f, 1.2f, 0.0f, 0.0f},
};
const double nitrogenRadius = 71.0 / 250.0;

class Arrows : public DrawingTest {
  protected:
    void TearDown() override { render::setArrowsShown(false); }
};

std::vector<unsigned char> wholeFrame() {
    std::vector<unsigned char> pixels(400 * 400 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 400, 400, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool cyan(const unsigned char* p) { return p[0] < 20 && p[1] > 40 && std::abs(p[1] - p[2]) < 12; }

// The frame drawn at `frame` after one frame of the same scene (so that the axes are lit with
// the normal a frame leaves behind, as from the second frame on).
std::vector<unsigned char> frameAt(int frame) {
    render::setFrameCounter(frame);
    render::drawFrame();
    render::setFrameCounter(frame);
    render::drawFrame();
    return wholeFrame();
}

TEST_F(Arrows, OffTheFrameIsThePictureWithoutThem) {
    loadMolecule(pair, 2, 0);
    const std::vector<unsigned char> before = frameAt(25);
    render::setArrowsShown(true);
    const std::vector<unsigned char> with = frameAt(25);
    render::setArrowsShown(false);
    render::setFrameCounter(25);
    render::drawFrame(); // straight after a frame with arrows
    EXPECT_TRUE(wholeFrame() == before) << "arrows switched off leave a trace";
    EXPECT_FALSE(with == before);
    int cyanPixels = 0;
    for (std::size_t i = 0; i < before.size(); i += 3) cyanPixels += cyan(&before[i]);
    EXPECT_EQ(cyanPixels, 0);
}

// Along the arrow of nitrogen at phase factor s: cyan from the sphere's surface to the swing's
// length beyond it, background past the tip; nothing beside the still iron atom.
void expectNitrogenArrow(float s) {
    const double surface = 1.0 + s * 1.2 + nitrogenRadius;
    for (double along : {0.1, 0.5, 0.8, 1.1}) {
        const double p[3] = {surface + along, -1.0, -1.0};
        double w[3];
        project(p, nullptr, w);
        int rgb[3];
        testsupport::readPixel(int(std::lround(w[0])), int(std::lround(w[1])), rgb);
        const unsigned char c[3] = {(unsigned char)rgb[0], (unsigned char)rgb[1],
                                    (unsigned char)rgb[2]};
        EXPECT_TRUE(cyan(c)) << "s " << s << ", " << along << " A along the arrow: " << rgb[0]
                             << " " << rgb[1] << " " << rgb[2];
    }
    const double beyond[3] = {surface + 1.2 + 0.15, -1.0, -1.0};
    double w[3];
    project(beyond, nullptr, w);
    int rgb[3];
    testsupport::readPixel(int(std::lround(w[0])), int(std::lround(w[1])), rgb);
    EXPECT_EQ(rgb[0], 191) << "s " << s << ": past the tip";
}

TEST_F(Arrows, StartAtTheSphereAndAreAsLongAsTheSwing) {
    loadMolecule(pair, 2, 0);
    render::setArrowsShown(true);
    render::drawFrame();
    expectNitrogenArrow(0.0f);
    render::setFrameCounter(25);
    render::drawFrame();
    expectNitrogenArrow(float(std::sin(25 * 6.283 / 100.0)));

    // Every cyan pixel belongs to nitrogen's arrow: right of its sphere's centre.
    const std::vector<unsigned char> pixels = wholeFrame();
    double w[3];
    const double centre[3] = {1.0 + std::sin(25 * 6.283 / 100.0) * 1.2, -1.0, -1.0};
    project(centre, nullptr, w);
    int count = 0, stray = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            if (!cyan(&pixels[std::size_t(y * 400 + x) * 3])) continue;
            ++count;
            stray += x < w[0];
        }
    EXPECT_GT(count, 50);
    EXPECT_EQ(stray, 0);
}

TEST_F(Arrows, AreLitLikeTheSpheres) {
    // An arrow pointing at the camera's side shows its lit shaft and head in several shades.
    const TestAtom one[] = {{6.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.5f, 0.0f}};
    loadMolecule(one, 1, 0);
    render::setArrowsShown(true);
    render::drawFrame();
    const std::vector<unsigned char> pixels = wholeFrame();
    int darkest = 255, brightest = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        if (!cyan(&pixels[i])) continue;
        darkest = std::min<int>(darkest, pixels[i + 1]);
        brightest = std::max<int>(brightest, pixels[i + 1]);
    }
    EXPECT_GT(brightest - darkest, 40) << "one flat colour: not lit";
}

} // namespace
} // namespace render_test
