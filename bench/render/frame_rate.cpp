// Frame-rate benchmark: a 1000-atom molecule of many elements drawn by the program's own
// frame (toolkit event loop, trackball, animation, cached spheres) beside a bare GLX loop
// that replays the same sphere lists at the same positions with nothing around it. Also
// the time from the end of the dialogue to the first frame shown. Needs $DISPLAY (Xvfb).
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
#include "render/view.h"
#include "toolkit/toolkit.h"
#include "trackball/trackball.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int atoms = 1000;
constexpr int warmupFrames = 10;
constexpr double measureSeconds = 6.0;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// A 10 x 10 x 10 block of atoms cycling through the elements (about 80 distinct radii).
void buildMolecule() {
    reader::atomCount = atoms;
    reader::amplitude = 0.5f;
    for (int i = 0; i < atoms; ++i) {
        const double z = 1 + (i * 37) % 112;
        reader::geometry[i][0] = z;
        reader::geometry[i][1] = (i % 10 - 4.5) * 1.1;
        reader::geometry[i][2] = (i / 10 % 10 - 4.5) * 1.1;
        reader::geometry[i][3] = (i / 100 - 4.5) * 1.1;
        reader::modeVector[i][0] = float(z);
        reader::modeVector[i][1] = float(0.3 * std::sin(i * 0.7));
        reader::modeVector[i][2] = float(0.3 * std::cos(i * 1.3));
        reader::modeVector[i][3] = float(0.2 * std::sin(i * 2.1));
    }
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
}

// The bare loop: own GLX window, the same state and spheres, no toolkit, trackball or animation.
double bareFramesPerSecond() {
    Display *display = XOpenDisplay(nullptr);
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
        8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo *visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes wa = {};
    wa.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    wa.event_mask = StructureNotifyMask;
    const Window window = XCreateWindow(display, root, 50, 10, 400, 400, 0, visual->depth,
                                        InputOutput, visual->visual, CWColormap | CWEventMask, &wa);
    XMapWindow(display, window);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    glXMakeCurrent(display, window, context);

    render::initClearColor();
    render::initDrawingState();
    glViewport(0, 0, 400, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double *vv = render::viewVolume;
    glOrtho(vv[1], vv[0], vv[3], vv[2], vv[5], vv[4]);
    gluLookAt(2.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // One list per distinct radius, looked up once here rather than per frame.
    static GLuint listOf[atoms];
    static double radii[atoms];
    static GLuint lists[atoms];
    int distinct = 0;
    for (int i = 0; i < atoms; ++i) {
        const double r = render::elementStyle(render::atomTable[i][0]).radius / 250.0;
        int k = 0;
        while (k < distinct && radii[k] != r)
            ++k;
        if (k == distinct) {
            radii[k] = r;
            lists[k] = glGenLists(1);
            glNewList(lists[k], GL_COMPILE);
            GLUquadric *q = gluNewQuadric();
            gluQuadricDrawStyle(q, GLU_FILL);
            gluQuadricNormals(q, GLU_SMOOTH);
            gluSphere(q, r, 16, 16);
            gluDeleteQuadric(q);
            glEndList();
            ++distinct;
        }
        listOf[i] = lists[k];
    }

    auto frame = [&] {
        glPushMatrix();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int i = 0; i < atoms; ++i) {
            glPopMatrix();
            glPushMatrix();
            glTranslated(render::atomTable[i][1], render::atomTable[i][2], render::atomTable[i][3]);
            const render::ElementStyle &s = render::elementStyle(render::atomTable[i][0]);
            glColor3d(s.red, s.green, s.blue);
            glCallList(listOf[i]);
        }
        glXSwapBuffers(display, window);
        glPopMatrix();
    };
    for (int i = 0; i < warmupFrames; ++i)
        frame();
    glFinish();
    const Clock::time_point start = Clock::now();
    long frames = 0;
    while (secondsSince(start) < measureSeconds) {
        frame();
        ++frames;
    }
    glFinish();
    const double fps = double(frames) / secondsSince(start);

    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    XDestroyWindow(display, window);
    XFree(visual);
    XCloseDisplay(display);
    std::printf("  bare loop: %d sphere lists, %ld frames, %.2f frames/s\n", distinct, frames, fps);
    return fps;
}

// The program's own frame, run by the toolkit's event loop exactly as the program starts it.
Display *closer = nullptr;
Clock::time_point dialogueEnd, measureStart;
double firstFrameSeconds = -1.0;
long ownFrames = 0;
bool closing = false;

void countedFrame() {
    render::drawFrame();
    if (firstFrameSeconds < 0.0) {
        glFinish();
        firstFrameSeconds = secondsSince(dialogueEnd);
    }
    if (closing)
        return;
    ++ownFrames;
    if (ownFrames == warmupFrames) {
        glFinish();
        measureStart = Clock::now();
    }
    if (ownFrames > warmupFrames && secondsSince(measureStart) >= measureSeconds) {
        // Close the window as a window manager would; the event loop then returns.
        glFinish();
        closing = true;
        const Window w = Window(toolkit::getWindowHandle());
        XEvent e = {};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(closer, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(XInternAtom(closer, "WM_DELETE_WINDOW", False));
        XSendEvent(closer, w, False, NoEventMask, &e);
        XFlush(closer);
    }
}

double ownFramesPerSecond() {
    closer = XOpenDisplay(nullptr);
    dialogueEnd = Clock::now();
    toolkit::setWindowPlacement(50, 10, 400, 400);
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    toolkit::openWindow("Molvane Version 1.14");
    toolkit::setIdleCallback(countedFrame);
    render::initClearColor();
    toolkit::setReshapeCallback(render::reshapeView);
    render::initDrawingState();
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventPress, trackball::trackballPress);
    toolkit::setMouseCallback(toolkit::buttonLeft, toolkit::eventRelease,
                              trackball::trackballRelease);
    trackball::trackballInit(300, 300);
    toolkit::runMainLoop(countedFrame);
    const double measured = secondsSince(measureStart);
    const double fps = double(ownFrames - warmupFrames) / measured;
    XCloseDisplay(closer);
    std::printf("  program frame: %ld frames, %.2f frames/s\n", ownFrames - warmupFrames, fps);
    return fps;
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "render_bench: set DISPLAY to an X server (e.g. Xvfb)\n");
        return 1;
    }
    buildMolecule();
    std::printf("1000 atoms, 400 x 400, %.0f s per run\n", measureSeconds);
    const double bareBefore = bareFramesPerSecond();
    const double own = ownFramesPerSecond();
    const double bareAfter = bareFramesPerSecond();
    const double bare = 0.5 * (bareBefore + bareAfter);
    std::printf("time from the end of the dialogue to the first frame shown: %.1f ms\n",
                firstFrameSeconds * 1000.0);
    std::printf("frame cost, program / bare loop: %.3f (target at most 1.2)\n", bare / own);
    return 0;
}
