// Win32 input messages in the toolkit's terms.
#include "toolkit/win32/win32_input.h"

#include "toolkit/toolkit.h"

namespace toolkit {

int win32::positionX(LPARAM position) { return int(LOWORD(position)); }

int win32::positionY(LPARAM position) { return int(HIWORD(position)); }

int win32::buttonOfMessage(UINT message, bool& pressed) {
    pressed = message == WM_LBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_RBUTTONDOWN;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return buttonLeft;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return buttonMiddle;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return buttonRight;
    default:
        pressed = false;
        return 0;
    }
}

int win32::buttonsFromKeyState(WPARAM keyState) {
    int buttons = 0;
    if (keyState & MK_LBUTTON) buttons |= buttonLeft;
    if (keyState & MK_MBUTTON) buttons |= buttonMiddle;
    if (keyState & MK_RBUTTON) buttons |= buttonRight;
    return buttons;
}

int win32::keyFromVirtualKey(WPARAM virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return keyReturn;
    case VK_ESCAPE:
        return keyEscape;
    case VK_SPACE:
        return keySpace;
    case VK_HOME:
        return keyHome;
    case VK_END:
        return keyEnd;
    case VK_LEFT:
        return keyLeft;
    case VK_UP:
        return keyUp;
    case VK_RIGHT:
        return keyRight;
    case VK_DOWN:
        return keyDown;
    default:
        return 0;
    }
}

int win32::statusFromKeys(bool shift, bool control) { return (shift ? 1 : 0) + (control ? 2 : 0); }

int win32::currentStatus() {
    return statusFromKeys(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
}

} // namespace toolkit
