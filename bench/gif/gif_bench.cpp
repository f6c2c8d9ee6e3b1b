// GIF export benchmark with no display: for the bundled formaldehyde example and a 1000-atom
// molecule of many elements, the time of `molvane --gif`'s export (offscreen context, 100
// frames drawn and read back, colour table, encoding, file) against the time to draw the same
// 100 frames offscreen, each finished (in brackets: the frames left to overlap), and the file
// size. Targets: ratio at most 1.5; under 3 s and 1 MB for the example. The example's figures
// are the best of five runs, so a busy machine disturbs them less; the large molecule runs once.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "reader/gaussian_reader.h"
#include "reader/run_data.h"
#include "render/animation.h"
#include "render/frame.h"
#include "render/gif_capture.h"
#include "render/run_blocks.h"
#include "render/startup.h"
#include "render/view.h"
#include "tests/support/molecules.h"
#include "toolkit/toolkit.h"
#ifdef MOLVANE_BENCH_DECODE
#include "tests/gif/gif_decode.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;
constexpr int size = 400;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// Opens the offscreen context in the window's starting state.
bool openContext() {
    toolkit::setDisplayMode(render::drawingMode);
    const char* why = "";
    if (!toolkit::openOffscreenContext(size, size, why)) {
        std::fprintf(stderr, "gif_bench: %s\n", why);
        return false;
    }
    render::prepareDrawing();
    render::reshapeView(size, size);
    return true;
}

// Context, one frame to warm the sphere lists, then 100 frames drawn. eachFinished: every
// frame is finished before the next begins, as a frame that is shown must be (a window's swap
// waits for it); else the renderer may overlap the frames and only the last is waited for.
double drawTime(bool eachFinished) {
    const Clock::time_point start = Clock::now();
    if (!openContext()) return -1;
    render::drawFrame();
    render::setFrameCounter(0);
    for (int i = 0; i < 100; ++i) {
        render::drawFrame();
        if (eachFinished) glFinish();
    }
    glFinish();
    const double t = secondsSince(start);
    toolkit::closeOffscreenContext();
    return t;
}

#ifdef MOLVANE_BENCH_DECODE
std::vector<unsigned char> pixels(size* size * 3);
void readBack() {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

// Worst mean error per channel and worst share within 16 levels over the 100 frames.
void closeness(const std::string& path) {
    gif_test::Animation a;
    const char* why = "";
    if (!gif_test::decode(path, a, why) || a.frames.size() != 100 || !openContext()) return;
    render::drawFrame();
    toolkit::setBeforeSwapCallback(readBack);
    render::setFrameCounter(0);
    double mean = 0, within = 1;
    for (int f = 0; f < 100; ++f) {
        render::drawFrame();
        const gif_test::Closeness c = gif_test::compare(a.frames[f], pixels.data(), size, size);
        mean = std::max({mean, c.meanError[0], c.meanError[1], c.meanError[2]});
        within = std::min(within, c.within16);
    }
    toolkit::setBeforeSwapCallback(nullptr);
    toolkit::closeOffscreenContext();
    std::printf("  frames against OpenGL: worst mean error %.3f levels, worst share within 16 "
                "levels %.4f\n",
                mean, within);
}
#else
void closeness(const std::string&) {}
#endif

void measure(const char* label, int runs) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "molvane-bench.gif").string();
    double draw = 1e9, overlapped = 1e9, exportTime = 1e9;
    for (int r = 0; r < runs; ++r) {
        draw = std::min(draw, drawTime(true));
        overlapped = std::min(overlapped, drawTime(false));
        const Clock::time_point start = Clock::now();
        if (render::exportGif(path.c_str(), size) != 0) return;
        exportTime = std::min(exportTime, secondsSince(start));
    }
    const auto bytes = std::filesystem::file_size(path);
    std::printf("%s: draw 100 frames %.3f s (overlapped %.3f s), export %.3f s, ratio %.2f "
                "(%.2f), file %.0f kB\n",
                label, draw, overlapped, exportTime, exportTime / draw, exportTime / overlapped,
                bytes / 1024.0);
    std::fflush(stdout);
    closeness(path);
    std::fflush(stdout);
    std::filesystem::remove(path);
}

} // namespace

int main(int argc, char** argv) {
    testsupport::loadFirstMode(argc > 1 ? argv[1] : MOLVANE_EXAMPLE);
    measure("formaldehyde (4 atoms)", 5);
    testsupport::buildGridMolecule(1000);
    measure("1000 atoms", 1); // some 25 s a drawing
    return 0;
}
