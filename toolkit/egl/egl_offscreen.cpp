// The offscreen context on EGL: Mesa's surfaceless platform (no X server, no GPU needed; Mesa's
// software renderer draws), desktop OpenGL through eglBindAPI(EGL_OPENGL_API), and a pbuffer
// surface with the buffers of the mode word, chosen by the shared closest-format rule.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "toolkit/pixel_format.h"
#include "toolkit/platform.h"

namespace toolkit {

namespace {

constexpr int configCapacity = 256;

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;

int attribute(EGLConfig config, EGLint name) {
    EGLint value = 0;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

FormatInfo describe(EGLConfig config) {
    FormatInfo f{};
    f.usable = (attribute(config, EGL_RENDERABLE_TYPE) & EGL_OPENGL_BIT) != 0 &&
               attribute(config, EGL_COLOR_BUFFER_TYPE) == EGL_RGB_BUFFER;
    f.colourIndex = false;
    f.doubleBuffer = false;
    f.colourBits = attribute(config, EGL_RED_SIZE) + attribute(config, EGL_GREEN_SIZE) +
                   attribute(config, EGL_BLUE_SIZE);
    f.alphaBits = attribute(config, EGL_ALPHA_SIZE);
    f.depthBits = attribute(config, EGL_DEPTH_SIZE);
    f.stencilBits = attribute(config, EGL_STENCIL_SIZE);
    return f;
}

// Mesa's surfaceless platform when the EGL library offers it (an EGL without it refuses the
// platform), else the default display.
EGLDisplay openDisplay() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay) {
        EGLDisplay d =
            getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY) return d;
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

bool fail(const char*& why, const char* reason) {
    why = reason;
    platform::closeOffscreen();
    return false;
}

} // namespace

bool platform::openOffscreen(int width, int height, unsigned mode, const char*& why) {
    if (display != EGL_NO_DISPLAY) closeOffscreen();
    display = openDisplay();
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        display = EGL_NO_DISPLAY;
        return fail(why, "no offscreen OpenGL: EGL cannot be initialised");
    }
    if (!eglBindAPI(EGL_OPENGL_API))
        return fail(why, "no offscreen OpenGL: EGL offers no desktop OpenGL");

    BufferRequest request = bufferRequestFromMode(mode);
    request.doubleBuffer = false;
    if (request.colourIndex)
        return fail(why, "no offscreen OpenGL: colour-index drawing is not offered");
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_NONE};
    EGLConfig configs[configCapacity];
    FormatInfo formats[configCapacity];
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, configs, configCapacity, &count) || count <= 0)
        return fail(why, "no offscreen OpenGL: EGL has no pbuffer configuration for OpenGL");
    for (int i = 0; i < count; ++i) formats[i] = describe(configs[i]);
    const int chosen = closestFormat(request, formats, count);
    if (chosen < 0)
        return fail(why, "no offscreen OpenGL: no configuration has the buffers asked for");

    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, configs[chosen], size);
    if (surface == EGL_NO_SURFACE)
        return fail(why, "no offscreen OpenGL: the drawing surface cannot be made at this size");
    context = eglCreateContext(display, configs[chosen], EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return fail(why, "no offscreen OpenGL: no OpenGL context");
    if (!eglMakeCurrent(display, surface, surface, context))
        return fail(why, "no offscreen OpenGL: the context cannot be made current");
    return true;
}

void platform::closeOffscreen() {
    if (display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    // The display stays initialised (a later open initialises it again, which EGL allows):
    // terminating it unloads Mesa's driver, whose last allocations then show as leaks.
    eglReleaseThread();
    display = EGL_NO_DISPLAY;
    surface = EGL_NO_SURFACE;
    context = EGL_NO_CONTEXT;
}

} // namespace toolkit
