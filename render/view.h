// Fixed graphics set-up of the window: the clear colour and the reshape rule (viewport,
// orthographic view volume from the molecule's extent, fixed camera).
#pragma once

namespace render {

// Sets the clear colour to grey (0.75, 0.75, 0.75, 1).
void initClearColor();

// Reshape callback. Passes the size to the trackball, sets the viewport to the whole drawing
// area, and sets the projection matrix to glOrtho over viewVolume (left = viewVolume[1],
// right = [0], bottom = [3], top = [2], near = [5], far = [4]) times the camera at (2, 2, 5)
// looking at the origin with +y up. Leaves the modelview matrix selected. The projection does
// not depend on the size: a drawing area that is not square stretches the picture.
void reshapeView(int width, int height);

} // namespace render
