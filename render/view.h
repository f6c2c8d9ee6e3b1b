// Fixed graphics set-up of the window: the clear colour and the reshape rule (viewport,
// orthographic view volume from the molecule's extent, fixed camera).
#pragma once

namespace render {

// Sets the clear colour to grey (0.75, 0.75, 0.75, 1).
void initClearColor();

// Fixed drawing state: enables alpha test, depth test, colour material, lighting, light 0 and
// blending (source alpha, one minus source alpha), and puts light 0 at (3, 3, 3), shining
// towards (-1, -1, -1). Call while the modelview matrix is the identity, so that the light
// stays fixed in the frame in which the turned molecule is drawn.
void initDrawingState();

// Reshape callback. Passes the size to the trackball, sets the viewport to the whole drawing
// area, and sets the projection matrix to glOrtho over viewVolume (left = viewVolume[1],
// right = [0], bottom = [3], top = [2], near and far from depthBounds) times the camera at
// (2, 2, 5) looking at the origin with +y up. Leaves the modelview matrix selected. The
// projection does not depend on the size: a drawing area that is not square stretches the
// picture.
void reshapeView(int width, int height);

// The window's projection (the glOrtho and camera of reshapeView) multiplied onto the current
// matrix, for a still that draws the window's view in tiles.
void multiplyProjection();

// Near and far bounds of the view volume along the line of sight. The stored bounds (near 1.0,
// far the z spread plus 5.0) would clip whatever lies deeper: in a flat molecule such as
// formaldehyde a hydrogen atom, the origin and the negative z axis, and in any molecule the
// atoms the trackball turns away from the camera. So the bounds are widened, never narrowed,
// to hold the sphere about the origin that contains the axes and every atom at its largest
// swing, in any orientation. After makeRoomForSwing each atom's swing counts as at least that
// room.
void depthBounds(double& nearBound, double& farBound);

// For a mode or an amplitude changed in the window: from now on the depth bounds give every
// atom room for a swing of at least `swing` Angstroms, and the projection is set again for the
// current viewport. Only the depth bounds can change: the x and y bounds of viewVolume stay
// those of the start, so the picture neither moves nor zooms.
void makeRoomForSwing(double swing);

} // namespace render
