// Palette displays on X11: a window whose visual is PseudoColor or GrayScale shows its colours
// through a writable colormap, the X11 hardware palette. An RGBA format there gets a colormap
// built from the shared palette, installed while the window has the focus and handed back
// when it loses it and at its end. True-colour visuals (the usual case) need none of this.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "toolkit/palette.h"

namespace toolkit::x11::palette {

// Whether an RGBA format on this visual needs a palette.
bool needsPalette(const XVisualInfo& visual);

// The pixel layout of an RGBA format on a palette visual. GLX says nothing about it; the
// components are taken as packed from the lowest bit up, red, green, blue (3-3-2 at 8 bits),
// the layout palette displays use elsewhere.
toolkit::palette::PixelLayout packedLayout(int colourBits, int redBits, int greenBits,
                                           int blueBits);

// Called by openWindow once the window of the chosen format exists: on a palette visual with an
// RGBA format the window's colormap is made.
void formatChosen(const XVisualInfo& visual, GLXFBConfig config, bool colourIndex, unsigned mode);
// The window (x11::state.window) shows colours through this palette visual with this layout:
// makes its colormap, selects it as the window's and installs it. With the takeover bit of the
// display mode (0x200) the colormap is the full colour cube, no standard colours fitted in.
void usePaletteVisual(const XVisualInfo& visual, const toolkit::palette::PixelLayout& layout,
                      unsigned mode);

// Event translation: focus in installs the colormap again, focus out hands the hardware
// colormap back; another client's install, which uninstalls this window's colormap, is noted.
void focusChanged(const XFocusChangeEvent& event);
void colormapChanged(const XColormapEvent& event);

// The window's colormap as it is now.
struct WindowColormap {
    Colormap colormap; // 0: none (true colour, or it could not be made)
    bool needed;       // the window's format needs one
    bool active;       // the window has the focus, as last reported
};
const WindowColormap& windowColormap();

// Hands the hardware colormap back and frees the window's colormap, the window's own
// colormap selected again; the first step of the window's release, before its GL context.
void release();

} // namespace toolkit::x11::palette
