// The vibration as an animated GIF: recorded from the window on the key g, or drawn offscreen
// for `molvane --gif`. Both draw with drawFrame and hand the frames to the GIF recorder.
#pragma once

#include "render/step_keys.h"

namespace render {

constexpr int gifFrameCount = 100; // one period of the vibration

// Binds g and G: the next 100 frames, as the window shows them (mode, amplitude and arrows),
// are written to molvane-mode<N>.gif in the working directory (N the mode shown when the key
// was pressed; an existing file is kept and -2, -3, ... added to the new name), and one
// console line says what was written. The animation runs on meanwhile. Call before or after
// openWindow.
void bindGifKey();

// Draws frames 0 to 99 from the window's starting view into an offscreen size x size picture
// and writes them to `path`. Returns the exit status: 0 after one console line naming the file;
// 1 after one line on standard error naming the file and the reason (no file is left behind).
int exportGif(const char* path, int size);

// A path as a GIF: every step, first to last, held for pathFramesPerStep frames (10 steps a
// second), looping. In the window the key g writes it to molvane-path.gif (-2, -3, ... when
// taken) at the window's size and shows the step shown before again; exportPathGif draws it
// offscreen, size x size, to `path`, with exportGif's console line and failures.
constexpr int pathFramesPerStep = 5;
void bindPathGifKey(const StepSource& steps);
int exportPathGif(const char* path, int size, const StepSource& steps);

} // namespace render
