// Stills written to PNG files: the key p in the window, and `molvane --png` drawn offscreen.
#pragma once

#include <string>

#include "render/still.h"

namespace render {

// Binds p and P: a still of what the window shows (turns, style, labels, arrows, the frame of
// the moment, on its grey) at twice the window's size, written to molvane-mode<N>.png in the
// working directory (N the mode shown; -2, -3, ... added when that name is taken), and one
// console line naming it.
void bindStillKey();

// Draws the window's still now and writes it under the first free name of `stem`; one
// console line says what was written, or why nothing was.
void writeWindowStill(const std::string& stem);

// Draws the figure offscreen (no display needed) and writes it to `path`. Returns the exit
// status: 0 after one console line naming the file; 1 after one line on standard error naming
// the file and the reason (no file is left behind).
int exportStill(const char* path, const StillRequest& request);

} // namespace render
