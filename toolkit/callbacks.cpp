// The callback layer: handler tables and their dispatch, the program-facing operations, the
// default callbacks, the single-buffer fallback and the Escape quit handler.
#include "toolkit/callbacks.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/callbacks_gl.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

struct MouseEntry {
    int button;
    MouseHandler handler;
};

struct KeyEntry {
    int key;
    KeyHandler handler;
};

struct MouseTable {
    MouseEntry entries[callbacks::mouseTableCapacity];
    int count;
};

struct Tables {
    MouseTable press, release, move;
    KeyEntry keys[callbacks::keyTableCapacity];
    int keyCount;
};

Tables tables{};

MouseTable* tableOfKind(int kind) {
    switch (kind) {
    case eventPress:
        return &tables.press;
    case eventRelease:
        return &tables.release;
    case eventMove:
        return &tables.move;
    default:
        return nullptr;
    }
}

int pressSlot(int x, int y, int buttons) {
    return callbacks::dispatchMouse(eventPress, x, y, buttons);
}
int releaseSlot(int x, int y, int buttons) {
    return callbacks::dispatchMouse(eventRelease, x, y, buttons);
}
int moveSlot(int x, int y, int buttons) {
    return callbacks::dispatchMouse(eventMove, x, y, buttons);
}

void quitHandler() {
    platform::destroyWindow();
    std::fflush(stdout);
    std::exit(0);
}

const char fallbackWarning[] = "Can't initialize a single buffer visual. Will use a double buffer "
                               "visual instead, only drawing into the front buffer.";

} // namespace

int callbacks::dispatchMouse(int kind, int x, int y, int buttons) {
    const MouseTable* table = tableOfKind(kind);
    if (!table) return 0;
    int called = 0;
    for (int i = 0; i < table->count; ++i) {
        for (int bit = 1; bit <= 4; bit <<= 1) { // left, right, middle
            if (table->entries[i].button != bit || (buttons & bit) == 0) continue;
            InputEvent event{kind, {x, y, 0, bit}};
            table->entries[i].handler(&event);
            called = 1;
        }
    }
    return called;
}

int callbacks::dispatchKey(int code, int) {
    int called = 0;
    for (int i = 0; i < tables.keyCount; ++i) {
        if (tables.keys[i].key != code) continue;
        tables.keys[i].handler();
        called = 1;
    }
    return called;
}

void callbacks::installDefaults() {
    layer::state.slots.reshape = gl::defaultReshape;
    layer::state.slots.release = releaseSlot;
    layer::state.slots.press = pressSlot;
    layer::state.slots.move = moveSlot;
    layer::state.slots.key = callbacks::dispatchKey;
    setKeyCallback(keyEscape, quitHandler);
}

void callbacks::reset() {
    tables = Tables{};
    layer::reset();
}

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

void setIdleCallback(DrawCallback callback) { layer::state.slots.idle = callback; }

void setReshapeCallback(ReshapeCallback callback) { layer::state.slots.reshape = callback; }

void setMouseCallback(int button, int kind, MouseHandler handler) {
    MouseTable* table = tableOfKind(kind);
    if (!table || table->count >= callbacks::mouseTableCapacity) return;
    table->entries[table->count++] = {button, handler};
}

void setKeyCallback(int key, KeyHandler handler) {
    if (tables.keyCount >= callbacks::keyTableCapacity) return;
    tables.keys[tables.keyCount++] = {key, handler};
}

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
