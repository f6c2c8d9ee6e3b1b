// The sphere cache with a real GL context: one list per distinct radius, exact keys, the
// sphere visible in the frame that records it, and a list name of 0 never found again.
#include <GL/gl.h>

#include "tests/toolkit/x11_test_support.h"
#include "toolkit/shape_cache.h"

namespace toolkit_test {
namespace {

using namespace toolkit;

using ShapeCache = X11Window;

void beginFrame() {
    glViewport(0, 0, 400, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Red of the back buffer's pixel, read before the swap.
int backPixel(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return rgb[0];
}

unsigned listOf(double radius) {
    return shapes::findShapeList(shapes::kindSolidSphere, &radius, 1);
}

TEST_F(ShapeCache, OneListPerRadiusAndTheSphereShowsInTheFrameThatRecordsIt) {
    int before = shapes::shapeListCount();
    beginFrame();
    solidSphere(0.5);
    EXPECT_EQ(backPixel(200, 200), 255) << "drawn while recorded";
    EXPECT_EQ(backPixel(200, 320), 0) << "radius 0.5 ends at y = 300";
    EXPECT_EQ(backPixel(200, 290), 255);
    EXPECT_EQ(backPixel(110, 200), 255);
    EXPECT_EQ(backPixel(290, 200), 255);
    EXPECT_EQ(backPixel(90, 200), 0);
    EXPECT_EQ(shapes::shapeListCount(), before + 1);
    unsigned list = listOf(0.5);
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    swapWindowBuffers();

    beginFrame();
    EXPECT_EQ(backPixel(200, 200), 0);
    solidSphere(0.5);
    EXPECT_EQ(backPixel(200, 200), 255) << "replayed";
    EXPECT_EQ(shapes::shapeListCount(), before + 1);
    EXPECT_EQ(listOf(0.5), list);

    solidSphere(0.4);
    solidSphere(0.4000000001);
    solidSphere(0.4);
    EXPECT_EQ(shapes::shapeListCount(), before + 3);
    EXPECT_NE(listOf(0.4), listOf(0.4000000001));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    swapWindowBuffers();
}

TEST_F(ShapeCache, ListFoundOnlyForTheExactKeyOfItsKind) {
    const double key[2] = {1.25, 3.0};
    unsigned list = shapes::addShapeList(shapes::kindSolidTorus, key, 2);
    ASSERT_NE(list, 0u);
    EXPECT_EQ(shapes::findShapeList(shapes::kindSolidTorus, key, 2), list);
    EXPECT_EQ(shapes::findShapeList(shapes::kindSolidTorus, key, 1), list) << "first doubles";
    EXPECT_EQ(shapes::findShapeList(shapes::kindWireTorus, key, 2), 0u);
    const double other[2] = {1.25, 3.0000000000000004};
    EXPECT_EQ(shapes::findShapeList(shapes::kindSolidTorus, other, 2), 0u);
    unsigned newer = shapes::addShapeList(shapes::kindSolidTorus, key, 2);
    EXPECT_EQ(shapes::findShapeList(shapes::kindSolidTorus, key, 2), newer) << "newest first";
    EXPECT_EQ(shapes::addShapeList(shapes::kindCapacity, key, 1), 0u);
    EXPECT_EQ(shapes::addShapeList(shapes::kindSolidBox, key, shapes::keyCapacity + 1), 0u);
}

TEST_F(ShapeCache, ListsAreForgottenWithTheContextAndRecordedAgainInTheNextWindow) {
    beginFrame();
    solidSphere(0.5);
    ASSERT_NE(listOf(0.5), 0u);
    platform::destroyWindow();
    EXPECT_EQ(shapes::shapeListCount(), 0);
    EXPECT_EQ(listOf(0.5), 0u);
    ASSERT_EQ(openWindow("toolkit x11 test"), 1);
    beginFrame();
    solidSphere(0.5);
    EXPECT_EQ(backPixel(200, 200), 255);
    EXPECT_TRUE(glIsList(listOf(0.5)));
}

TEST_F(ShapeCache, ListNameZeroIsNeverFoundAndTheSphereIsStillDrawn) {
    const double radius = 0.75;
    int before = shapes::shapeListCount();
    glBegin(GL_POINTS); // the GL gives no list names between begin and end
    EXPECT_EQ(shapes::addShapeList(shapes::kindSolidSphere, &radius, 1), 0u);
    glEnd();
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(shapes::shapeListCount(), before);
    EXPECT_EQ(listOf(0.75), 0u);
}

} // namespace
} // namespace toolkit_test
