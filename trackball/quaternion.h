// The trackball's pure mathematics: projection of a normalised cursor position onto the
// ball-and-sheet surface, rotation increments between two positions, composition of
// rotations with periodic renormalisation, and the rotation matrix of a quaternion.
// Nothing here touches the window toolkit or any module state.
#pragma once

namespace trackball {

// A quaternion is four floats x, y, z, w: (x, y, z) the vector part, w the scalar part.
// The identity rotation is (0, 0, 0, 1).

// Radius of the virtual ball in normalised window coordinates.
inline constexpr float ballRadius = 0.8f;

// Compositions between two renormalisations: the 98th composition renormalises.
inline constexpr int renormaliseAfter = 97;

// Height above the (x, y) plane of the surface point over the normalised position (x, y):
// on the sphere of radius r while the distance d from the centre is below r/sqrt(2),
// on the hyperbolic sheet z * d = r*r/2 beyond it. The two pieces meet at d = r/sqrt(2).
float projectToSurface(float r, float x, float y);

// Unit quaternion turning by angle phi (radians) about axis a. a is normalised in place;
// a zero axis gives the identity.
void axisToQuaternion(float a[3], float phi, float q[4]);

// Rotation increment q for a drag from the normalised point (p1x, p1y) to (p2x, p2y).
// Equal points give the identity. The angle is 2 asin(|P1 - P2| / (2 ballRadius)), twice the
// angle whose sine is the chord over the ball's diameter, with the ratio clamped to [-1, 1],
// so one increment never turns more than half a turn.
void rotationIncrement(float q[4], float p1x, float p1y, float p2x, float p2y);

// dest = the rotation q2 followed by q1 in the scene's frame (dest may be q2's storage).
// Adds 1 to count; when count then exceeds renormaliseAfter it is set back to 0 and dest is
// scaled to unit length, so rounding drift cannot build up over a long run.
void composeRotations(const float q1[4], const float q2[4], float dest[4], int& count);

// The 4 x 4 rotation matrix of q in OpenGL's column-major order (m[k] is column k / 4,
// row k % 4), ready for glMultMatrixf.
void rotationMatrix(const float q[4], float m[16]);

} // namespace trackball
