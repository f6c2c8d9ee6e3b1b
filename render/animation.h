// The vibration: a frame counter that advances once per drawn frame, the phase factor of the
// current frame, and the displaced position of an atom. One period takes 100 frames: at frame
// 0 every atom is at equilibrium, near frame 25 at its full displacement, near 75 at the
// opposite one. The speed on screen follows the frame rate; there is no clock.
#pragma once

#include "reader/run_data.h"

namespace render {

// sin(frame counter * 6.283 / 100.0), computed in double from the whole count (no error
// builds up from frame to frame) and rounded to float.
float phaseFactor();

// Displayed position of atom `index` (0-based) for the phase factor s: equilibrium
// + s * displacement, each coordinate formed in double from the tables' floats.
void displayedPosition(const reader::AtomTable& atoms, const reader::AtomTable& motion, int index,
                       float s, double position[3]);

// Adds 1 to the frame counter. After the largest 32-bit count (2^31 - 1, years of frames at
// ordinary rates) the counter starts again at 0, at equilibrium, instead of overflowing.
void advanceFrameCounter();

// The frame counter: 0 at program start. The setter exists for tests and benchmarks.
int frameCounter();
void setFrameCounter(int count);

} // namespace render
