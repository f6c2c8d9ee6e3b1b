// Colour table choice by weighted median cut over the exact colour histogram, and the cached
// nearest-colour mapping.
#include "export/gif_colours.h"

#include <algorithm>
#include <cstdlib>

namespace gif {

namespace {

constexpr std::size_t colourSpace = std::size_t(1) << 24;

struct Colour {
    std::uint32_t rgb; // 0xRRGGBB
    std::uint32_t count;
};

unsigned channel(std::uint32_t rgb, int c) {
    return (rgb >> (16 - 8 * c)) & 0xFFu;
}

// Pixel-weighted sums of a run of colours: enough for its mean and squared error.
struct Moments {
    double n = 0, sum[3] = {0, 0, 0}, sumSq[3] = {0, 0, 0};
    void add(const Colour& c) {
        n += c.count;
        for (int k = 0; k < 3; ++k) {
            const double v = channel(c.rgb, k);
            sum[k] += v * c.count;
            sumSq[k] += v * v * c.count;
        }
    }
    double error(int k) const { return n > 0 ? sumSq[k] - sum[k] * sum[k] / n : 0.0; }
    double error() const { return error(0) + error(1) + error(2); }
};

struct Box {
    int begin, end; // colours[begin, end)
    Moments m;
};

Moments momentsOf(const Colour* colours, int begin, int end) {
    Moments m;
    for (int i = begin; i < end; ++i) m.add(colours[i]);
    return m;
}

// Sorts the box along its widest-spread channel and splits it where the two halves' summed
// squared error is least.
bool splitBox(Colour* colours, const Box& box, Box& low, Box& high) {
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (box.m.error(k) > box.m.error(axis)) axis = k;
    std::sort(colours + box.begin, colours + box.end, [axis](const Colour& a, const Colour& b) {
        return channel(a.rgb, axis) < channel(b.rgb, axis);
    });
    Moments left;
    double best = -1.0;
    int cut = -1;
    for (int i = box.begin; i < box.end - 1; ++i) {
        left.add(colours[i]);
        if (channel(colours[i].rgb, axis) == channel(colours[i + 1].rgb, axis)) continue;
        Moments right;
        right.n = box.m.n - left.n;
        for (int k = 0; k < 3; ++k) {
            right.sum[k] = box.m.sum[k] - left.sum[k];
            right.sumSq[k] = box.m.sumSq[k] - left.sumSq[k];
        }
        const double e = left.error() + right.error();
        if (cut < 0 || e < best) {
            best = e;
            cut = i + 1;
        }
    }
    if (cut < 0) return false;
    low = {box.begin, cut, momentsOf(colours, box.begin, cut)};
    high = {cut, box.end, momentsOf(colours, cut, box.end)};
    return true;
}

unsigned char rounded(double v) {
    return static_cast<unsigned char>(std::clamp(v + 0.5, 0.0, 255.0));
}

} // namespace

bool chooseColours(const unsigned char* pixels, std::size_t pixelCount, int maxColours,
                   ColourTable& table) {
    maxColours = std::clamp(maxColours, 1, 256);
    auto* histogram = static_cast<std::uint32_t*>(std::calloc(colourSpace, sizeof(std::uint32_t)));
    if (!histogram) return false;
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const unsigned char* p = pixels + 3 * i;
        std::uint32_t& n = histogram[(std::uint32_t(p[0]) << 16) | (p[1] << 8) | p[2]];
        if (n < UINT32_MAX) ++n;
    }
    std::size_t distinct = 0;
    for (std::size_t c = 0; c < colourSpace; ++c) distinct += histogram[c] != 0;
    auto* colours = static_cast<Colour*>(std::malloc((distinct ? distinct : 1) * sizeof(Colour)));
    if (!colours) {
        std::free(histogram);
        return false;
    }
    int n = 0;
    for (std::size_t c = 0; c < colourSpace; ++c)
        if (histogram[c]) colours[n++] = {std::uint32_t(c), histogram[c]};
    std::free(histogram);

    table.count = 0;
    if (n <= maxColours) {
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < 3; ++k) table.rgb[i][k] = channel(colours[i].rgb, k);
        table.count = n > 0 ? n : 1;
        if (n == 0) table.rgb[0][0] = table.rgb[0][1] = table.rgb[0][2] = 0;
        std::free(colours);
        return true;
    }

    Box boxes[256];
    int boxCount = 1;
    boxes[0] = {0, n, momentsOf(colours, 0, n)};
    while (boxCount < maxColours) {
        int worst = -1;
        for (int b = 0; b < boxCount; ++b)
            if (boxes[b].end - boxes[b].begin > 1 &&
                (worst < 0 || boxes[b].m.error() > boxes[worst].m.error()))
                worst = b;
        if (worst < 0 || boxes[worst].m.error() <= 0.0) break;
        Box low, high;
        if (!splitBox(colours, boxes[worst], low, high)) break;
        boxes[worst] = low;
        boxes[boxCount++] = high;
    }
    for (int b = 0; b < boxCount; ++b)
        for (int k = 0; k < 3; ++k) table.rgb[b][k] = rounded(boxes[b].m.sum[k] / boxes[b].m.n);
    table.count = boxCount;
    std::free(colours);
    return true;
}

bool beginMapping(ColourMapper& mapper, const ColourTable& table) {
    mapper.table = &table;
    mapper.cache = static_cast<std::uint8_t*>(std::calloc(colourSpace, 1));
    return mapper.cache != nullptr;
}

int mapColour(ColourMapper& mapper, unsigned r, unsigned g, unsigned b) {
    std::uint8_t& cached = mapper.cache[(r << 16) | (g << 8) | b];
    if (cached) return cached - 1;
    const ColourTable& t = *mapper.table;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < t.count; ++i) {
        const long dr = long(t.rgb[i][0]) - long(r), dg = long(t.rgb[i][1]) - long(g),
                   db = long(t.rgb[i][2]) - long(b);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    // Entry 255 cannot be cached as 256; it is looked up again each time, which a table of
    // 256 entries (no transparency) only meets for the colours nearest its last entry.
    if (best < 255) cached = std::uint8_t(best + 1);
    return best;
}

void endMapping(ColourMapper& mapper) {
    std::free(mapper.cache);
    mapper.cache = nullptr;
}

} // namespace gif
