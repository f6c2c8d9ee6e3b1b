// The animated GIF encoder on giflib: screen descriptor with the global table, the NETSCAPE2.0
// loop, then one graphics control block and one image per frame.
#include "export/gif_writer.h"

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

// Maps one frame to table indices, top row first.
void mapFrame(ColourMapper& mapper, const unsigned char* rgb, int width, int height,
              std::uint8_t* indices) {
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = rgb + std::size_t(height - 1 - y) * width * 3;
        std::uint8_t* out = indices + std::size_t(y) * width;
        int index = 0;
        for (int x = 0; x < width; ++x, row += 3) {
            if (x == 0 || row[0] != row[-3] || row[1] != row[-2] || row[2] != row[-1])
                index = mapColour(mapper, row[0], row[1], row[2]);
            out[x] = std::uint8_t(index);
        }
    }
}

struct Rect {
    int left, top, width, height;
};

// Bounding rectangle of the pixels that differ; a single pixel when none does (GIF frames
// cannot be empty).
Rect changedRect(const std::uint8_t* shown, const std::uint8_t* next, int width, int height) {
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* a = shown + std::size_t(y) * width;
        const std::uint8_t* b = next + std::size_t(y) * width;
        if (std::memcmp(a, b, std::size_t(width)) == 0) continue;
        for (int x = 0; x < width; ++x) {
            if (a[x] == b[x]) continue;
            if (x < left) left = x;
            if (x > right) right = x;
            if (y < top) top = y;
            bottom = y;
        }
    }
    if (right < 0) return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

struct Encoder {
    GifFileType* file;
    int errorCode;
};

bool putFrame(Encoder& e, const std::uint8_t* indices, const std::uint8_t* shown, int width,
              int transparent, std::uint8_t* line, const Rect& r) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = frameDelay;
    control.TransparentColor = shown ? transparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(e.file, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR ||
        EGifPutImageDesc(e.file, r.left, r.top, r.width, r.height, false, nullptr) == GIF_ERROR)
        return false;
    for (int y = r.top; y < r.top + r.height; ++y) {
        const std::uint8_t* next = indices + std::size_t(y) * width + r.left;
        const std::uint8_t* before = shown ? shown + std::size_t(y) * width + r.left : nullptr;
        for (int x = 0; x < r.width; ++x)
            line[x] = before && before[x] == next[x] ? std::uint8_t(transparent) : next[x];
        if (EGifPutLine(e.file, line, r.width) == GIF_ERROR) return false;
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
    const std::size_t framePixels = std::size_t(rec.width) * rec.height;
    ColourTable table{};
    if (!chooseColours(rec.pixels, framePixels * rec.count, 256 - transparentSlots, table)) {
        setReason(why, whyCapacity, "not enough memory to choose the colours");
        return false;
    }
    const int transparent = table.count;
    const int entries = 1 << bitsFor(table.count + transparentSlots);
    GifColorType colours[256]{};
    for (int i = 0; i < table.count; ++i)
        colours[i] = {table.rgb[i][0], table.rgb[i][1], table.rgb[i][2]};
    ColorMapObject* map = GifMakeMapObject(entries, colours);
    ColourMapper mapper{};
    auto* indices = static_cast<std::uint8_t*>(std::malloc(framePixels * 2 + rec.width));
    bool ok = map && indices && beginMapping(mapper, table);
    if (!ok) setReason(why, whyCapacity, "not enough memory to encode the frames");

    Encoder e{file, 0};
    std::uint8_t* shown = indices + framePixels;
    std::uint8_t* line = indices + 2 * framePixels;
    errno = 0;
    if (ok &&
        (EGifPutScreenDesc(file, rec.width, rec.height, bitsFor(entries), 0, map) == GIF_ERROR ||
         !putLoopExtension(file)))
        ok = false;
    for (int f = 0; ok && f < rec.count; ++f) {
        mapFrame(mapper, rec.pixels + framePixels * 3 * f, rec.width, rec.height, indices);
        const Rect r = f == 0 ? Rect{0, 0, rec.width, rec.height}
                              : changedRect(shown, indices, rec.width, rec.height);
        ok = putFrame(e, indices, f == 0 ? nullptr : shown, rec.width, transparent, line, r);
        std::memcpy(shown, indices, framePixels);
    }
    if (!ok && why[0] == '\0') giflibReason(why, whyCapacity, file->Error, errno);
    endMapping(mapper);
    std::free(indices);
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
