// Test tool for the end-to-end scripts: decodes a GIF written by molvane and checks its
// structure: 100 frames of 2 centiseconds, looping forever, one global table and no other;
// and that it pictures the scene: the grey background (191) over most of frame 0, not all.
// Usage: gif_check FILE WIDTH HEIGHT ; prints one line, status 0 when all holds.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/gif/gif_decode.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gif_check FILE WIDTH HEIGHT\n");
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
    const bool ok = greyShare > 0.5 && greyShare < 0.999 && a.width == std::atoi(argv[2]) &&
                    a.height == std::atoi(argv[3]) && a.frames.size() == 100 && delaysOk &&
                    a.loopsForever && a.globalColours > 0 && !a.localTables;
    std::printf("%s: %dx%d, %zu frames, delays %s, %s, global table %d, %s, frame 0 %.1f %% "
                "grey\n",
                argv[1], a.width, a.height, a.frames.size(), delaysOk ? "all 2 cs" : "NOT all 2 cs",
                a.loopsForever ? "loops forever" : "NO loop extension", a.globalColours,
                a.localTables ? "LOCAL TABLES" : "no local tables", 100 * greyShare);
    return ok ? 0 : 1;
}
