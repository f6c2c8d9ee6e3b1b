// The animated GIF encoder on giflib: screen descriptor with the global table, the NETSCAPE2.0
// loop, then one graphics control block and one image per frame.
#include "export/gif_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/gif_colours.h"

namespace gif {

namespace {

constexpr int transparentSlots = 1; // the last table entry stands for "unchanged"

void setReason(char* why, std::size_t capacity, const char* text) {
    std::snprintf(why, capacity, "%s", text);
}

// The reason of a giflib failure: the system's when a write failed, else giflib's own.
void giflibReason(char* why, std::size_t capacity, int code, int savedErrno) {
    if (savedErrno != 0 && (code == E_GIF_ERR_WRITE_FAILED || code == E_GIF_ERR_CLOSE_FAILED))
        setReason(why, capacity, std::strerror(savedErrno));
    else
        setReason(why, capacity, GifErrorString(code) ? GifErrorString(code) : "write failed");
}

int bitsFor(int entries) {
    int bits = 1;
    while ((1 << bits) < entries) ++bits;
    return bits;
}

struct Rect {
    int left, top, width, height; // top counted from the picture's top row
};

// The frames' rows are stored bottom row first.
const unsigned char* rowOf(const Recording& rec, int frame, int top) {
    return rec.pixels + (std::size_t(rec.width) * rec.height * frame +
                         std::size_t(rec.height - 1 - top) * rec.width) * 3;
}

// Bounding rectangle of the pixels of `frame` that differ from the frame before; width 0 when
// none does.
Rect changedRect(const Recording& rec, int frame) {
    int left = rec.width, right = -1, top = rec.height, bottom = -1;
    const std::size_t rowBytes = std::size_t(rec.width) * 3;
    for (int y = 0; y < rec.height; ++y) {
        const unsigned char* a = rowOf(rec, frame - 1, y);
        const unsigned char* b = rowOf(rec, frame, y);
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        int l = 0, r = rec.width - 1;
        while (std::memcmp(a + 3 * l, b + 3 * l, 3) == 0) ++l;
        while (std::memcmp(a + 3 * r, b + 3 * r, 3) == 0) --r;
        left = std::min(left, l);
        right = std::max(right, r);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) return {0, 0, 0, 0};
    return {left, top, right - left + 1, bottom - top + 1};
}

// Pixel counts over all frames: frame 0 whole, then only what each frame changes.
bool countColours(const Recording& rec, const Rect* rects, Histogram& histogram) {
    for (int f = 0; f < rec.count; ++f) {
        const Rect& r = rects[f];
        for (int y = r.top; y < r.top + r.height; ++y) {
            if (f > 0 && !addPixels(histogram, rowOf(rec, f - 1, y) + 3 * r.left,
                                    std::size_t(r.width), -1, f))
                return false;
            if (!addPixels(histogram, rowOf(rec, f, y) + 3 * r.left, std::size_t(r.width), 1, f))
                return false;
        }
    }
    return true;
}

struct Encoder {
    GifFileType* file;
    ColourMapper mapper;
    std::uint8_t* shown; // indices of the picture shown so far, top row first
    std::uint8_t* line;
    int transparent;
};

// One frame: its graphics control block and the rectangle r of it; inside r, pixels whose
// index is the one already shown become transparent (not in frame 0). An unchanged frame is a
// single transparent pixel (a GIF image cannot be empty).
bool putFrame(Encoder& e, const Recording& rec, int frame, Rect r) {
    const bool first = frame == 0;
    if (r.width == 0) r = {0, 0, 1, 1};
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = frameDelay;
    control.TransparentColor = first ? NO_TRANSPARENT_COLOR : e.transparent;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(e.file, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR ||
        EGifPutImageDesc(e.file, r.left, r.top, r.width, r.height, false, nullptr) == GIF_ERROR)
        return false;
    for (int y = r.top; y < r.top + r.height; ++y) {
        const unsigned char* rgb = rowOf(rec, frame, y) + 3 * r.left;
        std::uint8_t* shown = e.shown + std::size_t(y) * rec.width + r.left;
        int index = 0;
        for (int x = 0; x < r.width; ++x, rgb += 3) {
            if (x == 0 || rgb[0] != rgb[-3] || rgb[1] != rgb[-2] || rgb[2] != rgb[-1])
                index = mapColour(e.mapper, rgb[0], rgb[1], rgb[2]);
            e.line[x] = !first && shown[x] == index ? std::uint8_t(e.transparent) : std::uint8_t(index);
            shown[x] = std::uint8_t(index);
        }
        if (EGifPutLine(e.file, e.line, r.width) == GIF_ERROR) return false;
    }
    return true;
}

bool putLoopExtension(GifFileType* file) {
    static const GifByteType name[] = "NETSCAPE2.0";
    static const GifByteType loopForever[3] = {1, 0, 0};
    return EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
           EGifPutExtensionBlock(file, 11, name) != GIF_ERROR &&
           EGifPutExtensionBlock(file, 3, loopForever) != GIF_ERROR &&
           EGifPutExtensionTrailer(file) != GIF_ERROR;
}

// Everything after the file is open: table, header, frames. Sets why on failure.
bool encode(const Recording& rec, GifFileType* file, char* why, std::size_t whyCapacity) {
    auto* rects = static_cast<Rect*>(std::malloc(sizeof(Rect) * std::size_t(rec.count)));
    Histogram histogram{};
    ColourTable table{};
    bool ok = rects != nullptr;
    if (ok) {
        rects[0] = {0, 0, rec.width, rec.height};
        for (int f = 1; f < rec.count; ++f) rects[f] = changedRect(rec, f);
        ok = countColours(rec, rects, histogram) &&
             chooseColours(histogram, rec.count, 256 - transparentSlots, table);
    }
    freeHistogram(histogram);
    if (!ok) {
        std::free(rects);
        setReason(why, whyCapacity, "not enough memory to choose the colours");
        return false;
    }
    const int entries = 1 << bitsFor(table.count + transparentSlots);
    GifColorType colours[256]{};
    for (int i = 0; i < table.count; ++i)
        colours[i] = {table.rgb[i][0], table.rgb[i][1], table.rgb[i][2]};
    ColorMapObject* map = GifMakeMapObject(entries, colours);
    const std::size_t framePixels = std::size_t(rec.width) * rec.height;
    auto* buffers = static_cast<std::uint8_t*>(std::malloc(framePixels + rec.width));
    Encoder e{file, {}, buffers, buffers + framePixels, table.count};
    ok = map && buffers && beginMapping(e.mapper, table);
    if (!ok) setReason(why, whyCapacity, "not enough memory to encode the frames");

    errno = 0;
    if (ok && (EGifPutScreenDesc(file, rec.width, rec.height, bitsFor(entries), 0, map) ==
                   GIF_ERROR ||
               !putLoopExtension(file)))
        ok = false;
    for (int f = 0; ok && f < rec.count; ++f) ok = putFrame(e, rec, f, rects[f]);
    if (!ok && why[0] == '\0') giflibReason(why, whyCapacity, file->Error, errno);
    endMapping(e.mapper);
    std::free(buffers);
    std::free(rects);
    GifFreeMapObject(map);
    return ok;
}

} // namespace

bool beginRecording(Recording& recording, int width, int height, int frames) {
    recording = {width, height, frames, 0, nullptr};
    if (width <= 0 || height <= 0 || frames <= 0) return false;
    // Huge pages where the system has them: tens of megabytes are written once, and mapping
    // them 4 kB at a time costs about as much as encoding them.
    constexpr std::size_t hugePage = std::size_t(2) << 20;
    const std::size_t bytes = std::size_t(width) * height * 3 * frames;
    recording.pixels = static_cast<unsigned char*>(
        std::aligned_alloc(hugePage, (bytes + hugePage - 1) / hugePage * hugePage));
    if (recording.pixels) madvise(recording.pixels, bytes, MADV_HUGEPAGE);
    return recording.pixels != nullptr;
}

unsigned char* nextFrame(Recording& recording) {
    if (!recording.pixels || recording.count >= recording.capacity) return nullptr;
    return recording.pixels +
           std::size_t(recording.width) * recording.height * 3 * recording.count++;
}

void endRecording(Recording& recording) {
    std::free(recording.pixels);
    recording = {};
}

bool pathExists(const char* path) {
    struct stat s;
    return stat(path, &s) == 0;
}

bool writeAnimation(const Recording& rec, const char* path, char* why, std::size_t whyCapacity) {
    setReason(why, whyCapacity, "");
    if (rec.count <= 0) {
        setReason(why, whyCapacity, "no frames were recorded");
        return false;
    }
    std::string temporary = path;
    temporary += ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        setReason(why, whyCapacity, std::strerror(errno));
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    int code = 0;
    GifFileType* file = EGifOpenFileHandle(fd, &code);
    if (!file) {
        giflibReason(why, whyCapacity, code, 0);
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    EGifSetGifVersion(file, true);
    bool ok = encode(rec, file, why, whyCapacity);
    errno = 0;
    if (EGifCloseFile(file, &code) == GIF_ERROR && ok) {
        giflibReason(why, whyCapacity, code, errno);
        ok = false;
    }
    if (ok && std::rename(temporary.c_str(), path) != 0) {
        setReason(why, whyCapacity, std::strerror(errno));
        ok = false;
    }
    if (!ok) unlink(temporary.c_str());
    return ok;
}

} // namespace gif
