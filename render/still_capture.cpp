// The stills' pictures handed to the PNG writer: the window's drawn in its own back buffer, the
// figure's in an offscreen context.
#include "render/still_capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "export/png_writer.h"
#include "reader/run_data.h"
#include "render/labels.h"
#include "render/startup.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

namespace render {

namespace {

constexpr int largestTile = 2048;
constexpr int smallestTile = 128;

void consoleLine(const std::string& text) {
    textio::writeListLine({textio::out(std::string_view(text))});
}

png::Image imageOf(const StillPicture& picture) {
    return {picture.width, picture.height, picture.alpha ? 4 : 3, picture.pixels.data()};
}

std::string sizeText(const StillPicture& picture) {
    return std::to_string(picture.width) + " x " + std::to_string(picture.height);
}

void takeStill() { writeWindowStill(stillStem("mode", reader::modeNumber)); }

int exportFailure(const char* path, const char* why) {
    textio::writeFailureLine({"cannot write \"", path, "\": ", why});
    return 1;
}

// An offscreen context of the largest tile the system gives, up to the oversampled picture.
bool openTileContext(const StillRequest& request, int& width, int& height, const char*& why) {
    const int factor = stillOversampling(request);
    unsigned mode = drawingMode;
    if (request.background == Background::transparent) mode |= toolkit::modeAlpha;
    toolkit::setDisplayMode(mode);
    for (int tile = largestTile; tile >= smallestTile; tile /= 2) {
        width = std::min(tile, request.width * factor);
        height = std::min(tile, request.height * factor);
        if (toolkit::openOffscreenContext(width, height, why)) return true;
    }
    return false;
}

} // namespace

void bindStillKey() {
    toolkit::setKeyCallback('p', takeStill);
    toolkit::setKeyCallback('P', takeStill);
}

void writeWindowStill(const std::string& stem) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) return; // minimised
    StillRequest request;
    request.width = std::min(2 * viewport[2], stillSizeMax);
    request.height = std::min(2 * viewport[3], stillSizeMax);
    request.background = Background::grey;
    request.figure = false;
    request.labelPixels = 2 * labelPixelsFor(viewport[3]);
    StillPicture picture;
    if (!drawStill(request, viewport[2], viewport[3], picture)) {
        consoleLine("No still written: not enough memory for the picture");
        return;
    }
    std::string name;
    const char* why = "";
    if (png::writeNewImage(imageOf(picture), stem, name, why))
        consoleLine("Wrote " + name + " (" + sizeText(picture) + ")");
    else
        consoleLine("No still written to " + name + ": " + why);
}

int exportStill(const char* path, const StillRequest& request) {
    int width = 0, height = 0;
    const char* why = "";
    if (!openTileContext(request, width, height, why)) return exportFailure(path, why);
    prepareDrawing();
    StillPicture picture;
    const bool drawn = drawStill(request, width, height, picture);
    toolkit::closeOffscreenContext();
    if (!drawn) return exportFailure(path, "not enough memory for the picture");
    if (!png::writeImage(imageOf(picture), path, why)) return exportFailure(path, why);
    consoleLine(std::string("Wrote ") + path + " (" + sizeText(picture) + ")");
    return 0;
}

} // namespace render
