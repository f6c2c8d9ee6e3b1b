// The trackball as the program drives it: handlers from the toolkit's tables, one cursor
// sample per frame through the null binding, spins after a release, and the skipped sample
// of a zero-sized drawing area.
#include "trackball/trackball.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/trackball/matrix_helpers.h"
#include "toolkit/null/null_binding.h"
#include "trackball/quaternion.h"

namespace trackball {
namespace {

using trackball_test::timesTransposed;

toolkit::InputEvent event(int type, int x, int y) { return {type, {x, y, 0, toolkit::buttonLeft}}; }

void press(int x, int y) {
    toolkit::InputEvent e = event(toolkit::eventPress, x, y);
    EXPECT_EQ(trackballPress(&e), 1);
}
void release(int x, int y) {
    toolkit::InputEvent e = event(toolkit::eventRelease, x, y);
    EXPECT_EQ(trackballRelease(&e), 1);
}

void frame(float m[16]) { trackballRotationMatrix(m); }

void expectSameMatrix(const float a[16], const float b[16]) {
    for (int k = 0; k < 16; ++k) EXPECT_EQ(a[k], b[k]) << "element " << k;
}

// Idle trackball with the identity rotation and no spin, whatever earlier tests left.
void startFresh(int width, int height) {
    trackballInit(width, height);
    toolkit::null::setCursorPosition(0, 0);
    int x = 0, y = 0;
    toolkit::getCursorInWindow(x, y);
    press(x, y);
    float m[16];
    frame(m); // no motion since the press: the spin stops
    release(x, y);
    trackballInit(width, height);
}

TEST(Trackball, MatrixIsTheIdentityBeforeAnyPress) {
    startFresh(300, 300);
    float m[16];
    frame(m);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(m[k], (k % 5 == 0) ? 1.0f : 0.0f) << "element " << k;
}

TEST(Trackball, PressCapturesTheMouseToTheWindowAndReleaseLetsGo) {
    toolkit::null::reset();
    toolkit::setWindowPlacement(50, 10, 400, 400);
    ASSERT_EQ(toolkit::openWindow("trackball"), 1);
    startFresh(400, 400);
    const int captures = toolkit::null::record().captures;
    const int releases = toolkit::null::record().releases;
    press(10, 20);
    EXPECT_EQ(toolkit::null::record().captures, captures + 1);
    EXPECT_TRUE(toolkit::null::record().captured);
    EXPECT_NE(toolkit::null::record().captureWindow, toolkit::WindowHandle(0));
    EXPECT_EQ(toolkit::null::record().captureWindow, toolkit::getWindowHandle());
    release(10, 20);
    EXPECT_EQ(toolkit::null::record().releases, releases + 1);
    EXPECT_FALSE(toolkit::null::record().captured);
    toolkit::null::reset();
}

TEST(Trackball, EachFrameTurnsByTheMotionSinceThePreviousFrame) {
    startFresh(400, 400);
    toolkit::null::setCursorPosition(200, 200);
    press(200, 200);
    toolkit::null::setCursorPosition(240, 200);
    float m1[16];
    frame(m1);
    // One drag to the right: +z turns towards +x.
    EXPECT_GT(m1[8], 0.1f);
    EXPECT_NEAR(m1[9], 0.0f, 1e-6f);

    float expected[4], expectedM[16];
    rotationIncrement(expected, 0.0f, 0.0f, 0.2f, 0.0f);
    rotationMatrix(expected, expectedM);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(m1[k], expectedM[k], 1e-6f);

    // A frame without motion keeps the picture.
    float m2[16];
    frame(m2);
    expectSameMatrix(m1, m2);
    release(240, 200);
}

TEST(Trackball, ReleaseDuringMotionSpinsAndAPressWithoutMotionStopsIt) {
    startFresh(400, 400);
    toolkit::null::setCursorPosition(200, 200);
    press(200, 200);
    toolkit::null::setCursorPosition(200, 170);
    float first[16];
    frame(first);
    release(200, 170);

    // Every later frame turns by the same step again.
    float second[16], third[16], step1[16], step2[16];
    frame(second);
    frame(third);
    timesTransposed(second, first, step1);
    timesTransposed(third, second, step2);
    for (int k = 0; k < 16; ++k) {
        EXPECT_NEAR(step1[k], first[k], 1e-5f) << "element " << k;
        EXPECT_NEAR(step2[k], first[k], 1e-5f) << "element " << k;
    }

    // A press and the next frame without motion: the molecule stays as it is.
    press(200, 170);
    float stopped[16], later[16];
    frame(stopped);
    expectSameMatrix(third, stopped);
    release(200, 170);
    frame(later);
    expectSameMatrix(stopped, later);
}

TEST(Trackball, PressAndReleaseBeforeAFrameDoNotSampleTheCursor) {
    startFresh(400, 400);
    toolkit::null::setCursorPosition(200, 200);
    press(200, 200);
    toolkit::null::setCursorPosition(220, 200);
    float m1[16];
    frame(m1);
    release(220, 200);

    // Both messages arrive before the next frame: the old spin goes on unchanged.
    toolkit::null::setCursorPosition(20, 380);
    press(390, 10);
    release(20, 380);
    float m2[16], step[16];
    frame(m2);
    timesTransposed(m2, m1, step);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(step[k], m1[k], 1e-5f) << "element " << k;
}

TEST(Trackball, PositionsAreNormalisedByWidthAndHeightSeparately) {
    startFresh(800, 200);
    toolkit::null::setCursorPosition(400, 100);
    press(400, 100);
    toolkit::null::setCursorPosition(480, 120);
    float m[16];
    frame(m);
    release(480, 120);

    float expected[4], expectedM[16];
    rotationIncrement(expected, 0.0f, 0.0f, 0.2f, -0.2f);
    rotationMatrix(expected, expectedM);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(m[k], expectedM[k], 1e-6f) << "element " << k;
}

TEST(Trackball, ZeroSizedDrawingAreaSkipsTheSampleUntilItHasASizeAgain) {
    startFresh(400, 400);
    toolkit::null::setCursorPosition(200, 200);
    press(200, 200);
    trackballResize(0, 0);
    toolkit::null::setCursorPosition(260, 200);
    float m[16];
    frame(m);
    for (int k = 0; k < 16; ++k) {
        ASSERT_TRUE(std::isfinite(m[k])) << "element " << k;
        EXPECT_EQ(m[k], (k % 5 == 0) ? 1.0f : 0.0f) << "element " << k;
    }
    trackballResize(400, 0);
    frame(m);
    EXPECT_EQ(m[0], 1.0f);

    // The reshape passes the new size before the next frame, which samples with it.
    trackballResize(400, 400);
    frame(m);
    float expected[4], expectedM[16];
    rotationIncrement(expected, 0.0f, 0.0f, 0.3f, 0.0f);
    rotationMatrix(expected, expectedM);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(m[k], expectedM[k], 1e-6f) << "element " << k;
    release(260, 200);
}

} // namespace
} // namespace trackball
