// The callback layer: the handler tables and their dispatch, the default callbacks of a new
// window and the Escape quit handler.
#include "toolkit/callbacks.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/callbacks_gl.h"
#include "toolkit/platform.h"
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

void setMouseCallback(int button, int kind, MouseHandler handler) {
    MouseTable* table = tableOfKind(kind);
    if (!table || table->count >= callbacks::mouseTableCapacity) return;
    table->entries[table->count++] = {button, handler};
}

void setKeyCallback(int key, KeyHandler handler) {
    if (tables.keyCount >= callbacks::keyTableCapacity) return;
    tables.keys[tables.keyCount++] = {key, handler};
}

} // namespace toolkit
