// The Win32 window: class registration, placement, opening with its pixel format and WGL
// context, destruction and release, size, cursor, capture and redraw requests.
#include <cstdint>

#include "toolkit/events.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"
#include "toolkit/win32/wgl_context.h"
#include "toolkit/win32/win32_state.h"

namespace toolkit {

win32::State win32::state{};

namespace {

using win32::state;

// A window destroyed after an earlier open leaves the class registered; that is no failure.
bool registerClass() {
    if (state.classRegistered) return true;
    WNDCLASSA c{};
    c.style = win32::classStyle;
    c.lpfnWndProc = win32::windowProcedure;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    c.lpszMenuName = nullptr;
    c.lpszClassName = win32::windowClassName;
    state.classRegistered = RegisterClassA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return state.classRegistered;
}

platform::OpenResult failAfterWindow() {
    platform::destroyWindow();
    return platform::OpenResult::failed;
}

unsigned long handleNumber(const void* handle) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(handle));
}

} // namespace

platform::OpenResult platform::openWindow(const WindowRequest& r) {
    if (!registerClass()) {
        reportError("Failed to register window class\n");
        return OpenResult::failed;
    }
    // The outer rectangle around a drawing area of the requested size at the estimated origin.
    int originX = 0, originY = 0;
    originEstimate(r.x, r.y, originX, originY);
    RECT outer = {originX, originY, originX + r.width, originY + r.height};
    AdjustWindowRect(&outer, win32::windowStyle, FALSE);
    int x = r.defaultPosition ? CW_USEDEFAULT : int(outer.left);
    int y = r.defaultPosition ? CW_USEDEFAULT : int(outer.top);
    state.window = CreateWindowA(win32::windowClassName, r.title ? r.title : "", win32::windowStyle,
                                 x, y, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!state.window) {
        reportError("create window failed\n");
        return OpenResult::failed;
    }
    if (r.defaultPosition) {
        RECT placed{};
        GetWindowRect(state.window, &placed);
        originEstimate(placed.left, placed.top, originX, originY);
        inputMove(originX, originY);
    }
    state.dc = GetDC(state.window);
    if (!state.dc) {
        reportError("Could not get an HDC for window 0x%08lX\n", handleNumber(state.window));
        return failAfterWindow();
    }
    ShowWindow(state.window, SW_SHOWDEFAULT);
    if (!win32::wgl::setupPixelFormat(state.dc, r.mode)) return failAfterWindow();
    if (!win32::wgl::createContext() || !win32::wgl::makeCurrent()) return failAfterWindow();
    return OpenResult::opened;
}

void platform::destroyWindow() {
    if (state.window) DestroyWindow(state.window); // WM_DESTROY reports inputDestroy
}

void platform::releaseContext() { win32::wgl::release(); }

void platform::forgetWindow() {
    state.window = nullptr;
    state.dc = nullptr;
    state.context = nullptr;
}

bool platform::windowOpen() { return state.window != nullptr; }

void platform::setTitle(const char* title) { SetWindowTextA(state.window, title); }

WindowHandle platform::windowHandle() { return reinterpret_cast<WindowHandle>(state.window); }

void platform::drawingAreaSize(int& width, int& height) {
    RECT client{};
    if (state.window && GetClientRect(state.window, &client)) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
}

// Sizing-border width, and caption height less border plus sizing-border height, from the window's
// outer top-left corner to the drawing area's.
void platform::originEstimate(int x, int y, int& originX, int& originY) {
    originX = x + GetSystemMetrics(SM_CXFRAME);
    originY = y + GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER) +
              GetSystemMetrics(SM_CYFRAME);
}

// A paint already waiting for the window covers this request too.
void platform::requestRedraw() {
    if (!state.window) return;
    MSG waiting;
    if (PeekMessageA(&waiting, state.window, WM_PAINT, WM_PAINT, PM_NOREMOVE)) return;
    InvalidateRect(state.window, nullptr, FALSE);
}

void platform::swapBuffers() {
    if (state.dc) SwapBuffers(state.dc);
}

void platform::cursorPosition(int& x, int& y) {
    POINT p{};
    GetCursorPos(&p);
    x = p.x;
    y = p.y;
}

void platform::captureMouse(WindowHandle window) {
    if (window != 0) SetCapture(reinterpret_cast<HWND>(window));
}

void platform::releaseMouse() { ReleaseCapture(); }

} // namespace toolkit
