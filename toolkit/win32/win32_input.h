// Translation of Win32 input messages to the toolkit's terms: positions, buttons, keys and
// modifier status.
#pragma once

#include "toolkit/win32/win32_state.h"

namespace toolkit::win32 {

// The two halves of a message's position word, as unsigned 16-bit numbers: a cursor left of or
// above a window that has captured it reads as values near 65535.
int positionX(LPARAM position);
int positionY(LPARAM position);

// Button of a button message: left 1, right 2, middle 4, with pressed set for the down
// messages; 0 for any other message.
int buttonOfMessage(UINT message, bool& pressed);
// Buttons held, from the key-state word of a mouse message: 1 left, plus 4 middle, plus 2 right.
int buttonsFromKeyState(WPARAM keyState);
// Code of a named key: Return 13, Escape 27, Space 32, the arrows 37 to 40; 0 for any other.
int keyFromVirtualKey(WPARAM virtualKey);
// Modifier status: 1 Shift, plus 2 Control.
int statusFromKeys(bool shift, bool control);
// The same, from the keyboard state of the message being handled.
int currentStatus();

} // namespace toolkit::win32
