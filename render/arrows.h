// Displacement arrows: from each atom's sphere, an arrow along the atom's displacement in the
// shown mode, as long as the swing the amplitude gives it. Off at start; the key a turns them
// on and off.
#pragma once

namespace render {

// The switch, kept in the drawing style (style.h).
bool arrowsShown();
void setArrowsShown(bool shown);

// Colour of the arrows (red, green, blue; lit like the spheres): cyan, which neither an
// element, an axis nor the background has.
inline constexpr double arrowColour[3] = {0.0, 0.9, 0.9};

// Draws, for each atom whose displacement (motionTable) is not negligible, a lit arrow that
// starts on the surface of its sphere at the displaced position for the phase factor s, points
// along the displacement and is as long as the displacement (shaft and head). Expects the
// modelview matrix of the turned scene and leaves it, the current colour aside, as it found
// it; the current normal is put back, so that the axes of the next frame are lit as before.
// The shapes have `slices` slices round (12 in the window, more in a large still).
void drawArrows(float s, int slices = 12);

// The radius of an arrow's head in Angstroms.
inline constexpr double arrowHeadRadius = 0.1;

// Turns +z onto the unit vector u (a rotation multiplied onto the current matrix): the arrows'
// and the bonds' cylinders are made along +z.
void turnZOnto(const double u[3]);

} // namespace render
