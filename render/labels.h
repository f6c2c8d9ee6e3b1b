// Atom labels: the element symbol and the atom's number in the file's order ("C1", "H7")
// beside each atom, facing the viewer, dark letters on a light halo so that they read over any
// atom colour and background, drawn over the scene (never hidden by an atom).
#pragma once

#include <string_view>

namespace render {

// The letters' height in pixels for a drawing area `height` pixels high: 3.5 % of it, at least
// 12, so that labels scale with the picture.
double labelPixelsFor(int height);

// The label of atom `index` (from 0) of atomic number z into text; returns its length.
int atomLabel(int index, float atomicNumber, char (&text)[16]);

// Draws the labels of the atoms at their displaced positions for the phase factor s, `pixels`
// high, in the current viewport. Expects the modelview matrix of the turned scene and leaves
// every matrix and state as it found them. Without a font nothing is drawn.
void drawLabels(float s, double pixels);

} // namespace render
