// One frame of the picture: the scene turned by the trackball, six half-axes through the
// origin (x blue, y red, z green; negative halves dash-dotted), every atom as a lit sphere
// coloured and sized by element at its displaced position for this frame, and the
// displacement arrows when they are shown.
#pragma once

namespace render {

// Display and idle callback. Draws into the back buffer, swaps, and advances the frame
// counter. Expects the modelview matrix selected and leaves the matrix stacks as it found
// them.
void drawFrame();

} // namespace render
