// Decoding and coalescing with giflib, and the closeness measure.
#include "tests/gif/gif_decode.h"

#include <cstdlib>
#include <cstring>

#include <gif_lib.h>

namespace gif_test {

namespace {

bool isLoopForever(const SavedImage& image) {
    for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& b = image.ExtensionBlocks[i];
        const ExtensionBlock& data = image.ExtensionBlocks[i + 1];
        if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
            std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
            data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0)
            return true;
    }
    return false;
}

} // namespace

bool decode(const std::string& path, Animation& a, const char*& why) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) {
        why = GifErrorString(error);
        return false;
    }
    if (DGifSlurp(gif) == GIF_ERROR) {
        why = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return false;
    }
    a = Animation{};
    a.width = gif->SWidth;
    a.height = gif->SHeight;
    a.globalColours = gif->SColorMap ? gif->SColorMap->ColorCount : 0;
    std::vector<unsigned char> canvas(std::size_t(a.width) * a.height * 3, 0);
    if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
        const GifColorType c = gif->SColorMap->Colors[gif->SBackGroundColor];
        for (std::size_t i = 0; i < canvas.size(); i += 3) {
            canvas[i] = c.Red;
            canvas[i + 1] = c.Green;
            canvas[i + 2] = c.Blue;
        }
    }
    for (int f = 0; f < gif->ImageCount; ++f) {
        const SavedImage& image = gif->SavedImages[f];
        if (f == 0) a.loopsForever = isLoopForever(image);
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, f, &control);
        a.delays.push_back(control.DelayTime);
        const ColorMapObject* map = image.ImageDesc.ColorMap;
        if (map)
            a.localTables = true;
        else
            map = gif->SColorMap;
        const GifImageDesc& d = image.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                const int cx = d.Left + x, cy = d.Top + y;
                if (index == control.TransparentColor || !map || index >= map->ColorCount ||
                    cx >= a.width || cy >= a.height)
                    continue;
                unsigned char* p = &canvas[(std::size_t(cy) * a.width + cx) * 3];
                p[0] = map->Colors[index].Red;
                p[1] = map->Colors[index].Green;
                p[2] = map->Colors[index].Blue;
            }
        a.frames.push_back(canvas);
    }
    DGifCloseFile(gif, &error);
    return true;
}

Closeness compare(const std::vector<unsigned char>& frame, const unsigned char* glPixels, int width,
                  int height) {
    double sum[3] = {0, 0, 0};
    long close = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* a = &frame[(std::size_t(y) * width + x) * 3];
            const unsigned char* b = glPixels + (std::size_t(height - 1 - y) * width + x) * 3;
            bool within = true;
            for (int k = 0; k < 3; ++k) {
                const int d = std::abs(int(a[k]) - int(b[k]));
                sum[k] += d;
                within = within && d <= 16;
            }
            close += within;
        }
    const double n = double(width) * height;
    return {{sum[0] / n, sum[1] / n, sum[2] / n}, close / n};
}

} // namespace gif_test
