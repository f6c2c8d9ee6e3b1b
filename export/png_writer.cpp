// The image through libpng's simplified writer into a temporary file, then put in place.
#include "export/png_writer.h"

#include <png.h>

#include "export/free_name.h"
#include "textio/safe_write.h"

namespace png {

namespace {

bool writeTemporary(const Image& image, const char* path, textio::SafeWrite& out,
                    const char*& why) {
    if (!textio::beginSafeWrite(path, out, why)) return false;
    png_image info{};
    info.version = PNG_IMAGE_VERSION;
    info.width = png_uint_32(image.width);
    info.height = png_uint_32(image.height);
    info.format = image.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    info.flags = PNG_IMAGE_FLAG_FAST; // a quicker compression, a slightly larger file
    const bool written = png_image_write_to_stdio(&info, out.file, 0, image.pixels,
                                                  image.width * image.channels, nullptr) != 0;
    png_image_free(&info);
    if (!written) {
        why = "the PNG cannot be written";
        textio::abandonSafeWrite(out);
    }
    return written;
}

} // namespace

bool writeImage(const Image& image, const char* path, const char*& why) {
    textio::SafeWrite out;
    return writeTemporary(image, path, out, why) && textio::finishSafeWrite(out, true, why);
}

bool writeNewImage(const Image& image, const std::string& stem, std::string& name,
                   const char*& why) {
    name = stem + ".png";
    textio::SafeWrite out;
    if (!writeTemporary(image, name.c_str(), out, why)) return false;
    return pictures::finishUnderFreeName(out, stem, ".png", name, why);
}

} // namespace png
