// The recorder on synthetic frames: what goes in comes out of giflib's decoder, the colour
// table keeps shaded pictures within the error bounds, a failed write leaves no file, and a
// new name never replaces a file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "export/gif_colours.h"
#include "export/gif_writer.h"
#include "tests/gif/gif_decode.h"
#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ScratchDir;

void setPixel(unsigned char* frame, int width, int x, int y, int r, int g, int b) {
    unsigned char* p = frame + (std::size_t(y) * width + x) * 3;
    p[0] = (unsigned char)r;
    p[1] = (unsigned char)g;
    p[2] = (unsigned char)b;
}

// Grey background with lit balls of five hues, shifted by `shift` pixels: thousands of
// colours, as the program's frames have.
void shadedFrame(unsigned char* frame, int width, int height, int shift) {
    const double hues[5][3] = {
        {0.1, 0.3, 0.4}, {0.7, 0.9, 0.5}, {0.5, 0.1, 0.5}, {0.9, 0.6, 0.0}, {0.6, 0.5, 1.0}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int rgb[3] = {191, 191, 191};
            for (int b = 0; b < 5; ++b) {
                const double cx = 30 + 35 * b + shift, cy = 40 + 20 * (b % 3), radius = 22;
                const double dx = (x - cx) / radius, dy = (y - cy) / radius;
                const double r2 = dx * dx + dy * dy;
                if (r2 >= 1) continue;
                const double light =
                    0.2 + 0.8 * std::max(0.0, (0.5 * dx + 0.5 * dy + 0.7 * std::sqrt(1 - r2)));
                for (int k = 0; k < 3; ++k)
                    rgb[k] = int(std::min(255.0, 255 * hues[b][k] * light + 0.5));
            }
            setPixel(frame, width, x, y, rgb[0], rgb[1], rgb[2]);
        }
}

TEST(GifRecorder, FramesComeBackExactlyWhenTheyHaveFewColours) {
    const ScratchDir dir;
    const int width = 37, height = 23, frames = 4;
    const std::size_t frameBytes = std::size_t(width) * height * 3;
    std::vector<unsigned char> originals(frameBytes * frames);
    gif::Recording rec{};
    ASSERT_TRUE(gif::beginRecording(rec, width, height, frames));
    for (int f = 0; f < frames; ++f) {
        unsigned char* frame = gif::nextFrame(rec);
        ASSERT_NE(frame, nullptr);
        // The buffers are reused: whatever an earlier frame left is painted over.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) setPixel(frame, width, x, y, 191, 191, 191 - y);
        // A square moving right and a frame (3) identical to the one before it.
        const int left = f == 3 ? 6 : 2 + 2 * f;
        for (int y = 3; y < 9; ++y)
            for (int x = left; x < left + 5; ++x) setPixel(frame, width, x, y, 255, 0, 20 * f);
        std::copy(frame, frame + frameBytes, originals.begin() + frameBytes * f);
        gif::frameTaken(rec);
    }
    EXPECT_EQ(gif::nextFrame(rec), nullptr);
    const std::string path = dir.file("exact.gif");
    const char* why = "";
    ASSERT_TRUE(gif::writeAnimation(rec, path.c_str(), why)) << why;

    gif_test::Animation a;
    const char* reason = "";
    ASSERT_TRUE(gif_test::decode(path, a, reason)) << reason;
    EXPECT_EQ(a.width, width);
    EXPECT_EQ(a.height, height);
    EXPECT_TRUE(a.loopsForever);
    EXPECT_FALSE(a.localTables);
    EXPECT_EQ(a.delays, std::vector<int>(frames, 2));
    ASSERT_EQ(a.frames.size(), std::size_t(frames));
    for (int f = 0; f < frames; ++f) {
        const gif_test::Closeness c =
            gif_test::compare(a.frames[f], &originals[frameBytes * f], width, height);
        EXPECT_EQ(c.meanError[0] + c.meanError[1] + c.meanError[2], 0.0) << "frame " << f;
    }
    gif::endRecording(rec);
}

TEST(GifColours, ShadedPicturesStayWithinTheBounds) {
    const int width = 220, height = 90, frames = 10;
    std::vector<unsigned char> pixels(std::size_t(width) * height * 3 * frames);
    for (int f = 0; f < frames; ++f)
        shadedFrame(&pixels[std::size_t(width) * height * 3 * f], width, height, f);
    gif::ColourTable table{};
    ASSERT_TRUE(gif::chooseColours(pixels.data(), pixels.size() / 3, 255, table));
    EXPECT_EQ(table.count, 255);
    gif::ColourMapper mapper{};
    ASSERT_TRUE(gif::beginMapping(mapper, table));
    double error[3] = {0, 0, 0};
    long close = 0;
    const long n = long(pixels.size() / 3);
    for (long i = 0; i < n; ++i) {
        const unsigned char* p = &pixels[3 * i];
        const int e = gif::mapColour(mapper, p[0], p[1], p[2]);
        bool within = true;
        for (int k = 0; k < 3; ++k) {
            const int d = std::abs(int(table.rgb[e][k]) - int(p[k]));
            error[k] += d;
            within = within && d <= 16;
        }
        close += within;
    }
    gif::endMapping(mapper);
    for (int k = 0; k < 3; ++k) EXPECT_LE(error[k] / n, 3.0) << "channel " << k;
    EXPECT_GE(double(close) / n, 0.99);
    // The background, most of the picture, keeps its exact grey.
    gif::ColourMapper again{};
    ASSERT_TRUE(gif::beginMapping(again, table));
    const int grey = gif::mapColour(again, 191, 191, 191);
    gif::endMapping(again);
    EXPECT_EQ(table.rgb[grey][0], 191);
    EXPECT_EQ(table.rgb[grey][2], 191);
}

// Two frames of 8 x 8 pixels.
void recordTwoFrames(gif::Recording& rec) {
    ASSERT_TRUE(gif::beginRecording(rec, 8, 8, 2));
    for (int f = 0; f < 2; ++f) {
        unsigned char* frame = gif::nextFrame(rec);
        ASSERT_NE(frame, nullptr);
        for (int i = 0; i < 8 * 8 * 3; ++i) frame[i] = (unsigned char)(i * (f + 1));
        gif::frameTaken(rec);
    }
}

TEST(GifRecorder, FailedWriteLeavesNoFile) {
    const ScratchDir scratch;
    const fs::path dir = scratch.path();
    gif::Recording rec{};
    recordTwoFrames(rec);
    const char* why = "";
    // A directory that does not exist.
    const std::string missing = (dir / "no-such-dir" / "a.gif").string();
    EXPECT_FALSE(gif::writeAnimation(rec, missing.c_str(), why));
    EXPECT_STRNE(why, "");
    // A name taken by a directory: everything is encoded, the rename fails, the temporary
    // file goes again.
    fs::create_directory(dir / "taken.gif");
    const std::string taken = (dir / "taken.gif").string();
    EXPECT_FALSE(gif::writeAnimation(rec, taken.c_str(), why));
    EXPECT_STRNE(why, "");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "only the directory itself";
    gif::endRecording(rec);
}

// The key g's names: the name is taken when the finished file is put in place, and a file
// already there is never written over; the next free name is used.
TEST(GifRecorder, NewNameNeverReplacesAFile) {
    const ScratchDir dir;
    gif::Recording rec{};
    recordTwoFrames(rec);
    dir.write("clip.gif", "first");
    dir.write("clip-2.gif", "second");
    dir.write("clip-4.gif", "fourth");
    std::string name;
    const char* why = "";
    ASSERT_TRUE(gif::writeNewAnimation(rec, dir.file("clip"), name, why)) << why;
    EXPECT_EQ(name, dir.file("clip-3.gif"));
    ASSERT_TRUE(gif::writeNewAnimation(rec, dir.file("clip"), name, why)) << why;
    EXPECT_EQ(name, dir.file("clip-5.gif"));
    EXPECT_EQ(dir.read("clip.gif"), "first");
    EXPECT_EQ(dir.read("clip-2.gif"), "second");
    EXPECT_EQ(dir.read("clip-4.gif"), "fourth");
    gif_test::Animation a;
    const char* reason = "";
    ASSERT_TRUE(gif_test::decode(dir.file("clip-5.gif"), a, reason)) << reason;
    EXPECT_EQ(a.frames.size(), 2u);
    // The output option's name is replaced, as users expect.
    ASSERT_TRUE(gif::writeAnimation(rec, dir.file("clip.gif").c_str(), why)) << why;
    EXPECT_TRUE(gif_test::decode(dir.file("clip.gif"), a, reason)) << reason;
    std::size_t entries = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 5u) << "no temporary file left";
    gif::endRecording(rec);
}

} // namespace
