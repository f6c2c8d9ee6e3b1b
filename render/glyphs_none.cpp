// The Windows build has no FreeType to rasterise glyphs with: no labels.
#include "render/glyphs.h"

namespace render::glyphs {

const Glyph* glyph(char, int) { return nullptr; }
void releaseGlyphs() {}
const char* fontMissing() { return "this build of Molvane draws no atom labels"; }

} // namespace render::glyphs
