// The virtual trackball: left-button drags turn the scene. The cursor is sampled once per
// drawn frame (trackballRotationMatrix), each sample's motion becomes a rotation increment
// composed onto the current rotation, and a release while the cursor was still moving leaves
// the last increment applied on every later frame (a spin) until the next press.
// One trackball per program; all state is module-level.
#pragma once

#include "toolkit/toolkit.h"

namespace trackball {

// Takes the open window's handle from the toolkit (for the drag capture), stores the
// drawing-area size and sets the current rotation to the identity. Called once, after
// the window has been opened.
void trackballInit(int width, int height);

// Stores the drawing-area size used to normalise cursor positions. Called from the
// reshape callback on every reshape. A zero width or height suspends drag sampling.
void trackballResize(int width, int height);

// Mouse handler for the left button going down: captures the mouse to the window, remembers
// the press position (event->data[0], event->data[1]) and starts tracking. Returns 1.
int trackballPress(toolkit::InputEvent* event);

// Mouse handler for the left button going up: releases the capture and stops tracking.
// A spin in progress goes on. Returns 1.
int trackballRelease(toolkit::InputEvent* event);

// Advances the drag or the spin by one frame and writes the current rotation into m as a
// column-major 4 x 4 matrix. Called exactly once per drawn frame. While tracking, it reads
// the cursor: a move since the last sample becomes the new increment and sets spinning, no
// move clears spinning. While spinning, the last increment is composed on. A sample taken
// while the drawing area has zero width or height is skipped (nothing read or changed).
void trackballRotationMatrix(float m[16]);

} // namespace trackball
