// The trackball's module state, its mouse handlers and the per-frame update.
#include "trackball/trackball.h"

#include "trackball/quaternion.h"

namespace trackball {

namespace {
toolkit::WindowHandle window = 0;
int width = 0;
int height = 0;
int tracking = 0;
int spinning = 0;
int lastX = 0;
int lastY = 0;
float current[4] = {0.0f, 0.0f, 0.0f, 1.0f};
float lastIncrement[4] = {0.0f, 0.0f, 0.0f, 0.0f};
int compositionCount = 0;

float normalisedX(int x) { return (2.0f * float(x) - float(width)) / float(width); }
float normalisedY(int y) { return (float(height) - 2.0f * float(y)) / float(height); }
} // namespace

void trackballInit(int w, int h) {
    window = toolkit::getWindowHandle();
    width = w;
    height = h;
    rotationIncrement(current, 0.0f, 0.0f, 0.0f, 0.0f);
}

void trackballResize(int w, int h) {
    width = w;
    height = h;
}

int trackballPress(toolkit::InputEvent* event) {
    toolkit::captureMouse(window);
    lastX = event->data[0];
    lastY = event->data[1];
    tracking = 1;
    return 1;
}

int trackballRelease(toolkit::InputEvent*) {
    toolkit::releaseMouse();
    tracking = 0;
    return 1;
}

void trackballRotationMatrix(float m[16]) {
    if (tracking == 1 && width > 0 && height > 0) {
        int x = 0, y = 0;
        toolkit::getCursorInWindow(x, y);
        if (x == lastX && y == lastY) {
            spinning = 0;
        } else {
            rotationIncrement(lastIncrement, normalisedX(lastX), normalisedY(lastY), normalisedX(x),
                              normalisedY(y));
            spinning = 1;
        }
        lastX = x;
        lastY = y;
    }
    if (spinning == 1) {
        composeRotations(lastIncrement, current, current, compositionCount);
    }
    rotationMatrix(current, m);
}

} // namespace trackball
