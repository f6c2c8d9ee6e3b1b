// Test tool for the end-to-end scripts: decodes a GIF written by molvane and checks its
// structure: 100 frames of 2 centiseconds, looping forever, one global table and no other;
// and that it pictures the scene: the grey background (191) over most of frame 0, not all.
// With "arrows", every frame must also show the displacement arrows' cyan (no red, green and
// blue alike); with "no-arrows", none may.
// Usage: gif_check FILE WIDTH HEIGHT [arrows|no-arrows] ; prints one line, status 0 when all
// holds.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/gif/gif_decode.h"

// Pixels of the arrows' colour in a frame: lit cyan has no red and green and blue alike, which
// the palette moves a little; carbon's dark blue-green (0.1, 0.3, 0.4) is told apart by its
// red and by its blue a third above its green.
long cyanPixels(const std::vector<unsigned char>& frame) {
    long count = 0;
    for (std::size_t i = 0; i + 2 < frame.size(); i += 3) {
        const int r = frame[i], g = frame[i + 1], b = frame[i + 2];
        count += g >= 48 && 6 * r < g && 8 * std::abs(g - b) < g;
    }
    return count;
}

int main(int argc, char** argv) {
    const char* arrows = argc == 5 ? argv[4] : "";
    if (argc < 4 || argc > 5 ||
        (argc == 5 && std::strcmp(arrows, "arrows") != 0 &&
         std::strcmp(arrows, "no-arrows") != 0)) {
        std::fprintf(stderr, "usage: gif_check FILE WIDTH HEIGHT [arrows|no-arrows]\n");
        return 2;
    }
    gif_test::Animation a;
    const char* why = "";
    if (!gif_test::decode(argv[1], a, why)) {
        std::printf("%s: not a GIF: %s\n", argv[1], why);
        return 1;
    }
    bool delaysOk = true;
    for (int d : a.delays) delaysOk = delaysOk && d == 2;
    long grey = 0;
    const std::vector<unsigned char>& first =
        a.frames.empty() ? std::vector<unsigned char>() : a.frames[0];
    for (std::size_t i = 0; i + 2 < first.size(); i += 3)
        grey += first[i] == 191 && first[i + 1] == 191 && first[i + 2] == 191;
    const double greyShare = first.empty() ? 0.0 : 3.0 * grey / first.size();
    long fewestCyan = a.frames.empty() ? 0 : cyanPixels(a.frames[0]), mostCyan = fewestCyan;
    for (const std::vector<unsigned char>& frame : a.frames) {
        const long n = cyanPixels(frame);
        fewestCyan = n < fewestCyan ? n : fewestCyan;
        mostCyan = n > mostCyan ? n : mostCyan;
    }
    const bool arrowsOk = std::strcmp(arrows, "arrows") == 0      ? fewestCyan >= 20
                          : std::strcmp(arrows, "no-arrows") == 0 ? mostCyan == 0
                                                                  : true;
    const bool ok = greyShare > 0.5 && greyShare < 0.999 && a.width == std::atoi(argv[2]) &&
                    a.height == std::atoi(argv[3]) && a.frames.size() == 100 && delaysOk &&
                    a.loopsForever && a.globalColours > 0 && !a.localTables && arrowsOk;
    std::printf("%s: %dx%d, %zu frames, delays %s, %s, global table %d, %s, frame 0 %.1f %% "
                "grey, arrow pixels %ld to %ld a frame\n",
                argv[1], a.width, a.height, a.frames.size(), delaysOk ? "all 2 cs" : "NOT all 2 cs",
                a.loopsForever ? "loops forever" : "NO loop extension", a.globalColours,
                a.localTables ? "LOCAL TABLES" : "no local tables", 100 * greyShare, fewestCyan,
                mostCyan);
    return ok ? 0 : 1;
}
