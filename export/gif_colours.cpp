// Colour table choice by weighted median cut over the exact colour histogram, and the cached
// nearest-colour mapping.
#include "export/gif_colours.h"

#include <algorithm>
#include <cstdlib>

#include <sys/mman.h>

namespace gif {

namespace {

constexpr std::size_t colourSpace = std::size_t(1) << 24;

struct Colour {
    std::uint32_t rgb; // 0xRRGGBB
    std::uint64_t count;
};

unsigned channel(std::uint32_t rgb, int c) { return (rgb >> (16 - 8 * c)) & 0xFFu; }

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

std::size_t slotOf(const Histogram& h, std::uint32_t key) {
    std::size_t i = (key * 2654435761u) & (h.capacity - 1);
    while (h.keys[i] != 0 && h.keys[i] != key) i = (i + 1) & (h.capacity - 1);
    return i;
}

bool resize(Histogram& h, std::size_t capacity) {
    Histogram bigger{static_cast<std::uint32_t*>(std::calloc(capacity, sizeof(std::uint32_t))),
                     static_cast<std::int64_t*>(std::calloc(capacity, sizeof(std::int64_t))),
                     static_cast<std::int32_t*>(std::calloc(capacity, sizeof(std::int32_t))),
                     static_cast<std::uint64_t*>(std::calloc(capacity, sizeof(std::uint64_t))),
                     capacity,
                     h.used};
    if (!bigger.keys || !bigger.counts || !bigger.since || !bigger.weight) {
        freeHistogram(bigger);
        return false;
    }
    for (std::size_t i = 0; i < h.capacity; ++i) {
        if (h.keys[i] == 0) continue;
        const std::size_t j = slotOf(bigger, h.keys[i]);
        bigger.keys[j] = h.keys[i];
        bigger.counts[j] = h.counts[i];
        bigger.since[j] = h.since[i];
        bigger.weight[j] = h.weight[i];
    }
    freeHistogram(h);
    h = bigger;
    return true;
}

bool addRun(Histogram& h, std::uint32_t rgb, std::int64_t change, int frame) {
    if ((h.capacity == 0 || 2 * (h.used + 1) > h.capacity) &&
        !resize(h, h.capacity ? 2 * h.capacity : std::size_t(1) << 12))
        return false;
    const std::size_t i = slotOf(h, rgb + 1);
    if (h.keys[i] == 0) {
        h.keys[i] = rgb + 1;
        h.since[i] = frame;
        ++h.used;
    }
    h.weight[i] += std::uint64_t(h.counts[i]) * std::uint64_t(frame - h.since[i]);
    h.since[i] = frame;
    h.counts[i] += change;
    return true;
}

} // namespace

bool addPixels(Histogram& h, const unsigned char* pixels, std::size_t count, int delta, int frame) {
    std::size_t i = 0;
    while (i < count) {
        // Runs of one colour, most of a picture, cost one comparison a pixel.
        const unsigned char* p = pixels + 3 * i;
        std::size_t run = 1;
        while (i + run < count && p[3 * run] == p[0] && p[3 * run + 1] == p[1] &&
               p[3 * run + 2] == p[2])
            ++run;
        if (!addRun(h, (std::uint32_t(p[0]) << 16) | (p[1] << 8) | p[2],
                    std::int64_t(delta) * std::int64_t(run), frame))
            return false;
        i += run;
    }
    return true;
}

void freeHistogram(Histogram& h) {
    std::free(h.keys);
    std::free(h.counts);
    std::free(h.since);
    std::free(h.weight);
    h = {};
}

bool chooseColours(const unsigned char* pixels, std::size_t pixelCount, int maxColours,
                   ColourTable& table) {
    Histogram h{};
    const bool ok =
        addPixels(h, pixels, pixelCount, 1, 0) && chooseColours(h, 1, maxColours, table);
    freeHistogram(h);
    return ok;
}

bool chooseColours(const Histogram& histogram, int frameCount, int maxColours, ColourTable& table) {
    maxColours = std::clamp(maxColours, 1, 256);
    auto* colours = static_cast<Colour*>(std::malloc((histogram.used + 1) * sizeof(Colour)));
    if (!colours) return false;
    int n = 0;
    for (std::size_t c = 0; c < histogram.capacity; ++c) {
        if (!histogram.keys[c]) continue;
        const std::uint64_t weight =
            histogram.weight[c] +
            std::uint64_t(histogram.counts[c]) * std::uint64_t(frameCount - histogram.since[c]);
        if (weight > 0) colours[n++] = {histogram.keys[c] - 1, weight};
    }

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
    // Zero pages from the system, touched only where colours are looked up (calloc clears all
    // 16 MB when it reuses memory the process had).
    void* cache =
        mmap(nullptr, colourSpace, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    mapper.cache = cache == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(cache);
    return mapper.cache != nullptr;
}

int lookUpColour(ColourMapper& mapper, unsigned r, unsigned g, unsigned b) {
    std::uint8_t& cached = mapper.cache[(r << 16) | (g << 8) | b];
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
    if (mapper.cache) munmap(mapper.cache, colourSpace);
    mapper.cache = nullptr;
}

} // namespace gif
