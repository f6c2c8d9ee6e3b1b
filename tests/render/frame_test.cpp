// Real frames drawn into a GLX window under Xvfb: background, axes, atom colours at their
// projected positions, the vibration at frames 0 and 25, the trackball's rotation, the
// fallback style and the state a frame leaves behind.
#include "render/frame.h"

#include <cmath>
#include <cstdlib>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/animation.h"
#include "render/elements.h"
#include "tests/render/scene.h"
#include "tests/support/gl_window.h"
#include "toolkit/null/null_binding.h"
#include "trackball/quaternion.h"
#include "trackball/trackball.h"

namespace render_test {
namespace {

using render::drawFrame;

// Iron stays still; nitrogen swings 1.2 Angstrom along +x.
const TestAtom pair[] = {
    {26.0f, -1.5f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f},
    {7.0f, 1.0f, -1.0f, -1.0f, 1.2f, 0.0f, 0.0f},
};
const double iron[3] = {0.9, 0.6, 0.0};
const double nitrogen[3] = {0.7, 0.3, 0.4};

class Frame : public DrawingTest {};

void pixelAt(const double p[3], const float* m, int rgb[3]) {
    double w[3];
    project(p, m, w);
    testsupport::readPixel(int(std::lround(w[0])), int(std::lround(w[1])), rgb);
}

// The pixel at the projected centre of an unturned sphere shows its lit colour.
void expectSphereAt(const double centre[3], const double colour[3], double radius,
                    const char* what) {
    int rgb[3];
    double expected[3];
    pixelAt(centre, nullptr, rgb);
    expectedSphereCentre(colour, centre, radius, expected);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(rgb[k], expected[k], 12.0) << what << ", channel " << k;
}

void expectBackground(const int rgb[3], const char* what) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(rgb[k], 191) << what << ", channel " << k;
}

TEST_F(Frame, BackgroundIsGrey) {
    loadMolecule(pair, 2, 0);
    drawFrame();
    int rgb[3];
    testsupport::readPixel(2, 2, rgb);
    expectBackground(rgb, "lower left corner");
    testsupport::readPixel(397, 397, rgb);
    expectBackground(rgb, "upper right corner");
}

TEST_F(Frame, FrameZeroShowsTheEquilibriumGeometry) {
    loadMolecule(pair, 2, 0);
    drawFrame();
    const double ironAt[3] = {-1.5, 1.0, 1.0}, nitrogenAt[3] = {1.0, -1.0, -1.0};
    expectSphereAt(ironAt, iron, 124.0 / 250.0, "iron");
    expectSphereAt(nitrogenAt, nitrogen, 71.0 / 250.0, "nitrogen");
}

TEST_F(Frame, FrameTwentyFiveShowsTheFullDisplacement) {
    loadMolecule(pair, 2, 25);
    drawFrame();
    const double ironAt[3] = {-1.5, 1.0, 1.0}, nitrogenAt[3] = {2.2, -1.0, -1.0};
    expectSphereAt(ironAt, iron, 124.0 / 250.0, "iron, no motion");
    expectSphereAt(nitrogenAt, nitrogen, 71.0 / 250.0, "nitrogen, displaced");
    const double equilibrium[3] = {1.0, -1.0, -1.0};
    int rgb[3];
    pixelAt(equilibrium, nullptr, rgb);
    expectBackground(rgb, "nitrogen's equilibrium position");
    // Frame 75 swings the other way.
    render::setFrameCounter(75);
    drawFrame();
    const double opposite[3] = {-0.2, -1.0, -1.0};
    expectSphereAt(opposite, nitrogen, 71.0 / 250.0, "nitrogen at frame 75");
}

TEST_F(Frame, EachFrameAdvancesTheCounterAndRestoresTheState) {
    loadMolecule(nullptr, 0, 7);
    GLint depth = 0;
    drawFrame();
    drawFrame();
    EXPECT_EQ(render::frameCounter(), 9);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_FALSE(glIsEnabled(GL_LINE_STIPPLE));
    loadMolecule(pair, 2, 0);
    drawFrame();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Counts, along the scene segment from a to b, the steps whose pixel (or a neighbour) shows
// a line of pure colour `channel` (the other two channels 0).
int lineSteps(const double a[3], const double b[3], int channel, int steps) {
    int found = 0;
    for (int i = 0; i < steps; ++i) {
        const double t = 0.15 + 0.8 * i / steps;
        const double p[3] = {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]),
                             a[2] + t * (b[2] - a[2])};
        double w[3];
        project(p, nullptr, w);
        bool hit = false;
        for (int dy = -1; dy <= 1 && !hit; ++dy)
            for (int dx = -1; dx <= 1 && !hit; ++dx) {
                int rgb[3];
                testsupport::readPixel(int(std::lround(w[0])) + dx, int(std::lround(w[1])) + dy,
                                       rgb);
                hit =
                    rgb[channel] > 40 && rgb[(channel + 1) % 3] == 0 && rgb[(channel + 2) % 3] == 0;
            }
        found += hit;
    }
    return found;
}

TEST_F(Frame, AxesAreSolidPositiveAndDashDottedNegativeHalves) {
    // Deep enough in z that the origin is inside the far plane.
    const TestAtom frame[] = {{1.0f, 3.0f, 3.0f, 2.0f, 0, 0, 0},
                              {1.0f, -3.0f, -3.0f, -2.0f, 0, 0, 0}};
    loadMolecule(frame, 2, 0);
    drawFrame();
    const double origin[3] = {0, 0, 0};
    const double xPlus[3] = {4, 0, 0}, xMinus[3] = {-4, 0, 0};
    const double yPlus[3] = {0, 4, 0}, yMinus[3] = {0, -4, 0};
    const int steps = 40;
    EXPECT_EQ(lineSteps(origin, xPlus, 2, steps), steps) << "x axis, blue";
    EXPECT_EQ(lineSteps(origin, yPlus, 0, steps), steps) << "y axis, red";
    const int xDashed = lineSteps(origin, xMinus, 2, steps);
    const int yDashed = lineSteps(origin, yMinus, 0, steps);
    EXPECT_GT(xDashed, steps / 4) << "negative x axis";
    EXPECT_LT(xDashed, steps) << "negative x axis has gaps";
    EXPECT_GT(yDashed, steps / 4) << "negative y axis";
    EXPECT_LT(yDashed, steps) << "negative y axis has gaps";
}

TEST_F(Frame, AtomsWithoutAnElementGetTheFallbackStyleAlsoFirstInTheFrame) {
    const TestAtom atoms[] = {
        {0.0f, -1.5f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f},
        {26.0f, 1.0f, -1.0f, -1.0f, 0.0f, 0.0f, 0.0f},
        {150.0f, 1.5f, 1.5f, 0.5f, 0.0f, 0.0f, 0.0f},
    };
    loadMolecule(atoms, 3, 0);
    drawFrame();
    const double grey[3] = {render::unknownElementStyle.red, render::unknownElementStyle.green,
                            render::unknownElementStyle.blue};
    const double radius = render::unknownElementStyle.radius / 250.0;
    const double first[3] = {-1.5, 1.0, 1.0}, third[3] = {1.5, 1.5, 0.5};
    expectSphereAt(first, grey, radius, "atomic number 0, first atom");
    expectSphereAt(third, grey, radius, "atomic number 150 after iron");
}

TEST_F(Frame, TheTrackballTurnsTheWholeScene) {
    loadMolecule(pair, 2, 0);
    toolkit::null::setCursorPosition(200, 200);
    toolkit::InputEvent press = {toolkit::eventPress, {200, 200, 0, toolkit::buttonLeft}};
    trackball::trackballPress(&press);
    toolkit::null::setCursorPosition(300, 180);
    drawFrame();
    toolkit::InputEvent release = {toolkit::eventRelease, {300, 180, 0, toolkit::buttonLeft}};
    trackball::trackballRelease(&release);

    float q[4], m[16];
    trackball::rotationIncrement(q, 0.0f, 0.0f, 0.5f, 0.1f);
    trackball::rotationMatrix(q, m);
    const double ironAt[3] = {-1.5, 1.0, 1.0};
    int turned[3], unturned[3];
    pixelAt(ironAt, m, turned);
    EXPECT_GT(turned[0], turned[2] + 40) << "iron drawn where the rotation puts it";
    EXPECT_GT(turned[1], turned[2] + 20);
    pixelAt(ironAt, nullptr, unturned);
    expectBackground(unturned, "iron's unturned position");
}

} // namespace
} // namespace render_test
