// One frame of the picture: the scene turned by the trackball, six half-axes through the
// origin (x blue, y red, z green; negative halves dash-dotted), every atom as a lit sphere
// coloured and sized by element at its displaced position for this frame, and, as the drawing
// style (style.h) asks, the bonds as cylinders, the displacement arrows and the atom labels.
#pragma once

namespace render {

// How a drawing of the scene differs between the window and a still.
struct ScenePass {
    bool axes = true;       // the coordinate axes (a figure has none)
    int sphereSlices = 0;   // the spheres' slices, and half as many stacks; 0: 16 and 16
    int stickSlices = 12;   // the bonds' cylinders' slices
    int arrowSlices = 12;   // the arrows' slices
    double labelPixels = 0; // height of the labels' letters in pixels of the drawing area
    int lineScale = 1;      // the axes' width and dashes, in the window's pixels
};

// The pass the window draws with in the current style, for a drawing area `height` pixels high.
ScenePass windowPass(int height);

// Display and idle callback. Draws into the back buffer, swaps, and advances the frame
// counter. Expects the modelview matrix selected and leaves the matrix stacks as it found
// them.
void drawFrame();

// The scene of the phase factor s without clearing, swapping or counting: expects the turned
// modelview matrix pushed once (drawFrame's order), and leaves it pushed.
void drawScene(const ScenePass& pass, float s);

} // namespace render
