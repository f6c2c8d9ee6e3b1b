// PNG files of still pictures, written by libpng through the safe write of textio/.
#pragma once

#include <string>

namespace png {

struct Image {
    int width, height;
    int channels;                // 3: RGB, 4: RGBA
    const unsigned char* pixels; // rows top first, channels bytes a pixel, no padding
};

// Writes the image to `path`, replacing a file of that name; false with `why` (no file left).
bool writeImage(const Image& image, const char* path, const char*& why);

// Writes the image to the first free name of stem + ".png", stem-2.png, ... (never replacing
// a file); the name tried last goes to `name`.
bool writeNewImage(const Image& image, const std::string& stem, std::string& name,
                   const char*& why);

} // namespace png
