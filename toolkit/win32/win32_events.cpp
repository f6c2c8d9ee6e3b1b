// The Win32 message queue, the window procedure, which translates the window's messages into
// the toolkit's input events, and the clock and timed wait of the loop's pacing.
#include "toolkit/events.h"
#include "toolkit/platform.h"
#include "toolkit/win32/win32_input.h"
#include "toolkit/win32/win32_palette.h"
#include "toolkit/win32/win32_state.h"

namespace toolkit {

namespace {

using win32::state;

void paint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    inputPaint();
    EndPaint(window, &ps);
}

} // namespace

LRESULT CALLBACK win32::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Creation already sends WM_SIZE and WM_MOVE: the window is known from its first message.
    if (!state.window && message == WM_NCCREATE) state.window = window;
    if (window != state.window) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (palette::handleMessage(window, message, wParam, result)) return result;
    bool pressed = false;
    switch (message) {
    case WM_SIZE:
        inputResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOVE: // the drawing area's corner, signed: it may lie left of or above the screen
        inputMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        int button = buttonOfMessage(message, pressed);
        // The key state of a button message is the one after it.
        inputMouseButton(positionX(lParam), positionY(lParam), button, pressed,
                         buttonsFromKeyState(wParam));
        return 0;
    }
    case WM_MOUSEMOVE:
        inputMouseMotion(positionX(lParam), positionY(lParam), buttonsFromKeyState(wParam));
        return 0;
    case WM_KEYDOWN:
        if (int code = keyFromVirtualKey(wParam)) inputKey(code, currentStatus());
        return 0;
    case WM_CHAR:
        inputChar(int(wParam), currentStatus());
        return 0;
    case WM_CLOSE:
        inputClose();
        return 0;
    case WM_DESTROY:
        inputDestroy();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool platform::eventWaiting() {
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

// The quit request is the loop's own flag (posted by inputDestroy); a WM_QUIT from elsewhere
// carries nothing for this loop.
void platform::handleNextEvent() {
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

std::int64_t platform::clockMicroseconds() {
    LARGE_INTEGER frequency{}, count{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    const std::int64_t perSecond = frequency.QuadPart;
    return count.QuadPart / perSecond * 1000000 + count.QuadPart % perSecond * 1000000 / perSecond;
}

void platform::waitForEvent(std::int64_t microseconds) {
    if (microseconds <= 0 || eventWaiting()) return;
    // Whole milliseconds, rounded up: waking early would only wait again.
    MsgWaitForMultipleObjectsEx(0, nullptr, DWORD((microseconds + 999) / 1000), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

} // namespace toolkit
