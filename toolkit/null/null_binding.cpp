// The null binding (early stand-in): cursor position and pointer capture only.
#include "toolkit/null/null_binding.h"

#include "toolkit/toolkit.h"

namespace toolkit {

namespace {
int cursorX = 0;
int cursorY = 0;
} // namespace

void null::setCursorPosition(int x, int y) {
    cursorX = x;
    cursorY = y;
}

void getCursorInWindow(int& x, int& y) {
    x = cursorX;
    y = cursorY;
}

WindowHandle getWindowHandle() { return 0; }
void captureMouse(WindowHandle) {}
void releaseMouse() {}

} // namespace toolkit
