// Vibration rules: phase factor from the whole frame count, displaced positions in double
// precision, and the counter's restart instead of overflow.
#include "render/animation.h"

#include <climits>
#include <cmath>

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(Animation, PhaseFollowsTheFrameCount) {
    setFrameCounter(0);
    EXPECT_EQ(phaseFactor(), 0.0f);
    setFrameCounter(25);
    EXPECT_NEAR(phaseFactor(), 1.0f, 1e-7f);
    setFrameCounter(50);
    EXPECT_NEAR(phaseFactor(), 0.0f, 1e-3f);
    setFrameCounter(75);
    EXPECT_NEAR(phaseFactor(), -1.0f, 1e-7f);
    // 6.283 is a little under 2 pi: frame 100 is not back at exactly 0.
    setFrameCounter(100);
    EXPECT_FLOAT_EQ(phaseFactor(), float(std::sin(6.283)));
    EXPECT_LT(phaseFactor(), -1e-4f);
    // The phase comes from the whole count: after many frames no stepping error has built up.
    setFrameCounter(1000000);
    EXPECT_FLOAT_EQ(phaseFactor(), float(std::sin(62830.0)));
}

TEST(Animation, CounterAdvancesByOneAndRestartsAtZeroInsteadOfOverflowing) {
    setFrameCounter(41);
    advanceFrameCounter();
    EXPECT_EQ(frameCounter(), 42);
    setFrameCounter(INT_MAX - 1);
    advanceFrameCounter();
    EXPECT_EQ(frameCounter(), INT_MAX);
    advanceFrameCounter();
    EXPECT_EQ(frameCounter(), 0);
    EXPECT_EQ(phaseFactor(), 0.0f);
}

TEST(Animation, DisplacedPositionIsFormedInDoublePrecision) {
    static reader::AtomTable atoms, motion;
    atoms[0][0] = 6.0f;
    atoms[0][1] = 1.0f;
    atoms[0][2] = -2.0f;
    atoms[0][3] = 0.5f;
    motion[0][0] = 3.0f; // not a coordinate: never read
    motion[0][1] = 1e-8f;
    motion[0][2] = 0.25f;
    motion[0][3] = -0.5f;
    atoms[1][1] = 3.0f;
    atoms[1][2] = 4.0f;
    atoms[1][3] = 5.0f; // second atom: no motion at all

    double p[3];
    displayedPosition(atoms, motion, 0, 1.0f, p);
    EXPECT_GT(p[0], 1.0); // 1 + 1e-8 would round back to 1 in single precision
    EXPECT_DOUBLE_EQ(p[1], -1.75);
    EXPECT_DOUBLE_EQ(p[2], 0.0);
    displayedPosition(atoms, motion, 0, -0.5f, p);
    EXPECT_DOUBLE_EQ(p[1], -2.125);
    EXPECT_DOUBLE_EQ(p[2], 0.75);
    displayedPosition(atoms, motion, 0, 0.0f, p);
    EXPECT_EQ(p[0], 1.0);
    EXPECT_EQ(p[1], -2.0);
    EXPECT_EQ(p[2], 0.5);
    for (float s : {-1.0f, 0.3f, 1.0f}) {
        displayedPosition(atoms, motion, 1, s, p);
        EXPECT_EQ(p[0], 3.0);
        EXPECT_EQ(p[1], 4.0);
        EXPECT_EQ(p[2], 5.0);
    }
}

} // namespace
} // namespace render
