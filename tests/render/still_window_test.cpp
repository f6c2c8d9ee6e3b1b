// Ball and stick and the key p's still in the window (a GLX window under Xvfb): bonds at the
// bonded midpoints of a frame, a frame that follows the swing, and the still at twice the
// window's size showing the window's frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/animation.h"
#include "render/bonds.h"
#include "render/frame.h"
#include "render/labels.h"
#include "render/run_blocks.h"
#include "render/still.h"
#include "render/style.h"
#include "tests/render/scene.h"
#include "tests/support/gl_window.h"

namespace render_test {
namespace {

// Formaldehyde away from the axes, its carbon swinging along x: C1=O2, C1-H3, C1-H4;
// H3...H4 not bonded.
const TestAtom formaldehyde[] = {
    {6.0f, 1.0f, 0.5f, -0.53f, 0.6f, 0.0f, 0.0f},
    {8.0f, 1.0f, 0.5f, 0.67f, 0.0f, 0.0f, 0.0f},
    {1.0f, 1.0f, 1.44f, -1.12f, 0.0f, 0.0f, 0.0f},
    {1.0f, 1.0f, -0.44f, -1.12f, 0.0f, 0.0f, 0.0f},
};

class BallAndStick : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        render::drawingStyle = {};
        loadMolecule(formaldehyde, 4, 0);
        render::updateBonds();
    }
    void TearDown() override { render::drawingStyle = {}; }
};

bool greyAt(const double p[3]) {
    double w[3];
    project(p, nullptr, w);
    int rgb[3];
    testsupport::readPixel(int(std::lround(w[0])), int(std::lround(w[1])), rgb);
    return rgb[0] == 191 && rgb[1] == 191 && rgb[2] == 191;
}

// The midpoint of atoms a and b (from 1) displaced for the phase factor s.
void midpoint(int a, int b, float s, double m[3]) {
    double p[3], q[3];
    render::displayedPosition(render::atomTable, render::motionTable, a - 1, s, p);
    render::displayedPosition(render::atomTable, render::motionTable, b - 1, s, q);
    for (int k = 0; k < 3; ++k) m[k] = 0.5 * (p[k] + q[k]);
}

TEST_F(BallAndStick, BondsJoinBondedAtomsAndFollowTheSwing) {
    ASSERT_EQ(render::bondCount, 3);
    render::drawingStyle.ballAndStick = true;
    for (int frame : {0, 25}) {
        render::setFrameCounter(frame);
        const float s = render::phaseFactor();
        render::drawFrame();
        double m[3];
        for (int h : {3, 4}) {
            midpoint(1, h, s, m);
            EXPECT_FALSE(greyAt(m)) << "C1-H" << h << " at frame " << frame;
        }
        midpoint(3, 4, s, m);
        EXPECT_TRUE(greyAt(m)) << "H3...H4 at frame " << frame;
    }
    // The spheres alone draw no bond.
    render::drawingStyle.ballAndStick = false;
    render::setFrameCounter(0);
    render::drawFrame();
    double m[3];
    midpoint(1, 3, 0.0f, m);
    EXPECT_TRUE(greyAt(m)) << "C1-H3 without ball and stick";
}

std::vector<unsigned char> windowFrame() {
    std::vector<unsigned char> pixels(400 * 400 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 400, 400, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Mean difference per channel between the still at twice the size, averaged down by two, and
// a window's frame (bottom row first); `far` counts the channels more than 60 apart.
double stillError(const render::StillPicture& still, const std::vector<unsigned char>& frame,
                  int& far) {
    double sum = 0;
    far = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            for (int k = 0; k < 3; ++k) {
                double v = 0;
                for (int d = 0; d < 4; ++d)
                    v += still.pixels[std::size_t(
                        ((799 - 2 * y - d / 2) * 800 + 2 * x + d % 2) * 3 + k)];
                const double e = std::fabs(v / 4 - frame[std::size_t((y * 400 + x) * 3 + k)]);
                sum += e;
                far += e > 60;
            }
    return sum / (400.0 * 400 * 3);
}

TEST_F(BallAndStick, TheStillOfTheKeyPShowsTheWindowsFrame) {
    render::drawingStyle = {true, true, true};
    render::setFrameCounter(70);
    render::drawFrame();
    const std::vector<unsigned char> other = windowFrame();
    render::setFrameCounter(20);
    render::drawFrame();
    const std::vector<unsigned char> frame = windowFrame();
    render::StillRequest r{800, 800, render::Background::grey, false,
                           2 * render::labelPixelsFor(400)};
    render::StillPicture still;
    ASSERT_TRUE(render::drawStill(r, 400, 400, still));
    EXPECT_EQ(render::frameCounter(), 21);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 400);
    ASSERT_EQ(still.pixels.size(), std::size_t(800 * 800 * 3));
    int far = 0, farOther = 0;
    const double error = stillError(still, frame, far);
    EXPECT_LT(error, 2.0);
    EXPECT_LT(far, 400 * 400 * 3 / 100) << "pixels far from the window's";
    // The still is the frame shown, not another phase of the swing.
    EXPECT_LT(3 * error, stillError(still, other, farOther));
    EXPECT_LT(3 * far, farOther);
}

} // namespace
} // namespace render_test
