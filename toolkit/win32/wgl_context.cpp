// Pixel format from the display mode word, the WGL context and its swap interval.
#include "toolkit/win32/wgl_context.h"

#include <cstdint>

#include "toolkit/pixel_format.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"
#include "toolkit/win32/win32_palette.h"

namespace toolkit {

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

namespace {

using win32::state;

unsigned long handleNumber(const void* handle) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(handle));
}

} // namespace

PIXELFORMATDESCRIPTOR win32::wgl::descriptorFromMode(unsigned mode) {
    BufferRequest r = bufferRequestFromMode(mode);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (r.doubleBuffer) pfd.dwFlags |= PFD_DOUBLEBUFFER;
    pfd.iPixelType = r.colourIndex ? PFD_TYPE_COLORINDEX : PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(r.colourBits);
    pfd.cAlphaBits = BYTE(r.alphaBits);
    pfd.cAccumBits = BYTE(r.accumBits);
    pfd.cDepthBits = BYTE(r.depthBits);
    pfd.cStencilBits = BYTE(r.stencilBits);
    pfd.cAuxBuffers = 0;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

bool win32::wgl::setupPixelFormat(HDC dc, unsigned mode) {
    PIXELFORMATDESCRIPTOR wanted = descriptorFromMode(mode);
    int format = ChoosePixelFormat(dc, &wanted);
    if (format == 0) {
        reportError("Selecting a pixel format failed\n");
        return false;
    }
    if (!SetPixelFormat(dc, format, &wanted)) {
        reportError("SetPixelFormat failed\n");
        return false;
    }
    // Read back what was set: an RGBA format on a palette display needs a palette.
    int current = GetPixelFormat(dc);
    if (current == 0) {
        reportError("Could not get pixel format for Dc 0x%08lX\n", handleNumber(dc));
        return true;
    }
    PIXELFORMATDESCRIPTOR chosen{};
    if (DescribePixelFormat(dc, current, sizeof chosen, &chosen) == 0) {
        reportError("Could not get a description of pixel format %d\n", current);
        return true;
    }
    palette::formatChosen(chosen, mode);
    return true;
}

bool win32::wgl::createContext() {
    state.context = wglCreateContext(state.dc);
    if (state.context) return true;
    reportError("wglCreateContext Failed\n");
    return false;
}

bool win32::wgl::makeCurrent() {
    if (wglMakeCurrent(state.dc, state.context)) return true;
    reportError("wglMakeCurrent Failed\n");
    return false;
}

void win32::wgl::release() {
    if (state.context) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(state.context);
    }
    if (state.dc) ReleaseDC(state.window, state.dc);
    state.context = nullptr;
    state.dc = nullptr;
}

// WGL_EXT_swap_control: the entry point exists only where the driver offers the extension.
void platform::requestSyncedSwaps() {
    if (!state.context) return;
    using SwapInterval = BOOL(WINAPI*)(int);
    PROC address = wglGetProcAddress("wglSwapIntervalEXT");
    if (auto set = reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(address))) set(1);
}

} // namespace toolkit
