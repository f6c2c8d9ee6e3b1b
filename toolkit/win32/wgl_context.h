// The window's pixel format and its WGL context.
#pragma once

#include "toolkit/win32/win32_state.h"

namespace toolkit::win32::wgl {

// The descriptor that asks for what the display mode word wants: size 40, version 1, drawing
// to a window with OpenGL, double-buffered for bit 0x2, the colour, alpha, accumulation, depth
// and stencil bits of the word, no auxiliary buffers, main plane. Other fields are 0.
PIXELFORMATDESCRIPTOR descriptorFromMode(unsigned mode);

// Chooses the closest format (ChoosePixelFormat), sets it on dc (SetPixelFormat) and has the
// palette made when the format needs one. Failures are reported; false when no format is set.
bool setupPixelFormat(HDC dc, unsigned mode);

// wglCreateContext and wglMakeCurrent on the window's device context; false after a report.
bool createContext();
bool makeCurrent();

// No context current, the context deleted, the device context released.
void release();

} // namespace toolkit::win32::wgl
