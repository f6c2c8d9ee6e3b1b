// Frame-rate benchmark: a 1000-atom molecule of many elements drawn by the program's own
// frame (toolkit event loop, trackball, animation, cached spheres) beside a bare GLX loop
// that replays the same sphere lists at the same positions with nothing around it. The two
// alternate in slices inside one run, so that a busy machine slows both alike. Also the time
// from the end of the dialogue to the first frame shown. Needs $DISPLAY (Xvfb).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include "reader/run_data.h"
#include "render/elements.h"
#include "render/frame.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "render/view.h"
#include "tests/support/gl_window.h"
#include "tests/support/molecules.h"
#include "tests/support/x_helpers.h"
#include "toolkit/toolkit.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int atoms = 1000;
constexpr int warmupFrames = 10;
constexpr double sliceSeconds = 1.5;
constexpr int slices = 8;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// The bare loop: its own GLX window beside the program's, the same state and spheres, and
// no toolkit, trackball or animation.
struct Bare : testsupport::BareWindow {
    GLuint listOf[atoms];
    int distinct;
} bare;

bool openBare() {
    const char* why = "";
    if (!testsupport::openBareWindow(bare, 500, 10, 400, 400, "bare loop", why)) {
        std::fprintf(stderr, "render_bench: %s\n", why);
        return false;
    }

    render::initClearColor();
    render::initDrawingState();
    glViewport(0, 0, 400, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double* vv = render::viewVolume;
    double nearBound, farBound;
    render::depthBounds(nearBound, farBound);
    glOrtho(vv[1], vv[0], vv[3], vv[2], nearBound, farBound);
    gluLookAt(2.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // One list per distinct radius, looked up here once rather than per frame.
    static double radii[atoms];
    static GLuint lists[atoms];
    bare.distinct = 0;
    for (int i = 0; i < atoms; ++i) {
        const double r = render::elementStyle(render::atomTable[i][0]).radius / render::radiusScale;
        int k = 0;
        while (k < bare.distinct && radii[k] != r) ++k;
        if (k == bare.distinct) {
            radii[k] = r;
            lists[k] = glGenLists(1);
            glNewList(lists[k], GL_COMPILE);
            GLUquadric* q = gluNewQuadric();
            gluQuadricDrawStyle(q, GLU_FILL);
            gluQuadricNormals(q, GLU_SMOOTH);
            gluSphere(q, r, 16, 16);
            gluDeleteQuadric(q);
            glEndList();
            ++bare.distinct;
        }
        bare.listOf[i] = lists[k];
    }
    glXMakeCurrent(bare.display, None, nullptr);
    return true;
}

void bareFrame() {
    glPushMatrix();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < atoms; ++i) {
        glPopMatrix();
        glPushMatrix();
        glTranslated(render::atomTable[i][1], render::atomTable[i][2], render::atomTable[i][3]);
        const render::ElementStyle& s = render::elementStyle(render::atomTable[i][0]);
        glColor3d(s.red, s.green, s.blue);
        glCallList(bare.listOf[i]);
    }
    glXSwapBuffers(bare.display, bare.window);
    glPopMatrix();
}

// Frames per second of the bare loop over one slice, then the program's context again.
double bareSlice() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    const GLXContext context = glXGetCurrentContext();
    glXMakeCurrent(bare.display, bare.window, bare.context);
    for (int i = 0; i < warmupFrames; ++i) bareFrame();
    glFinish();
    const Clock::time_point start = Clock::now();
    long frames = 0;
    while (secondsSince(start) < sliceSeconds) {
        bareFrame();
        ++frames;
    }
    glFinish();
    const double fps = double(frames) / secondsSince(start);
    glXMakeCurrent(display, drawable, context);
    return fps;
}

// The program's own frame, run by the toolkit's event loop as the program starts it.
Display* closer = nullptr;
Clock::time_point dialogueEnd, sliceStart;
double firstFrameSeconds = -1.0;
long sliceFrames = -warmupFrames;
int slice = 0;
double ownFps[slices], bareFps[slices];

void closeWindow() { testsupport::x::sendDeleteWindow(closer, Window(toolkit::getWindowHandle())); }

void countedFrame() {
    render::drawFrame();
    if (firstFrameSeconds < 0.0) {
        glFinish();
        firstFrameSeconds = secondsSince(dialogueEnd);
    }
    if (slice == slices) return; // closing
    if (++sliceFrames == 0) {
        glFinish();
        sliceStart = Clock::now();
    }
    if (sliceFrames > 0 && secondsSince(sliceStart) >= sliceSeconds) {
        glFinish();
        ownFps[slice] = double(sliceFrames) / secondsSince(sliceStart);
        bareFps[slice] = bareSlice();
        std::printf("  slice %d: program %.2f frames/s (%ld frames), bare loop %.2f frames/s\n",
                    slice + 1, ownFps[slice], sliceFrames, bareFps[slice]);
        sliceFrames = -warmupFrames;
        if (++slice == slices) closeWindow();
    }
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "render_bench: set DISPLAY to an X server (e.g. Xvfb)\n");
        return 1;
    }
    testsupport::buildGridMolecule(atoms);
    if (!openBare()) return 1;
    closer = XOpenDisplay(nullptr);
    std::printf("1000 atoms (%d sphere lists), 400 x 400, %d slices of %.1f s per loop\n",
                bare.distinct, slices, sliceSeconds);

    // What the entry point does once the dialogue has returned.
    dialogueEnd = Clock::now();
    render::runGraphics(countedFrame);

    double ratios[slices], ownTotal = 0.0, bareTotal = 0.0;
    for (int i = 0; i < slices; ++i) {
        ratios[i] = bareFps[i] / ownFps[i];
        ownTotal += 1.0 / ownFps[i];
        bareTotal += 1.0 / bareFps[i];
    }
    std::sort(ratios, ratios + slices);
    std::printf("time from the end of the dialogue to the first frame shown: %.1f ms\n",
                firstFrameSeconds * 1000.0);
    std::printf("mean frame time: program %.1f ms, bare loop %.1f ms\n", 1000.0 * ownTotal / slices,
                1000.0 * bareTotal / slices);
    std::printf("frame cost, program / bare loop: %.3f overall, median of slices %.3f, "
                "range %.3f to %.3f (target at most 1.2)\n",
                ownTotal / bareTotal, 0.5 * (ratios[(slices - 1) / 2] + ratios[slices / 2]),
                ratios[0], ratios[slices - 1]);
    XCloseDisplay(closer);
    return 0;
}
