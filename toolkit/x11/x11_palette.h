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
// RGBA format the window's palette is made.
void formatChosen(const XVisualInfo& visual, GLXFBConfig config, bool colourIndex);
// The window (x11::state.window) shows colours through this palette visual with this layout:
// remembers the visual and has the palette made (inputPaletteNeeded).
void usePaletteVisual(const XVisualInfo& visual, const toolkit::palette::PixelLayout& layout);

// Event translation: focus in and out as activation, the window's colormap uninstalled by
// another client as a palette change, and the deferred realise request.
void focusChanged(const XFocusChangeEvent& event);
void colormapChanged(const XColormapEvent& event);
bool isDeferredRealise(const XClientMessageEvent& event);

// After the window's release: no palette visual, nothing selected or installed.
void forget();

} // namespace toolkit::x11::palette
