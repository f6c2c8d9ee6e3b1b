// FBConfig choice, the GLX drawable, context creation, making current, release, swap and the
// swap interval.
#include "toolkit/x11/glx_context.h"

#include <cstring>

#include "toolkit/platform.h"

#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit::x11::glx {

namespace {

// Whether the space-separated extension list names the extension.
bool listed(const char* extensions, const char* name) {
    const std::size_t n = std::strlen(name);
    for (const char* p = extensions; p && (p = std::strstr(p, name)) != nullptr; p += n) {
        const bool starts = p == extensions || p[-1] == ' ';
        if (starts && (p[n] == ' ' || p[n] == '\0')) return true;
    }
    return false;
}

constexpr int configCapacity = 1024;

GLXWindow drawable = 0;
GLXContext context = nullptr;
FormatInfo formats[configCapacity];

int attribute(GLXFBConfig config, int name) {
    int value = 0;
    glXGetFBConfigAttrib(state.display, config, name, &value);
    return value;
}

// paletteVisuals: RGBA configs of PseudoColor and GrayScale visuals count as well; they show
// their colours through the window's palette (x11_palette.h).
FormatInfo describe(GLXFBConfig config, bool colourIndex, bool paletteVisuals) {
    FormatInfo f{};
    int visualType = attribute(config, GLX_X_VISUAL_TYPE);
    f.colourIndex = colourIndex;
    if (colourIndex) {
        f.usable = visualType == GLX_PSEUDO_COLOR || visualType == GLX_STATIC_COLOR;
        f.colourBits = attribute(config, GLX_BUFFER_SIZE);
    } else {
        f.usable =
            visualType == GLX_TRUE_COLOR || visualType == GLX_DIRECT_COLOR ||
            (paletteVisuals && (visualType == GLX_PSEUDO_COLOR || visualType == GLX_GRAY_SCALE));
        f.colourBits = attribute(config, GLX_RED_SIZE) + attribute(config, GLX_GREEN_SIZE) +
                       attribute(config, GLX_BLUE_SIZE);
    }
    XVisualInfo* visual = glXGetVisualFromFBConfig(state.display, config);
    if (!visual) f.usable = false;
    XFree(visual);
    f.doubleBuffer = attribute(config, GLX_DOUBLEBUFFER) != 0;
    f.alphaBits = attribute(config, GLX_ALPHA_SIZE);
    f.accumBits = attribute(config, GLX_ACCUM_RED_SIZE) + attribute(config, GLX_ACCUM_GREEN_SIZE) +
                  attribute(config, GLX_ACCUM_BLUE_SIZE) + attribute(config, GLX_ACCUM_ALPHA_SIZE);
    f.depthBits = attribute(config, GLX_DEPTH_SIZE);
    f.stencilBits = attribute(config, GLX_STENCIL_SIZE);
    return f;
}

} // namespace

bool chooseConfig(const BufferRequest& request, GLXFBConfig& config, XVisualInfo*& visual) {
    Display* display = state.display;
    int errorBase = 0, eventBase = 0, major = 0, minor = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) return false;
    if (!glXQueryVersion(display, &major, &minor) || (major == 1 && minor < 3)) return false;

    // clang-format off
    const int attributes[] = {
        GLX_X_RENDERABLE, True,
        GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
        GLX_RENDER_TYPE, request.colourIndex ? GLX_COLOR_INDEX_BIT : GLX_RGBA_BIT,
        GLX_DOUBLEBUFFER, request.doubleBuffer ? True : False,
        GLX_STEREO, False,
        GLX_LEVEL, 0,
        None,
    };
    // clang-format on
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, state.screen, attributes, &count);
    if (!configs) return false;
    if (count > configCapacity) count = configCapacity;
    // A true-colour format first; an RGBA format on a palette visual only when there is none.
    int chosen = -1;
    for (int pass = 0; pass < 2 && chosen < 0; ++pass) {
        for (int i = 0; i < count; ++i)
            formats[i] = describe(configs[i], request.colourIndex, pass == 1);
        chosen = closestFormat(request, formats, count);
    }
    if (chosen >= 0) {
        config = configs[chosen];
        visual = glXGetVisualFromFBConfig(display, config);
    }
    XFree(configs);
    return chosen >= 0 && visual != nullptr;
}

bool createSurface(GLXFBConfig config, Window window) {
    beginErrorTrap(state.display);
    drawable = glXCreateWindow(state.display, config, window, nullptr);
    if (endErrorTrap(state.display) != 0) drawable = 0;
    return drawable != 0;
}

bool createContext(GLXFBConfig config, bool colourIndex) {
    beginErrorTrap(state.display);
    context = glXCreateNewContext(
        state.display, config, colourIndex ? GLX_COLOR_INDEX_TYPE : GLX_RGBA_TYPE, nullptr, True);
    if (endErrorTrap(state.display) != 0 && context) {
        glXDestroyContext(state.display, context);
        context = nullptr;
    }
    return context != nullptr;
}

bool makeCurrent() {
    beginErrorTrap(state.display);
    bool made = glXMakeContextCurrent(state.display, drawable, drawable, context);
    return endErrorTrap(state.display) == 0 && made;
}

void release() {
    if (!state.display) return;
    beginErrorTrap(state.display);
    if (context) {
        glXMakeContextCurrent(state.display, None, None, nullptr);
        glXDestroyContext(state.display, context);
    }
    if (drawable) glXDestroyWindow(state.display, drawable);
    endErrorTrap(state.display);
    context = nullptr;
    drawable = 0;
}

void swapBuffers() {
    if (drawable) glXSwapBuffers(state.display, drawable);
}

} // namespace toolkit::x11::glx

namespace toolkit {

using x11::state;

void platform::requestSyncedSwaps() {
    using x11::glx::drawable;
    if (!state.display || !drawable) return;
    const char* extensions = glXQueryExtensionsString(state.display, state.screen);
    const auto address = [](const char* name) {
        return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
    };
    x11::beginErrorTrap(state.display);
    if (x11::glx::listed(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
        if (auto set = reinterpret_cast<SwapIntervalExt>(address("glXSwapIntervalEXT")))
            set(state.display, drawable, 1);
    } else if (x11::glx::listed(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMesa = int (*)(unsigned);
        if (auto set = reinterpret_cast<SwapIntervalMesa>(address("glXSwapIntervalMESA"))) set(1);
    }
    x11::endErrorTrap(state.display);
}

} // namespace toolkit
