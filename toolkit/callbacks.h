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

// Empties the tables and forgets the mode, the window layer included.
void reset();

} // namespace toolkit::callbacks
