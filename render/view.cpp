// Clear colour and reshape rule.
#include "render/view.h"

#include <algorithm>
#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/elements.h"
#include "render/run_blocks.h"
#include "trackball/trackball.h"

namespace render {

namespace {

double swingRoom = 0.0;

void setProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiplyProjection();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void multiplyProjection() {
    double nearBound, farBound;
    depthBounds(nearBound, farBound);
    glOrtho(viewVolume[1], viewVolume[0], viewVolume[3], viewVolume[2], nearBound, farBound);
    gluLookAt(2.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void initClearColor() { glClearColor(0.75f, 0.75f, 0.75f, 1.0f); }

void initDrawingState() {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GLfloat lightPosition[4] = {3.0f, 3.0f, 3.0f, 1.0f};
    const GLfloat spotDirection[3] = {-1.0f, -1.0f, -1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spotDirection);
}

void depthBounds(double& nearBound, double& farBound) {
    const double eyeDistance = std::sqrt(2.0 * 2.0 + 2.0 * 2.0 + 5.0 * 5.0);
    const double longestAxis = 5.0;
    const double largestSphere = largestRadius / radiusScale;
    double reach = longestAxis;
    const int n = std::clamp(atomCount, 0, reader::atomCapacity);
    for (int i = 0; i < n; ++i) {
        const float* p = atomTable[i];
        const float* d = motionTable[i];
        const double swing = std::hypot(double(d[1]), double(d[2]), double(d[3]));
        const double atom = std::hypot(double(p[1]), double(p[2]), double(p[3])) +
                            (swing < swingRoom ? swingRoom : swing) + largestSphere;
        if (atom > reach) // also passes over NaN coordinates
            reach = atom;
    }
    nearBound = std::min(viewVolume[5], eyeDistance - reach);
    farBound = std::max(viewVolume[4], eyeDistance + reach);
}

void reshapeView(int width, int height) {
    trackball::trackballResize(width, height);
    glViewport(0, 0, width, height);
    setProjection();
}

void makeRoomForSwing(double swing) {
    swingRoom = swing;
    setProjection();
}

} // namespace render
