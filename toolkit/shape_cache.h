// The display-list cache behind the shape operations: per shape kind, a chain of lists keyed
// by the exact size parameters of the request that recorded them, newest first.
#pragma once

namespace toolkit::shapes {

constexpr int kindCapacity = 25;
constexpr int entryCapacity = 512; // lists over all kinds; beyond it shapes are drawn uncached
constexpr int keyCapacity = 4;     // size parameters per request

enum ShapeKind : int {
    kindWireSphere,
    kindSolidSphere,
    kindWireCube,
    kindSolidCube,
    kindWireBox,
    kindSolidBox,
    kindWireTorus,
    kindSolidTorus,
    kindWireCylinder,
    kindSolidCylinder,
    kindWireIcosahedron,
    kindSolidIcosahedron,
    kindWireOctahedron,
    kindSolidOctahedron,
    kindWireTetrahedron,
    kindSolidTetrahedron,
    kindWireDodecahedron,
    kindSolidDodecahedron,
    kindWireCone,
    kindSolidCone,
    kindSlicedSphere, // a solid sphere of a chosen number of slices
    kindSolidStick,   // a cylinder along +z of length 1, without caps
};

// List id of the newest entry of this kind whose key equals the first keyLength doubles of
// key exactly, element by element; 0 when there is none.
unsigned findShapeList(int kind, const double* key, int keyLength);

// Obtains one new list name from the GL (glGenLists(1)) and puts an entry with a copy of the
// key at the head of the kind's chain; returns the list id. When the GL gives no name, or the
// kind, the key length or the cache's room is out of range, no entry is made and 0 returned,
// so that request is never found and the caller draws the shape without a list.
unsigned addShapeList(int kind, const double* key, int keyLength);

// Number of entries made so far, over all kinds.
int shapeListCount();

// Forgets every entry without deleting lists: for when the GL context that held them is gone.
void forgetShapeLists();

} // namespace toolkit::shapes
