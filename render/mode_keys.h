// The window's keys beyond the trackball, g and p: Right and Left step to the next and previous
// mode of the file, Up and Down change the amplitude by 0.1, a switches the displacement
// arrows, b ball and stick, l the atom labels, h lists the keys on the console.
//
// A step changes only the displacements (motionTable): the equilibrium geometry, the frame
// counter (the phase of the animation) and the x and y bounds of the view volume stay, so the
// picture neither jumps nor zooms. The depth bounds make room once for a swing of 2 Angstrom at
// every atom (a unit-length mode at the largest amplitude), so no atom is clipped in depth.
//
// Every change writes one console line, "Mode 7 of 54: 1234.56 cm**-1" (with ", amplitude
// 0.60" after a change of amplitude) and gives the window the title "Molvane - " and that line,
// with the amplitude. A key that would leave the range (mode 1..M, amplitude above 0 up to 2)
// changes nothing and writes nothing.
#pragma once

#include <string_view>

#include "reader/vibrations.h"

namespace render {

// Binds the keys for the file the dialogue read. The file's list of modes is read at the
// first step (unless the dialogue has read it already), each mode's vector at its step.
void bindModeKeys(std::string_view fileName, reader::Format format);

// What the keys do, callable without a window.
void stepMode(int step);        // +1 the next mode, -1 the previous one
void stepAmplitude(int tenths); // +1 up by 0.1, -1 down by 0.1
void switchArrows();            // on, off
void switchBallAndStick();      // on, off
void switchLabels();            // on, off; without a font, one console line says why not
void listKeys();                // the keys, on the console

// The largest amplitude the dialogue takes, and the swing it gives a unit-length mode.
inline constexpr float largestAmplitude = 2.0f;

} // namespace render
