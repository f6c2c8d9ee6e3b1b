// Test helper: an animated GIF decoded with giflib (DGifSlurp), its structure and its frames
// coalesced as a viewer shows them, and the closeness of a frame to the picture it came from.
#pragma once

#include <string>
#include <vector>

namespace gif_test {

struct Animation {
    int width = 0, height = 0;
    int globalColours = 0;     // entries of the global table; 0 when there is none
    bool localTables = false;  // any frame with a table of its own
    bool loopsForever = false; // NETSCAPE2.0 extension with loop count 0
    std::vector<int> delays;   // per frame, centiseconds
    std::vector<std::vector<unsigned char>> frames; // coalesced RGB, top row first
};

// False with giflib's reason in `why` when the file cannot be read as a GIF.
bool decode(const std::string& path, Animation& animation, const char*& why);

struct Closeness {
    double meanError[3]; // mean absolute difference per channel
    double within16;     // share of pixels within 16 levels on every channel
};

// Compares a coalesced frame (top row first) with the RGB picture read back from OpenGL
// (bottom row first) of the same size.
Closeness compare(const std::vector<unsigned char>& frame, const unsigned char* glPixels, int width,
                  int height);

} // namespace gif_test
