// The one colour table of an animation: chosen from every pixel of every frame, so that the
// table's colours are the means of the colours they stand for (not giflib's darkened box
// corners), and the mapping of a pixel to its nearest entry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gif {

struct ColourTable {
    int count; // entries used, 1..256
    unsigned char rgb[256][3];
};

// The distinct colours of an animation with the number of pixels each covers over all its
// frames, kept up to date frame by frame from the pixels that change: an open-addressing hash
// table that doubles when half full.
struct Histogram {
    std::uint32_t* keys;   // colour + 1; 0 for an empty slot
    std::int64_t* counts;  // pixels of the colour in the frame `since`
    std::int32_t* since;   // frame from which that count holds
    std::uint64_t* weight; // pixels of the colour summed over the frames before `since`
    std::size_t capacity, used;
};

// Adds `delta` (+1 or -1) for each of `count` RGB pixels, in frame `frame` and every later
// one (frames in increasing order). False when memory runs out.
bool addPixels(Histogram& histogram, const unsigned char* rgb, std::size_t count, int delta,
               int frame);
void freeHistogram(Histogram& histogram);

// Chooses at most maxColours (1..256) colours for the pixels of frames 0 to frameCount - 1.
// When they hold no more distinct colours than that, the table holds exactly those; otherwise
// it is a median cut that splits, each time, the box with the largest squared error at the
// place that lowers it most, each entry the pixel-weighted mean of its box. False when memory
// runs out.
bool chooseColours(const Histogram& histogram, int frameCount, int maxColours, ColourTable& table);
// The same for the RGB triples of one picture.
bool chooseColours(const unsigned char* pixels, std::size_t pixelCount, int maxColours,
                   ColourTable& table);

// Nearest-entry lookup with a cache over all 2^24 colours.
struct ColourMapper {
    const ColourTable* table;
    std::uint8_t* cache; // entry + 1 per colour, 0 when not looked up yet
};

bool beginMapping(ColourMapper& mapper, const ColourTable& table); // false: out of memory
// The table lookup behind mapColour, for colours not yet in the cache.
int lookUpColour(ColourMapper& mapper, unsigned r, unsigned g, unsigned b);
// Index of the table entry nearest to (r, g, b) in squared RGB distance; the first on a tie.
inline int mapColour(ColourMapper& mapper, unsigned r, unsigned g, unsigned b) {
    const std::uint8_t cached = mapper.cache[(r << 16) | (g << 8) | b];
    return cached ? cached - 1 : lookUpColour(mapper, r, g, b);
}
void endMapping(ColourMapper& mapper);

} // namespace gif
