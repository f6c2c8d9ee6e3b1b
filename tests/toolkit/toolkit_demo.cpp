// A small program on the toolkit: a window with an OpenGL context of the requested display mode
// at the requested place, the event loop with idle, display and reshape callbacks, and
// left-button handlers. It reports what happens on standard output, one line per event, for
// the tests that drive it: "open R", "reshape W H" (then "hidden after N frames" for 0 x 0),
// "display", "idle", "frame N" for the first frame, "press B X Y", "release B X Y", and
// "frames N" and "loop returned" at the end. Escape or closing the window ends it.
#include <cstdio>

#include <GL/gl.h>

#include "toolkit/toolkit.h"

namespace {

int frames = 0;
bool displaySeen = false;
bool idleSeen = false;

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    glLoadIdentity();
    glRotatef(float(frames % 360), 0.0f, 1.0f, 0.0f);
    toolkit::solidSphere(0.5);
    toolkit::swapWindowBuffers();
    if (++frames == 1) std::printf("frame 1\n");
}

void display() {
    if (!displaySeen) std::printf("display\n");
    displaySeen = true;
    drawFrame();
}

void idle() {
    if (!idleSeen) std::printf("idle\n");
    idleSeen = true;
    drawFrame();
}

void reshape(int width, int height) {
    std::printf("reshape %d %d\n", width, height);
    if (width == 0 || height == 0) std::printf("hidden after %d frames\n", frames);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

int press(toolkit::InputEvent* e) {
    std::printf("press %d %d %d\n", e->data[3], e->data[0], e->data[1]);
    return 1;
}

int release(toolkit::InputEvent* e) {
    std::printf("release %d %d %d\n", e->data[3], e->data[0], e->data[1]);
    return 1;
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    int opened = toolkit::openWindow("Toolkit demo");
    std::printf("open %d\n", opened);
    toolkit::setIdleCallback(idle);
    toolkit::setReshapeCallback(reshape);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, press);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease, release);
    if (opened) glEnable(GL_DEPTH_TEST);
    toolkit::runMainLoop(display);
    std::printf("frames %d\nloop returned\n", frames);
    return 0;
}
