// prepareViewData: the renderer's tables and the bounds of the view volume.
#include "reader/run_data.h"

#include <gtest/gtest.h>

namespace {

int rendererCount = -1;
reader::AtomTable atomTable;
reader::AtomTable motionTable;
reader::ViewVolume viewVolume;

void setAtom(int i, double number, double x, double y, double z, float dx, float dy, float dz) {
    double* g = reader::geometry[i];
    g[0] = number, g[1] = x, g[2] = y, g[3] = z;
    float* m = reader::modeVector[i];
    m[0] = float(number), m[1] = dx, m[2] = dy, m[3] = dz;
}

void expectVolume(double right, double left, double top, double bottom, double far) {
    EXPECT_FLOAT_EQ(float(viewVolume[0]), float(right));
    EXPECT_FLOAT_EQ(float(viewVolume[1]), float(left));
    EXPECT_FLOAT_EQ(float(viewVolume[2]), float(top));
    EXPECT_FLOAT_EQ(float(viewVolume[3]), float(bottom));
    EXPECT_FLOAT_EQ(float(viewVolume[4]), float(far));
    EXPECT_EQ(viewVolume[5], 1.0);
}

} // namespace

TEST(ViewData, OneAtomPushedOutwardByItsDisplacement) {
    reader::atomCount = 1;
    reader::amplitude = 0.5f;
    setAtom(0, 6, 1.0, -2.0, 0.5, 0.1f, 0.2f, -0.3f);
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    EXPECT_EQ(rendererCount, 1);
    expectVolume(4.1, -3.0, 3.0, -5.2, 5.8);
    EXPECT_EQ(viewVolume[1], -3.0); // the minimum starts at 0, so x >= 0 gives exactly -3
    EXPECT_EQ(atomTable[0][0], 6.0f);
    EXPECT_EQ(atomTable[0][2], -2.0f);
    EXPECT_EQ(motionTable[0][3], 0.5f * -0.3f);
}

TEST(ViewData, NegativeCoordinatesGoOutwardWhateverTheSign) {
    reader::atomCount = 2;
    reader::amplitude = 1.0f;
    setAtom(0, 1, -1.0, 0.0, 0.0, 0.2f, 0.0f, 0.0f);
    setAtom(1, 1, 0.0, 0.0, 0.0, 0.0f, 0.0f, 0.0f);
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    expectVolume(3.0, -4.2, 3.0, -3.0, 5.0); // a plane at z = 0 without z motion: far = 5
}

TEST(ViewData, AmplitudeScalesMotionButNotTheVolume) {
    reader::atomCount = 2;
    setAtom(0, 8, 0.1, 0.2, 0.3, 0.05f, -0.07f, 0.71f);
    setAtom(1, 1, -0.4, 0.5, -0.6, -0.11f, 0.13f, -0.2f);
    reader::amplitude = 0.5f;
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    const reader::ViewVolume small = {viewVolume[0], viewVolume[1], viewVolume[2],
                                      viewVolume[3], viewVolume[4], viewVolume[5]};
    const float before = motionTable[1][2];
    reader::amplitude = 2.0f;
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(viewVolume[k], small[k]);
    EXPECT_FLOAT_EQ(motionTable[1][2], 4.0f * before);
}

TEST(ViewData, NoAtomsLeavesTheDefaultVolume) {
    reader::atomCount = 0;
    atomTable[0][1] = 42.0f;
    reader::prepareViewData(rendererCount, atomTable, motionTable, viewVolume);
    EXPECT_EQ(rendererCount, 0);
    expectVolume(3.0, -3.0, 3.0, -3.0, 5.0);
    EXPECT_EQ(atomTable[0][1], 42.0f);
}
