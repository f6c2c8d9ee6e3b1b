// Translation of X11 input to the toolkit's terms: buttons, keys and modifier status.
#pragma once

#include <X11/Xlib.h>

namespace toolkit::x11 {

// X11 button number to the toolkit's bit: left 1 -> 1, middle 2 -> 4, right 3 -> 2. The wheel
// (4 to 7) and any other button give 0: not a button of the toolkit.
int buttonFromX11(unsigned button);
// Buttons held in an event's state: 1 left, plus 4 middle, plus 2 right.
int buttonsFromState(unsigned state);
// Modifier status of an event's state: 1 Shift, plus 2 Control.
int statusFromState(unsigned state);
// Code of a named key: Return (and keypad Enter) 13, Escape 27, Space 32, the arrows (and the
// keypad arrows) 37 to 40; 0 for any other key, whose typed characters count instead.
int keyFromKeysym(KeySym keysym);

} // namespace toolkit::x11
