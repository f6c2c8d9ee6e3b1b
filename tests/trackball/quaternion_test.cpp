// Trackball mathematics: surface projection, drag directions, the half-turn clamp and
// the periodic renormalisation of composed rotations.
#include "trackball/quaternion.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/trackball/matrix_helpers.h"

namespace trackball {
namespace {

using trackball_test::apply;
using trackball_test::timesTransposed;

TEST(Projection, SphereInsideAndHyperbolicSheetOutsideRadiusOverRootTwo) {
    EXPECT_FLOAT_EQ(projectToSurface(0.8f, 0.0f, 0.0f), 0.8f);
    EXPECT_FLOAT_EQ(projectToSurface(0.8f, 0.3f, 0.4f), std::sqrt(0.64f - 0.25f));
    // Outside r/sqrt(2) ~ 0.5657 the point lies on z * d = 0.32, never on the sphere.
    for (float d : {0.57f, 0.8f, 1.0f, 5.0f, 300.0f}) {
        const float z = projectToSurface(0.8f, d * 0.6f, -d * 0.8f);
        EXPECT_NEAR(z * d, 0.32f, 1e-5f) << "d = " << d;
    }
    // Points beyond the ball's radius still get a finite, positive height.
    EXPECT_GT(projectToSurface(0.8f, 0.9f, 0.0f), 0.0f);
    // The two pieces meet with equal height.
    const float inside = projectToSurface(0.8f, 0.5656f, 0.0f);
    const float outside = projectToSurface(0.8f, 0.5658f, 0.0f);
    EXPECT_NEAR(inside, outside, 1e-3f);
}

TEST(Increment, EqualPointsGiveTheIdentity) {
    float q[4];
    rotationIncrement(q, 0.25f, -0.5f, 0.25f, -0.5f);
    EXPECT_EQ(q[0], 0.0f);
    EXPECT_EQ(q[1], 0.0f);
    EXPECT_EQ(q[2], 0.0f);
    EXPECT_EQ(q[3], 1.0f);
}

// Composes a few arbitrary drags so that later tests start from a turned molecule.
void someEarlierRotation(int variant, float q[4], int& count) {
    q[0] = q[1] = q[2] = 0.0f;
    q[3] = 1.0f;
    const float drags[][4] = {{0.1f, 0.2f, -0.4f, 0.3f},
                              {-0.7f, 0.1f, 0.2f, 0.9f},
                              {0.0f, -0.3f, 0.5f, 0.5f},
                              {1.5f, -2.0f, -0.3f, 0.1f}};
    for (int i = 0; i <= variant; ++i) {
        float inc[4];
        rotationIncrement(inc, drags[i][0], drags[i][1], drags[i][2], drags[i][3]);
        composeRotations(inc, q, q, count);
    }
}

// The scene-frame step that one more drag from (x1, y1) to (x2, y2) makes after `before`.
void sceneStep(const float before[4], float x1, float y1, float x2, float y2, float step[16]) {
    float inc[4], after[4], mBefore[16], mAfter[16];
    int count = 0;
    rotationIncrement(inc, x1, y1, x2, y2);
    composeRotations(inc, before, after, count);
    rotationMatrix(before, mBefore);
    rotationMatrix(after, mAfter);
    timesTransposed(mAfter, mBefore, step);
}

TEST(Increment, DragRightTurnsPlusZTowardsPlusXWhateverCameBefore) {
    for (int variant = -1; variant < 4; ++variant) {
        float before[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        int count = 0;
        if (variant >= 0) someEarlierRotation(variant, before, count);
        float step[16];
        sceneStep(before, -0.05f, 0.0f, 0.15f, 0.0f, step);
        const float z[3] = {0.0f, 0.0f, 1.0f}, y[3] = {0.0f, 1.0f, 0.0f};
        float zTurned[3], yTurned[3];
        apply(step, z, zTurned);
        apply(step, y, yTurned);
        EXPECT_GT(zTurned[0], 0.1f) << "variant " << variant;
        EXPECT_NEAR(zTurned[1], 0.0f, 1e-5f) << "variant " << variant;
        // The turn is about the scene's y axis.
        EXPECT_NEAR(yTurned[1], 1.0f, 1e-5f) << "variant " << variant;
    }
}

TEST(Increment, DragUpTurnsPlusZTowardsPlusYWhateverCameBefore) {
    for (int variant = -1; variant < 4; ++variant) {
        float before[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        int count = 0;
        if (variant >= 0) someEarlierRotation(variant, before, count);
        float step[16];
        sceneStep(before, 0.0f, -0.1f, 0.0f, 0.1f, step);
        const float z[3] = {0.0f, 0.0f, 1.0f}, x[3] = {1.0f, 0.0f, 0.0f};
        float zTurned[3], xTurned[3];
        apply(step, z, zTurned);
        apply(step, x, xTurned);
        EXPECT_GT(zTurned[1], 0.1f) << "variant " << variant;
        EXPECT_NEAR(zTurned[0], 0.0f, 1e-5f) << "variant " << variant;
        EXPECT_NEAR(xTurned[0], 1.0f, 1e-5f) << "variant " << variant;
    }
}

TEST(Increment, AJumpBeyondOnePointSixIsExactlyHalfATurn) {
    // |P1 - P2| = 1.8 here and about 100 there: both clamp to t = 1, angle pi.
    float nearJump[4], farJump[4];
    rotationIncrement(nearJump, -0.9f, 0.0f, 0.9f, 0.0f);
    rotationIncrement(farJump, -50.0f, 0.0f, 50.0f, 0.0f);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(nearJump[i], farJump[i]) << "component " << i;
    EXPECT_NEAR(nearJump[3], 0.0f, 1e-7f); // cos(pi/2)
    EXPECT_NEAR(nearJump[1], -1.0f, 1e-7f);
    float m[16];
    rotationMatrix(nearJump, m);
    EXPECT_NEAR(m[0], -1.0f, 1e-6f);
    EXPECT_NEAR(m[5], 1.0f, 1e-6f);
    EXPECT_NEAR(m[10], -1.0f, 1e-6f);
    // A jump just short of the clamp turns less than half a turn.
    float shorter[4];
    rotationIncrement(shorter, -0.5f, 0.0f, 0.5f, 0.0f);
    EXPECT_GT(shorter[3], 0.05f);
}

TEST(Composition, RenormalisesOnEveryNinetyEighthComposition) {
    const float identity[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float q[4] = {0.0f, 0.0f, 0.0f, 1.5f}; // deliberately not unit length
    int count = 0;
    for (int i = 1; i <= 97; ++i) composeRotations(identity, q, q, count);
    EXPECT_EQ(count, 97);
    EXPECT_EQ(q[3], 1.5f);
    composeRotations(identity, q, q, count);
    EXPECT_EQ(count, 0);
    EXPECT_FLOAT_EQ(q[3], 1.0f);

    // The count is carried by the caller: it continues where it stood.
    q[3] = 2.0f;
    count = 96;
    composeRotations(identity, q, q, count);
    EXPECT_EQ(q[3], 2.0f);
    composeRotations(identity, q, q, count);
    EXPECT_FLOAT_EQ(q[3], 1.0f);
}

TEST(Composition, DestinationMayShareTheSecondOperand) {
    float a[4], b[4], separate[4];
    int count = 0;
    rotationIncrement(a, 0.1f, 0.2f, 0.3f, -0.1f);
    rotationIncrement(b, -0.4f, 0.0f, 0.2f, 0.5f);
    composeRotations(a, b, separate, count);
    composeRotations(a, b, b, count);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b[i], separate[i]);
}

} // namespace
} // namespace trackball
