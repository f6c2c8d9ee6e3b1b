// Shared set-up for the drawing tests: a GL window, the program's fixed drawing state,
// a molecule put through the reader's prepareViewData, and projection of scene points.
#pragma once

#include <gtest/gtest.h>

namespace render_test {

struct TestAtom {
    float atomicNumber;
    float x, y, z;
    float dx, dy, dz; // mode displacement as read; amplitude 1
};

// Opens the window and sets clear colour and drawing state, once. False when no display.
bool prepareWindow(const char*& why);

// Fixture of the drawing tests: the window is prepared before each test. Without DISPLAY the
// test is skipped; a display that is set but cannot be used fails it.
class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

// Fills the renderer's blocks from the atoms via reader::prepareViewData, reshapes the
// 400 x 400 view, puts the trackball back to the identity without a spin and sets the
// frame counter to `frame`.
void loadMolecule(const TestAtom* atoms, int count, int frame);

// Window position (x, y from the bottom, depth) of scene point p under the rotation
// matrix m (column-major; the identity when null) and the current projection and viewport.
void project(const double p[3], const float* m, double window[3]);

// The colour the lit sphere of colour c, centred at `centre` with the given radius, shows at
// its projected centre when the scene is not turned: ambient 0.2 c plus the diffuse part of
// light 0 at (3, 3, 3) on the surface point facing the camera at (2, 2, 5); 0..255.
void expectedSphereCentre(const double c[3], const double centre[3], double radius, double rgb[3]);

} // namespace render_test
