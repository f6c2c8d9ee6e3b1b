// Frames for the recorder: read back from OpenGL just before each swap (bottom row first), in
// the window after the key g and offscreen for the export.
#include "render/gif_capture.h"

#include <GL/gl.h>

#include <string>

#include "export/gif_writer.h"
#include "reader/run_data.h"
#include "render/animation.h"
#include "render/frame.h"
#include "render/glyphs.h"
#include "render/startup.h"
#include "render/view.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

namespace render {

namespace {

gif::Recording recording{};
int recordedMode = 0; // the mode shown when the key was pressed, which names the file

void consoleLine(const std::string& text) {
    textio::writeListLine({textio::out(std::string_view(text))});
}

void viewportSize(int& width, int& height) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = viewport[2];
    height = viewport[3];
}

// Reads the finished frame into the recording; false when the drawing area is not the size
// the recording was begun with. (A frame that cannot be kept for want of memory fails the
// recording, which writing it then reports.)
bool readFrame() {
    int width = 0, height = 0;
    viewportSize(width, height);
    if (width != recording.width || height != recording.height) return false;
    // The frame before is kept while OpenGL finishes this one.
    glFlush();
    unsigned char* pixels = gif::nextFrame(recording);
    if (!pixels) return true;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    gif::frameTaken(recording);
    return true;
}

bool beginWindowRecording() {
    int width = 0, height = 0;
    viewportSize(width, height);
    if (width <= 0 || height <= 0) return false; // minimised: wait for a size
    return gif::beginRecording(recording, width, height, gifFrameCount);
}

void captureWindowFrame() {
    if (!recording.frame && !beginWindowRecording()) return;
    if (!readFrame()) {
        // The window was resized: the recording starts again at the new size.
        gif::endRecording(recording);
        if (!beginWindowRecording() || !readFrame()) return;
    }
    if (recording.count < recording.capacity && !recording.outOfMemory) return;
    toolkit::setBeforeSwapCallback(nullptr);
    // molvane-mode<N>.gif, or the first of molvane-mode<N>-2.gif, -3, ... free when it is written.
    std::string name;
    const char* why = "";
    if (gif::writeNewAnimation(recording, "molvane-mode" + std::to_string(recordedMode), name, why))
        consoleLine("Wrote " + name + " (" + std::to_string(recording.count) + " frames, " +
                    std::to_string(recording.width) + " x " + std::to_string(recording.height) +
                    ")");
    else
        consoleLine("No GIF written to " + name + ": " + why);
    gif::endRecording(recording);
}

void startRecording() {
    if (recording.frame) return; // one recording at a time
    if (!beginWindowRecording()) {
        consoleLine("No GIF written: not enough memory for the frames");
        return;
    }
    recordedMode = reader::modeNumber;
    toolkit::setBeforeSwapCallback(captureWindowFrame);
}

void captureExportFrame() { readFrame(); }

int exportFailure(const char* path, const char* why) {
    textio::writeFailureLine({"cannot write \"", path, "\": ", why});
    return 1;
}

} // namespace

void bindGifKey() {
    toolkit::setKeyCallback('g', startRecording);
    toolkit::setKeyCallback('G', startRecording);
}

int exportGif(const char* path, int size) {
    toolkit::setDisplayMode(drawingMode);
    const char* why = "";
    if (!toolkit::openOffscreenContext(size, size, why)) return exportFailure(path, why);
    prepareDrawing();
    reshapeView(size, size);
    if (!gif::beginRecording(recording, size, size, gifFrameCount)) {
        toolkit::closeOffscreenContext();
        return exportFailure(path, "not enough memory for the frames");
    }
    // The very first frame drawn lights the axes with the default normal, every later one with
    // the normal the last sphere left behind. A frame drawn first and not recorded makes frame 0
    // look as it does on every later period, so the animation loops without a flash.
    drawFrame();
    toolkit::setBeforeSwapCallback(captureExportFrame);
    setFrameCounter(0);
    for (int i = 0; i < gifFrameCount; ++i) drawFrame();
    toolkit::setBeforeSwapCallback(nullptr);
    glyphs::releaseGlyphs(); // the labels' textures go with the context
    toolkit::closeOffscreenContext();
    const char* reason = "";
    const bool written = gif::writeAnimation(recording, path, reason);
    gif::endRecording(recording);
    if (!written) return exportFailure(path, reason);
    consoleLine(std::string("Wrote ") + path + " (" + std::to_string(gifFrameCount) + " frames, " +
                std::to_string(size) + " x " + std::to_string(size) + ")");
    return 0;
}

} // namespace render
