// The public window API (toolkit.h): placement and display mode, opening the window with the
// single-buffer fallback, the idle, reshape and before-swap callbacks, the swap, the cursor
// and the mouse capture.
#include <cstdio>
#include <cstdlib>

#include "toolkit/callbacks.h"
#include "toolkit/callbacks_gl.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

const char fallbackWarning[] = "Can't initialize a single buffer visual. Will use a double buffer "
                               "visual instead, only drawing into the front buffer.";

} // namespace

void setWindowPlacement(int x, int y, int width, int height) {
    layer::setPlacement(x, y, width, height);
}

void setDisplayMode(unsigned mode) { layer::setMode(mode); }

int openWindow(const char* title) {
    if (platform::windowOpen()) return 0; // one window at a time
    platform::OpenResult result = layer::open(title);
    if (result == platform::OpenResult::noDisplay) {
        std::fflush(stdout);
        std::exit(EXIT_FAILURE);
    }
    bool fellBack = false;
    if (result == platform::OpenResult::failed && !(layer::state.request.mode & modeDouble)) {
        layer::setMode(layer::state.request.mode | modeDouble);
        result = layer::open(title);
        fellBack = true;
    }
    if (result != platform::OpenResult::opened) {
        // The failure has been shown and dismissed; a run without its window has failed.
        std::fflush(stdout);
        std::exit(EXIT_FAILURE);
    }
    // The window discarded by a first attempt posted a quit request; this one runs on.
    layer::state.quitRequested = false;
    if (fellBack) reportWarning(fallbackWarning);

    callbacks::installDefaults();
    gl::setOpeningState();
    platform::requestSyncedSwaps();
    if (fellBack) gl::drawIntoFrontBuffer();
    return 1;
}

void setWindowTitle(const char* title) {
    if (platform::windowOpen()) platform::setTitle(title ? title : "");
}

void setIdleCallback(DrawCallback callback) { layer::state.slots.idle = callback; }

void setReshapeCallback(ReshapeCallback callback) { layer::state.slots.reshape = callback; }

void setBeforeSwapCallback(DrawCallback callback) { layer::state.beforeSwap = callback; }

void swapWindowBuffers() {
    if (layer::state.beforeSwap) layer::state.beforeSwap();
    platform::swapBuffers();
}

void getCursorInWindow(int& x, int& y) {
    platform::cursorPosition(x, y);
    x -= layer::state.originX;
    y -= layer::state.originY;
}

WindowHandle getWindowHandle() { return platform::windowHandle(); }

void captureMouse(WindowHandle window) { platform::captureMouse(window); }

void releaseMouse() { platform::releaseMouse(); }

} // namespace toolkit
