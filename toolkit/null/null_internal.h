// What the null binding's two halves (window and palette) ask of each other.
#pragma once

namespace toolkit::null::internal {

// null_binding.cpp
void noteRelease(const char* step); // a step of the window's release, in releaseOrder
void pushDeferredRealise();         // the deferred realise request joins the scripted queue

// null_palette.cpp
void paletteAtOpen(); // the open's format needs a palette when the test has said so
void resetPalette();

} // namespace toolkit::null::internal
