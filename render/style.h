// The drawing style that the window, the GIF and the still all read: spheres or ball and
// stick, atom labels, displacement arrows. All off at start (the keys b, l and a, the options
// --bonds, --labels and --arrows switch them on), which draws the spheres alone.
#pragma once

namespace render {

struct DrawingStyle {
    bool ballAndStick = false; // smaller spheres joined by the bonds' cylinders
    bool labels = false;       // element symbol and number beside each atom
    bool arrows = false;       // the displacement arrows (arrows.h)
};

extern DrawingStyle drawingStyle;

// In ball and stick, a sphere's radius is this share of its element's radius and each bond
// a cylinder of stickRadius Angstroms, each half in its atom's colour.
inline constexpr double ballShare = 0.7;
inline constexpr double stickRadius = 0.07;

// The radius in Angstroms of the sphere drawn for an atom in the current style.
double sphereRadius(float atomicNumber);

} // namespace render
