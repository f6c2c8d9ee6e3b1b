// The events a window-system binding reports to the shared toolkit code. Positions are pixels
// from the drawing area's top-left corner; buttons are the toolkit's bits (1 left, 2 right,
// 4 middle); status is the modifier status (1 Shift, plus 2 Control).
#pragma once

namespace toolkit {

void inputResize(int width, int height); // drawing area resized (0 x 0 when minimised)
void inputMove(int x, int y);            // drawing area's top-left corner now at screen (x, y)
void inputPaint();                       // the drawing area needs painting
// buttonsHeld: the buttons still held once this press or release has happened.
void inputMouseButton(int x, int y, int button, bool pressed, int buttonsHeld);
void inputMouseMotion(int x, int y, int buttonsHeld);
void inputKey(int code, int status);       // a named key's code (Return, Escape, Space, arrows)
void inputChar(int character, int status); // a typed character
void inputClose();                         // the user asks to close the window
void inputDestroy();                       // the window is being destroyed

// Key code of a typed character: '0'-'9', 'a'-'z', 'A'-'Z' give their own code, all else 0.
int keyFromCharacter(int character);

} // namespace toolkit
