// Reshape rule: viewport, orthographic volume from the molecule's extent and the camera at
// (2, 2, 5), checked by projecting known points against an independent calculation.
#include <cmath>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/run_blocks.h"
#include "render/view.h"
#include "tests/render/scene.h"

namespace render_test {
namespace {

// Normalised device coordinates of p: camera at (2, 2, 5) looking at the origin, +y up,
// then glOrtho(left, right, bottom, top, near, far).
void expectedNdc(const double p[3], double l, double r, double b, double t, double n, double f,
                 double ndc[3]) {
    const double eye[3] = {2.0, 2.0, 5.0};
    const double len = std::sqrt(33.0);
    const double fw[3] = {-2.0 / len, -2.0 / len, -5.0 / len};
    // side = forward x up, normalised; up' = side x forward
    double s[3] = {-fw[2], 0.0, fw[0]};
    const double sl = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    s[0] /= sl;
    s[2] /= sl;
    const double u[3] = {s[1] * fw[2] - s[2] * fw[1], s[2] * fw[0] - s[0] * fw[2],
                         s[0] * fw[1] - s[1] * fw[0]};
    const double q[3] = {p[0] - eye[0], p[1] - eye[1], p[2] - eye[2]};
    const double xe = s[0] * q[0] + s[1] * q[1] + s[2] * q[2];
    const double ye = u[0] * q[0] + u[1] * q[1] + u[2] * q[2];
    const double ze = -(fw[0] * q[0] + fw[1] * q[1] + fw[2] * q[2]);
    ndc[0] = (2.0 * xe - (r + l)) / (r - l);
    ndc[1] = (2.0 * ye - (t + b)) / (t - b);
    ndc[2] = (-2.0 * ze - (f + n)) / (f - n);
}

void expectProjection(const double p[3], int width, int height) {
    const double* vv = render::viewVolume;
    double nearBound, farBound;
    render::depthBounds(nearBound, farBound);
    double ndc[3], window[3];
    expectedNdc(p, vv[1], vv[0], vv[3], vv[2], nearBound, farBound, ndc);
    project(p, nullptr, window);
    EXPECT_NEAR(window[0], (ndc[0] + 1.0) * width / 2.0, 1e-3)
        << p[0] << " " << p[1] << " " << p[2];
    EXPECT_NEAR(window[1], (ndc[1] + 1.0) * height / 2.0, 1e-3)
        << p[0] << " " << p[1] << " " << p[2];
    EXPECT_NEAR(window[2], (ndc[2] + 1.0) / 2.0, 1e-6) << p[0] << " " << p[1] << " " << p[2];
}

// GL keeps its matrices in single precision: positions agree to about a thousandth of a
// pixel, depths to about 1e-7.
class View : public DrawingTest {};

// The water-like molecule below: the volume is asymmetric in x and y (bounds 5.8, -3, 5, -4.1872)
// and deep in z, so swapped bounds would show in every projected point.
const TestAtom water[] = {
    {8.0f, 0.0f, 0.0f, 0.1173f, 0.0f, 0.0f, -0.07f},
    {1.0f, 0.0f, 0.7572f, -0.4692f, 0.0f, 0.43f, 0.56f},
    {1.0f, 0.0f, -0.7572f, -0.4692f, 0.0f, -0.43f, 0.56f},
    {6.0f, 2.5f, 2.0f, 1.2f, 0.3f, 0.0f, 0.0f},
};

TEST_F(View, ProjectionMatchesTheViewVolumeAndCamera) {
    loadMolecule(water, 4, 0);
    EXPECT_FLOAT_EQ(float(render::viewVolume[0]), 5.8f);
    EXPECT_FLOAT_EQ(float(render::viewVolume[1]), -3.0f);
    EXPECT_FLOAT_EQ(float(render::viewVolume[2]), 5.0f);
    EXPECT_FLOAT_EQ(float(render::viewVolume[3]), -4.1872f);
    EXPECT_FLOAT_EQ(float(render::viewVolume[4]), 1.2f + 1.0292f + 5.0f);
    EXPECT_EQ(render::viewVolume[5], 1.0);

    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 400);
    EXPECT_EQ(viewport[3], 400);
    EXPECT_EQ(mode, GL_MODELVIEW);

    const double points[][3] = {{0, 0, 0}, {0, 0.7572, -0.4692}, {2.5, 2, 1.2},
                                {4, 0, 0}, {0, -4, 0},           {0, 0, 5}};
    for (const auto& p : points) expectProjection(p, 400, 400);

    // Near and far lie along the line of sight from the eye at (2, 2, 5). The carbon atom reaches
    // 3.4 + 0.3 + 1.08 from the origin, less than the z axis: its length 5 sets the bounds.
    double near = 0.0, far = 0.0;
    render::depthBounds(near, far);
    const double len = std::sqrt(33.0);
    EXPECT_NEAR(near, len - 5.0, 1e-9);
    EXPECT_NEAR(far, len + 5.0, 1e-9);
    const double atNear[3] = {2.0 - 2.0 * near / len, 2.0 - 2.0 * near / len,
                              5.0 - 5.0 * near / len};
    const double atFar[3] = {2.0 - 2.0 * far / len, 2.0 - 2.0 * far / len, 5.0 - 5.0 * far / len};
    double window[3];
    project(atNear, nullptr, window);
    EXPECT_NEAR(window[2], 0.0, 1e-6);
    project(atFar, nullptr, window);
    EXPECT_NEAR(window[2], 1.0, 1e-6);
}

TEST_F(View, ProjectionDoesNotDependOnTheWindowSize) {
    loadMolecule(water, 4, 0);
    double square[16], wide[16];
    glGetDoublev(GL_PROJECTION_MATRIX, square);
    render::reshapeView(600, 200);
    glGetDoublev(GL_PROJECTION_MATRIX, wide);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(square[k], wide[k]);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 200);
    const double p[3] = {2.5, 2, 1.2};
    expectProjection(p, 600, 200);
    render::reshapeView(400, 400);
}

TEST_F(View, NothingWithinReachOfTheOriginIsClippedInDepth) {
    // Empty molecule: the stored volume is (3, -3, 3, -3, 5, 1), which on its own would put the
    // origin (5.745 from the eye) and the negative z axis beyond the far plane.
    loadMolecule(nullptr, 0, 0);
    const double expected[6] = {3.0, -3.0, 3.0, -3.0, 5.0, 1.0};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(render::viewVolume[k], expected[k]);
    const double axisEnds[][3] = {{0, 0, 0}, {0, 0, -5}, {0, 0, 5}, {-4, 0, 0}, {0, -4, 0}};
    double window[3];
    for (const auto& p : axisEnds) {
        project(p, nullptr, window);
        EXPECT_GT(window[2], 0.0) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_LT(window[2], 1.0) << p[0] << " " << p[1] << " " << p[2];
    }

    // Flat formaldehyde: the lower hydrogen lies 7.1 from the eye, deeper than the stored far
    // bound of 6.9; turned half around, the oxygen comes nearest to the camera.
    const TestAtom formaldehyde[] = {{6.0f, 0.0f, 0.0f, -0.603f, 0, 0, 0.1f},
                                     {8.0f, 0.0f, 0.0f, 0.603f, 0, 0, -0.1f},
                                     {1.0f, 0.0f, 0.939f, -1.195f, 0, 0.2f, 0},
                                     {1.0f, 0.0f, -0.939f, -1.195f, 0, -0.2f, 0}};
    loadMolecule(formaldehyde, 4, 0);
    EXPECT_LT(render::viewVolume[4], 7.0);
    const double turned[][3] = {{0, -0.939, -1.195}, {0, -1.139, -1.195}, {0.939, 0.939, 1.195}};
    for (const auto& p : turned) {
        project(p, nullptr, window);
        EXPECT_GT(window[2], 0.0) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_LT(window[2], 1.0) << p[0] << " " << p[1] << " " << p[2];
    }

    // A molecule already deeper than its reach keeps its stored bounds.
    const TestAtom deep[] = {{6.0f, 0.0f, 0.0f, 4.0f, 0, 0, 0}, {6.0f, 0.0f, 0.0f, -9.0f, 0, 0, 0}};
    loadMolecule(deep, 2, 0);
    double near = 0.0, far = 0.0;
    render::depthBounds(near, far);
    EXPECT_EQ(far, render::viewVolume[4]);
    EXPECT_LT(near, 1.0);
}

TEST_F(View, RoomForAnySwingWidensTheDepthBoundsAlone) {
    // An atom 4 from the origin that does not move: its reach is 4 plus the largest sphere.
    const TestAtom still[] = {{6.0f, 0.0f, 0.0f, 4.0f, 0, 0, 0}};
    loadMolecule(still, 1, 0);
    const double len = std::sqrt(33.0), sphere = 270.0 / 250.0;
    double near = 0.0, far = 0.0;
    render::depthBounds(near, far);
    EXPECT_NEAR(far, len + 4.0 + sphere, 1e-6);
    const double p[3] = {1.5, -0.5, 0.3};
    double before[3], after[3];
    project(p, nullptr, before);

    render::makeRoomForSwing(2.0);
    render::depthBounds(near, far);
    EXPECT_NEAR(near, len - 4.0 - 2.0 - sphere, 1e-6);
    EXPECT_NEAR(far, len + 4.0 + 2.0 + sphere, 1e-6);
    project(p, nullptr, after);
    EXPECT_NEAR(after[0], before[0], 1e-3);
    EXPECT_NEAR(after[1], before[1], 1e-3);
    EXPECT_NE(after[2], before[2]);
    expectProjection(p, 400, 400);

    // A swing beyond the room counts whole.
    render::motionTable[0][3] = 3.0f;
    render::depthBounds(near, far);
    EXPECT_NEAR(far, len + 4.0 + 3.0 + sphere, 1e-6);
    render::makeRoomForSwing(0.0);
}

} // namespace
} // namespace render_test
