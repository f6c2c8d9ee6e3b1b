// Glyphs for the atom labels: the letters and digits of a sans-serif font found through
// fontconfig, rasterised by FreeType at one pixel size at a time and kept as alpha textures of
// the current OpenGL context. The window and the stills draw them alike (labels.h). The
// Windows build has no FreeType: there every glyph is missing, and fontMissing says so.
#pragma once

namespace render::glyphs {

struct Glyph {
    unsigned texture;  // GL_ALPHA texture of width x height; 0 for a blank glyph
    int width, height; // pixels
    int left, top;     // from the pen position on the baseline to the bitmap's top-left corner
    double advance;    // pen movement in pixels
};

// The glyph of character c (letters and digits) rasterised `pixels` high (the font's em
// size), in the current context; nullptr when there is no font or no such character. Asking
// for another size replaces every glyph kept.
const Glyph* glyph(char c, int pixels);

// Deletes the glyphs' textures while their context is still current. Call before the context
// goes; the next glyph asked for is rasterised again.
void releaseGlyphs();

// nullptr when labels can be drawn, else why not (one line).
const char* fontMissing();

} // namespace render::glyphs
