// The GLX side of the X11 binding: format choice, the window's GLX drawable and its context.
#pragma once

#include <GL/glx.h>

#include "toolkit/pixel_format.h"

namespace toolkit::x11::glx {

// The closest FBConfig of the display for the request (closestFormat over the configs that can
// draw into a window) and its X visual, to be freed with XFree. False when the display has no
// GLX 1.3 or no config qualifies.
bool chooseConfig(const BufferRequest& request, GLXFBConfig& config, XVisualInfo*& visual);

// The GLX drawable of the window: what the context draws into and swaps (Win32's device
// context). False when it cannot be made.
bool createSurface(GLXFBConfig config, Window window);
bool createContext(GLXFBConfig config, bool colourIndex);
bool makeCurrent();

// No context current; context and drawable destroyed. Safe to call when nothing was made.
void release();

void swapBuffers();

} // namespace toolkit::x11::glx
