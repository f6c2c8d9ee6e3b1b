// The null window-system binding: no display and no GL context. Tests script the events
// it delivers and read back what the toolkit asked of it.
#pragma once

namespace toolkit::null {

// Screen position of the cursor; getCursorInWindow subtracts the drawing-area origin,
// which is (0, 0) until a placement or a move says otherwise.
void setCursorPosition(int x, int y);

} // namespace toolkit::null
