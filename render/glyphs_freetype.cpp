// Glyphs rasterised by FreeType from the font fontconfig finds for "sans-serif:bold".
#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <GL/gl.h>

#include <string>

#include "render/glyphs.h"

namespace render::glyphs {

namespace {

constexpr int glyphCount = 128; // ASCII

FT_Library library = nullptr;
FT_Face face = nullptr;
const char* missing = nullptr; // why there is no face, once looked for
bool lookedFor = false;

Glyph glyphs[glyphCount];
bool made[glyphCount] = {};
int madeSize = 0;

// The file of the font fontconfig matches to sans-serif, bold.
bool findFontFile(std::string& file) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return false;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:bold"));
    bool found = false;
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* name = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch && name) {
            file = reinterpret_cast<const char*>(name);
            found = true;
        }
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return found;
}

bool faceReady() {
    if (lookedFor) return face != nullptr;
    lookedFor = true;
    std::string file;
    if (!findFontFile(file)) {
        missing = "no font for the labels: fontconfig finds no sans-serif font";
        return false;
    }
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, file.c_str(), 0, &face) != 0) {
        face = nullptr;
        missing = "no font for the labels: FreeType cannot read the sans-serif font";
        return false;
    }
    return true;
}

void makeGlyph(int c, Glyph& g) {
    g = {};
    if (FT_Load_Char(face, FT_ULong(c), FT_LOAD_RENDER) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    g.width = int(bitmap.width);
    g.height = int(bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = double(slot->advance.x) / 64.0;
    if (g.width <= 0 || g.height <= 0 || bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    // Rows as FreeType keeps them (top first, `pitch` bytes apart) go to the texture's rows.
    std::string rows(std::size_t(g.width) * std::size_t(g.height), '\0');
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            rows[std::size_t(y * g.width + x)] = char(bitmap.buffer[y * bitmap.pitch + x]);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, g.width, g.height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 rows.data());
    g.texture = texture;
}

} // namespace

const Glyph* glyph(char c, int pixels) {
    const int code = static_cast<unsigned char>(c);
    if (code >= glyphCount || pixels < 1 || !faceReady()) return nullptr;
    if (pixels != madeSize) {
        releaseGlyphs();
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels)) != 0) return nullptr;
        madeSize = pixels;
    }
    if (!made[code]) {
        makeGlyph(code, glyphs[code]);
        made[code] = true;
    }
    return &glyphs[code];
}

void releaseGlyphs() {
    for (int c = 0; c < glyphCount; ++c) {
        if (made[c] && glyphs[c].texture != 0) {
            const GLuint texture = glyphs[c].texture;
            glDeleteTextures(1, &texture);
        }
        made[c] = false;
    }
    madeSize = 0;
}

const char* fontMissing() { return faceReady() ? nullptr : missing; }

} // namespace render::glyphs
