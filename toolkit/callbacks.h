// The callback layer's handler tables and dispatchers, as the window layer's slots see them.
#pragma once

namespace toolkit::callbacks {

constexpr int mouseTableCapacity = 20;
constexpr int keyTableCapacity = 200;

// Calls every handler of the table of this kind (eventPress, eventRelease, eventMove) whose
// button is one of the bits of buttons; 1 when any was called, else 0.
int dispatchMouse(int kind, int x, int y, int buttons);
// Calls every key handler registered for code, in registration order; 1 when any was called.
int dispatchKey(int code, int status);

// Fills the window layer's slots for a window just opened: the default reshape, the handler
// tables' dispatchers for the mouse and the keys, and Escape bound to ending the program.
void installDefaults();

// Empties the tables and puts the window layer back as before any call (mode, slots,
// placement, before-swap callback).
void reset();

} // namespace toolkit::callbacks
