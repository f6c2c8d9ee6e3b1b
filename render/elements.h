// Element colours and sphere sizes, by atomic number.
#pragma once

namespace render {

// Atomic numbers with an entry of their own: 1 to elementCount.
inline constexpr int elementCount = 112;

// A sphere's radius in Angstrom is its radius value / radiusScale.
inline constexpr double radiusScale = 250.0;
// The largest radius value of the table (francium), which bounds every sphere.
inline constexpr float largestRadius = 270.0f;

struct ElementStyle {
    double red, green, blue; // 0..1; alpha is always 1
    float radius;            // radius value; the sphere's radius is radius / radiusScale Angstrom
};

// Style of an atom given its atomic number as stored in the atom table (a float). The number
// is truncated toward zero; 1 to 112 give the element's entry (a stored 6.9 draws carbon).
// Anything else, 0, negative, beyond 112, NaN or infinite, gives unknownElementStyle.
const ElementStyle& elementStyle(float atomicNumber);

// Style of atoms with no element entry: dark grey (0.2, 0.2, 0.2), radius value 100
// (a sphere of 0.4 Angstrom), set apart from every element colour and from the grey
// background.
extern const ElementStyle unknownElementStyle;

} // namespace render
