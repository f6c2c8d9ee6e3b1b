// Translation of the binding's events into calls of the window layer's slots.
#include "toolkit/events.h"

#include "toolkit/platform.h"
#include "toolkit/shape_cache.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

using layer::state;

// Positions reach the slots as the two unsigned 16-bit halves of a position word, so a
// captured cursor left of or above the window reads as values near 65535.
int positionHalf(int v) { return v & 0xFFFF; }

void keySlot(int code, int status) {
    if (code != 0 && state.slots.key && state.slots.key(code, status)) layer::requestRedraw();
}

} // namespace

int keyFromCharacter(int c) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return c;
    return 0;
}

void inputResize(int width, int height) {
    state.width = width;
    state.height = height;
    if (state.slots.reshape) {
        state.slots.reshape(width, height);
        layer::requestRedraw();
    }
}

void inputMove(int x, int y) {
    state.originX = x;
    state.originY = y;
}

void inputPaint() {
    if (state.slots.display) state.slots.display();
}

// The capture lasts from the first press to the release of the last button held: a button
// released during a drag by another must not end the drag's capture.
void inputMouseButton(int x, int y, int button, bool pressed, int buttonsHeld) {
    layer::MouseSlot slot;
    if (pressed) {
        platform::captureMouse(platform::windowHandle());
        slot = state.slots.press;
    } else {
        if ((buttonsHeld & (buttonLeft | buttonRight | buttonMiddle)) == 0)
            platform::releaseMouse();
        slot = state.slots.release;
    }
    if (slot && slot(positionHalf(x), positionHalf(y), button)) layer::requestRedraw();
}

void inputMouseMotion(int x, int y, int buttonsHeld) {
    if (state.slots.move && state.slots.move(positionHalf(x), positionHalf(y), buttonsHeld))
        layer::requestRedraw();
}

void inputKey(int code, int status) { keySlot(code, status); }

void inputChar(int character, int status) { keySlot(keyFromCharacter(character), status); }

void inputClose() { platform::destroyWindow(); }

void inputDestroy() {
    platform::releaseContext();
    shapes::forgetShapeLists(); // their lists went with the context
    platform::forgetWindow();
    layer::clearSlots();
    state.quitRequested = true;
}

} // namespace toolkit
