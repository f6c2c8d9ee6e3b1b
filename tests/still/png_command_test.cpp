// `molvane --png` as a user runs it, with DISPLAY unset: the dialogue of --gif, one closing
// line, the PNG read back with libpng; refusals of the command line (status 2) and failures
// to write (status 1, one line, no file left).
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/program_dir.h"

namespace {

using testsupport::Outcome;
using testsupport::ProgramDir;

class PngCommand : public ::testing::Test {
  protected:
    ProgramDir dir;
    void SetUp() override {
        dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "formaldehyde-freq.out");
        dir.write("filename.dat", "Filename:formaldehyde-freq.out\r\n");
    }
    // No display; answers no licence, mode 1 and the default amplitude.
    Outcome run(const std::string& arguments, const std::string& env = "") const {
        return dir.runWithArguments(MOLVANE_BINARY, arguments, "\n1\n\n",
                                    "env -u DISPLAY " + env + " ");
    }
};

struct Png {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> rgba;
};

bool readPng(const std::string& file, Png& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
    png.width = int(image.width);
    png.height = int(image.height);
    png.channels = PNG_IMAGE_SAMPLE_CHANNELS(image.format);
    image.format = PNG_FORMAT_RGBA;
    png.rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, png.rgba.data(), 0, nullptr) != 0;
}

std::string lastLine(const std::string& out) {
    const std::size_t end = out.rfind("\r\n");
    const std::size_t start = out.rfind('\n', end - 1);
    return out.substr(start + 1, end - start - 1);
}

TEST_F(PngCommand, AFigureAfterTheDialogueOfTheGif) {
    const Outcome gif = run("--gif period.gif --size 16");
    const Outcome still = run("--png fig.png --bonds --labels --arrows");
    ASSERT_EQ(still.status, 0) << still.err;
    EXPECT_EQ(still.err, "");
    EXPECT_EQ(lastLine(still.out), "Wrote fig.png (1600 x 1200)");
    // The same console up to the closing line.
    EXPECT_EQ(still.out.substr(0, still.out.rfind("Wrote")),
              gif.out.substr(0, gif.out.rfind("Wrote")));
    Png png;
    ASSERT_TRUE(readPng(dir.file("fig.png"), png));
    EXPECT_EQ(png.width, 1600);
    EXPECT_EQ(png.height, 1200);
    EXPECT_EQ(png.channels, 3);
    EXPECT_EQ(png.rgba[0], 255) << "white corner";
    const auto coloured =
        std::count_if(png.rgba.begin(), png.rgba.end(), [](unsigned char c) { return c < 200; });
    EXPECT_GT(coloured, 20000) << "a molecule in the picture";
}

TEST_F(PngCommand, SizeAndTransparentBackgroundWithoutQuestions) {
    const Outcome still = run(
        "--png small.png --size 200x120 --background transparent --mode 2 formaldehyde-freq.out");
    ASSERT_EQ(still.status, 0) << still.err;
    EXPECT_EQ(lastLine(still.out), "Wrote small.png (200 x 120)");
    Png png;
    ASSERT_TRUE(readPng(dir.file("small.png"), png));
    EXPECT_EQ(png.width, 200);
    EXPECT_EQ(png.height, 120);
    EXPECT_EQ(png.channels, 4);
    EXPECT_EQ(png.rgba[3], 0) << "transparent corner";
    EXPECT_EQ(png.rgba[(120 * 200 - 1) * 4 + 3], 0) << "transparent corner";
}

TEST_F(PngCommand, RefusedLikeOtherOptions) {
    const testsupport::Snapshot before = dir.snapshot();
    for (const char* arguments :
         {"--png a.png --gif b.gif", "--png a.png --size 8193x100", "--png a.png --size 15x100",
          "--png a.png --size 100", "--png a.png --background blue", "--background white", "--png",
          "--png a.png --spectrum b.svg", "--png a.png --list"}) {
        const Outcome r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << ": " << r.err;
        EXPECT_EQ(r.err.find("molvane: "), 0u) << r.err;
    }
    EXPECT_EQ(dir.snapshot(), before);
}

TEST_F(PngCommand, FailuresNameTheFileAndLeaveNothing) {
    const testsupport::Snapshot before = dir.snapshot();
    struct Case {
        std::string file, env, reasonPart;
    } cases[] = {
        {"no-such-dir/out.png", "", "No such file or directory"},
        {"out.png", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json", "offscreen OpenGL"},
    };
    for (const Case& c : cases) {
        const Outcome r = run("--png " + c.file + " --size 64x64", c.env);
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_EQ(r.err.find("molvane: cannot write \"" + c.file + "\": "), 0u) << r.err;
        EXPECT_NE(r.err.find(c.reasonPart), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out.find("Wrote"), std::string::npos);
        EXPECT_EQ(dir.snapshot(), before) << c.file;
    }
}

} // namespace
