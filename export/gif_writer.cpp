// The animated GIF encoder on giflib: screen descriptor with the global table, the NETSCAPE2.0
// loop, then one graphics control block and one image per frame.
#include "export/gif_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gif_lib.h>

#include "export/free_name.h"
#include "export/gif_colours.h"
#include "textio/safe_write.h"

namespace gif {

namespace {

constexpr int transparentSlots = 1; // the last table entry stands for "unchanged"

// The reason of a giflib failure: the system's when a write failed, else giflib's own.
const char* giflibReason(int code, int savedErrno) {
    if (savedErrno != 0 && (code == E_GIF_ERR_WRITE_FAILED || code == E_GIF_ERR_CLOSE_FAILED))
        return std::strerror(savedErrno);
    return GifErrorString(code) ? GifErrorString(code) : "write failed";
}

int bitsFor(int entries) {
    int bits = 1;
    while ((1 << bits) < entries) ++bits;
    return bits;
}

// Row `top` (counted from the picture's top) of a frame stored bottom row first.
const unsigned char* rowOf(const Recording& rec, const unsigned char* frame, int top) {
    return frame + std::size_t(rec.height - 1 - top) * rec.width * 3;
}

bool samePixel(const unsigned char* a, const unsigned char* b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

std::uint64_t eightBytes(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The first byte at which a and b (`bytes` long, known to differ) differ, and the last.
std::size_t firstDifference(const unsigned char* a, const unsigned char* b, std::size_t bytes) {
    std::size_t i = 0;
    while (i + 8 <= bytes && eightBytes(a + i) == eightBytes(b + i)) i += 8;
    while (a[i] == b[i]) ++i;
    return i;
}
std::size_t lastDifference(const unsigned char* a, const unsigned char* b, std::size_t bytes) {
    std::size_t end = bytes;
    while (end >= 8 && eightBytes(a + end - 8) == eightBytes(b + end - 8)) end -= 8;
    while (a[end - 1] == b[end - 1]) --end;
    return end - 1;
}

// Bounding rectangle of the pixels of the frame waiting that differ from the frame kept
// before; width 0 when none does.
Rect changedRect(const Recording& rec) {
    int left = rec.width, right = -1, top = rec.height, bottom = -1;
    const std::size_t rowBytes = std::size_t(rec.width) * 3;
    for (int y = 0; y < rec.height; ++y) {
        const unsigned char* a = rowOf(rec, rec.previous, y);
        const unsigned char* b = rowOf(rec, rec.taken, y);
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        left = std::min(left, int(firstDifference(a, b, rowBytes) / 3));
        right = std::max(right, int(lastDifference(a, b, rowBytes) / 3));
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) return {0, 0, 0, 0};
    return {left, top, right - left + 1, bottom - top + 1};
}

// The colour counts from frame `frame` on: the runs of pixels of row a (the frame before)
// that row b changes leave, those of b come in.
bool countChanges(Histogram& h, const unsigned char* a, const unsigned char* b, int width,
                  int frame) {
    int x = 0;
    while (x < width) {
        if (samePixel(a + 3 * x, b + 3 * x)) {
            ++x;
            continue;
        }
        int end = x + 1;
        while (end < width && !samePixel(a + 3 * end, b + 3 * end)) ++end;
        if (!addPixels(h, a + 3 * x, std::size_t(end - x), -1, frame) ||
            !addPixels(h, b + 3 * x, std::size_t(end - x), 1, frame))
            return false;
        x = end;
    }
    return true;
}

bool reserveChanges(Recording& rec, std::size_t more) {
    if (rec.changesSize + more <= rec.changesCapacity) return true;
    const std::size_t capacity = std::max(rec.changesSize + more, 2 * rec.changesCapacity);
    auto* bigger = static_cast<unsigned char*>(std::realloc(rec.changes, capacity));
    if (!bigger) return false;
    rec.changes = bigger;
    rec.changesCapacity = capacity;
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
bool putFrame(Encoder& e, const Recording& rec, int frame, const unsigned char* pixels) {
    const bool first = frame == 0;
    const bool unchanged = rec.rects[frame].width == 0;
    const Rect r = unchanged ? Rect{0, 0, 1, 1} : rec.rects[frame];
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
    if (unchanged) {
        e.line[0] = std::uint8_t(e.transparent);
        return EGifPutLine(e.file, e.line, 1) != GIF_ERROR;
    }
    for (int y = r.top; y < r.top + r.height; ++y) {
        const unsigned char* rgb = pixels + std::size_t(y - r.top) * r.width * 3;
        std::uint8_t* shown = e.shown + std::size_t(y) * rec.width + r.left;
        int index = 0;
        for (int x = 0; x < r.width; ++x, rgb += 3) {
            if (x == 0 || rgb[0] != rgb[-3] || rgb[1] != rgb[-2] || rgb[2] != rgb[-1])
                index = mapColour(e.mapper, rgb[0], rgb[1], rgb[2]);
            e.line[x] =
                !first && shown[x] == index ? std::uint8_t(e.transparent) : std::uint8_t(index);
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
bool encode(const Recording& rec, GifFileType* file, const char*& why) {
    ColourTable table{};
    if (!chooseColours(rec.colours, rec.count, 256 - transparentSlots, table)) {
        why = "not enough memory to choose the colours";
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
    bool ok = map && buffers && beginMapping(e.mapper, table);
    if (!ok) why = "not enough memory to encode the frames";

    if (ok &&
        (EGifPutScreenDesc(file, rec.width, rec.height, bitsFor(entries), 0, map) == GIF_ERROR ||
         !putLoopExtension(file)))
        ok = false;
    const unsigned char* pixels = rec.changes;
    for (int f = 0; ok && f < rec.count; ++f) {
        ok = putFrame(e, rec, f, pixels);
        pixels += std::size_t(rec.rects[f].width) * rec.rects[f].height * 3;
    }
    if (!ok && *why == '\0')
        why = giflibReason(file->Error, static_cast<textio::SafeWrite*>(file->UserData)->error);
    endMapping(e.mapper);
    std::free(buffers);
    GifFreeMapObject(map);
    return ok;
}

} // namespace

bool beginRecording(Recording& recording, int width, int height, int frames) {
    recording = {width,   height,  frames,  0,       false, false, nullptr,
                 nullptr, nullptr, nullptr, nullptr, 0,     0,     {}};
    if (width <= 0 || height <= 0 || frames <= 0) return false;
    const std::size_t frameBytes = std::size_t(width) * height * 3;
    recording.frame = static_cast<unsigned char*>(std::malloc(frameBytes));
    recording.taken = static_cast<unsigned char*>(std::malloc(frameBytes));
    recording.previous = static_cast<unsigned char*>(std::malloc(frameBytes));
    recording.rects = static_cast<Rect*>(std::malloc(sizeof(Rect) * std::size_t(frames)));
    if (recording.frame && recording.taken && recording.previous && recording.rects &&
        reserveChanges(recording, 2 * frameBytes))
        return true;
    endRecording(recording);
    return false;
}

bool keepFrames(Recording& rec) {
    if (!rec.waiting || rec.outOfMemory) return !rec.outOfMemory;
    rec.waiting = false;
    const int f = rec.count - 1;
    const Rect r = f == 0 ? Rect{0, 0, rec.width, rec.height} : changedRect(rec);
    const std::size_t rowBytes = std::size_t(r.width) * 3;
    bool ok = reserveChanges(rec, rowBytes * r.height);
    for (int y = r.top; ok && y < r.top + r.height; ++y) {
        const unsigned char* row = rowOf(rec, rec.taken, y) + 3 * r.left;
        ok = f == 0 ? addPixels(rec.colours, row, std::size_t(r.width), 1, 0)
                    : countChanges(rec.colours, rowOf(rec, rec.previous, y) + 3 * r.left, row,
                                   r.width, f);
        if (!ok) break;
        std::memcpy(rec.changes + rec.changesSize, row, rowBytes);
        rec.changesSize += rowBytes;
    }
    if (!ok) {
        rec.outOfMemory = true;
        return false;
    }
    rec.rects[f] = r;
    std::swap(rec.taken, rec.previous);
    return true;
}

unsigned char* nextFrame(Recording& rec) {
    if (!rec.frame || !keepFrames(rec) || rec.count >= rec.capacity) return nullptr;
    return rec.frame;
}

void frameTaken(Recording& rec) {
    if (!rec.frame || rec.waiting || rec.count >= rec.capacity) return;
    std::swap(rec.frame, rec.taken);
    rec.waiting = true;
    ++rec.count;
}

void endRecording(Recording& recording) {
    std::free(recording.frame);
    std::free(recording.taken);
    std::free(recording.previous);
    std::free(recording.rects);
    std::free(recording.changes);
    freeHistogram(recording.colours);
    recording = {};
}

namespace {

// giflib's output function: bytes into the file being written; the first error is kept.
int writeBytes(GifFileType* file, const GifByteType* data, int length) {
    textio::SafeWrite& out = *static_cast<textio::SafeWrite*>(file->UserData);
    if (out.error) return 0;
    errno = 0;
    if (std::fwrite(data, 1, std::size_t(length), out.file) == std::size_t(length)) return length;
    out.error = errno ? errno : EIO;
    return 0;
}

// Encodes the recording into a new temporary file beside `path`, left closed in `out`.
bool writeTemporary(Recording& rec, const char* path, textio::SafeWrite& out, const char*& why) {
    why = "";
    if (!keepFrames(rec)) {
        why = "not enough memory for the frames";
        return false;
    }
    if (rec.count <= 0) {
        why = "no frames were recorded";
        return false;
    }
    if (!textio::beginSafeWrite(path, out, why)) return false;
    int code = 0;
    GifFileType* file = EGifOpen(&out, writeBytes, &code);
    if (!file) {
        why = giflibReason(code, 0);
        textio::abandonSafeWrite(out);
        return false;
    }
    EGifSetGifVersion(file, true);
    bool ok = encode(rec, file, why);
    if (EGifCloseFile(file, &code) == GIF_ERROR && ok) {
        why = giflibReason(code, out.error);
        ok = false;
    }
    if (!ok) textio::abandonSafeWrite(out);
    return ok;
}

} // namespace

bool writeAnimation(Recording& rec, const char* path, const char*& why) {
    textio::SafeWrite out;
    return writeTemporary(rec, path, out, why) && textio::finishSafeWrite(out, true, why);
}

bool writeNewAnimation(Recording& rec, const std::string& stem, std::string& name,
                       const char*& why) {
    name = stem + ".gif";
    textio::SafeWrite out;
    if (!writeTemporary(rec, name.c_str(), out, why)) return false;
    return pictures::finishUnderFreeName(out, stem, ".gif", name, why);
}

} // namespace gif
