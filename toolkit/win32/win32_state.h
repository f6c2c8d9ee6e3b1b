// The Win32 binding's module state: the one window, its device context, its OpenGL context
// and, on palette displays, its palette.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace toolkit::win32 {

struct State {
    HWND window; // 0 when no window is open
    HDC dc;      // from GetDC, kept while the window lives
    HGLRC context;
    bool classRegistered;
};

extern State state;

// Window class and styles of the toolkit's window.
inline constexpr char windowClassName[] = "tkLibWClass";
inline constexpr UINT classStyle = CS_HREDRAW | CS_VREDRAW;
inline constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace toolkit::win32
