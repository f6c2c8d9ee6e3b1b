// `molvane --gif` as a user runs it, with DISPLAY unset: the file decodes with giflib into 100
// frames that match the same frames drawn offscreen here; failures end with status 1, one
// line on standard error and no file; and the command line's own answers and refusals.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "reader/gaussian_reader.h"
#include "reader/run_data.h"
#include "render/animation.h"
#include "render/frame.h"
#include "render/run_blocks.h"
#include "render/view.h"
#include "tests/gif/gif_decode.h"
#include "tests/support/molecules.h"
#include "tests/support/program_dir.h"
#include "toolkit/toolkit.h"
#include "trackball/trackball.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Outcome;
using testsupport::ProgramDir;

// The working directory of a run: the example and a filename.dat naming it.
class GifExport : public ::testing::Test {
  protected:
    ProgramDir dir;
    void SetUp() override {
        dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "formaldehyde-freq.out");
        dir.write("filename.dat", "Filename:formaldehyde-freq.out\r\n");
    }
    // Runs molvane with `arguments`, no display, answering no licence, mode 1 and the default
    // amplitude; `env` sets variables for it.
    Outcome runMolvane(const std::string& arguments, const std::string& env = "") const {
        return dir.runWithArguments(MOLVANE_BINARY, arguments, "\n1\n\n",
                                    "env -u DISPLAY " + env + " ");
    }
};

std::vector<unsigned char> pixels;
void readBack() {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 400, 400, GL_RGB, GL_UNSIGNED_BYTE,
                 pixels.data() + pixels.size() - 400 * 400 * 3);
}

TEST_F(GifExport, FramesMatchTheSameFramesDrawnOffscreen) {
    const Outcome run = runMolvane("--gif vibration.gif");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string closing = "Wrote vibration.gif (100 frames, 400 x 400)\r\n";
    ASSERT_GE(run.out.size(), closing.size());
    EXPECT_EQ(run.out.substr(run.out.size() - closing.size()), closing);
    EXPECT_NE(run.out.find("You Will See Normal Mode ="), std::string::npos);

    gif_test::Animation a;
    const char* why = "";
    ASSERT_TRUE(gif_test::decode(dir.file("vibration.gif"), a, why)) << why;
    EXPECT_EQ(a.width, 400);
    EXPECT_EQ(a.height, 400);
    EXPECT_TRUE(a.loopsForever);
    EXPECT_GT(a.globalColours, 0);
    EXPECT_FALSE(a.localTables);
    EXPECT_EQ(a.delays, std::vector<int>(100, 2));
    ASSERT_EQ(a.frames.size(), 100u);

    // The reference: the window's start-up state and view, frames 0 to 99 after one unrecorded
    // frame, read back before each swap.
    testsupport::loadFirstMode(dir.file("formaldehyde-freq.out"));
    toolkit::setDisplayMode(toolkit::modeDouble | toolkit::modeDepth16);
    const char* reason = "";
    ASSERT_TRUE(toolkit::openOffscreenContext(400, 400, reason)) << reason;
    render::initClearColor();
    render::initDrawingState();
    trackball::trackballInit(300, 300);
    render::reshapeView(400, 400);
    render::drawFrame();
    toolkit::setBeforeSwapCallback(readBack);
    render::setFrameCounter(0);
    double worstMean = 0, worstWithin = 1;
    for (int f = 0; f < 100; ++f) {
        pixels.assign(400 * 400 * 3, 0);
        render::drawFrame();
        const gif_test::Closeness c = gif_test::compare(a.frames[f], pixels.data(), 400, 400);
        for (double e : c.meanError) worstMean = std::max(worstMean, e);
        worstWithin = std::min(worstWithin, c.within16);
    }
    toolkit::setBeforeSwapCallback(nullptr);
    toolkit::closeOffscreenContext();
    EXPECT_LE(worstMean, 3.0);
    EXPECT_GE(worstWithin, 0.99);
    // The atoms move: the frame at full swing is not the equilibrium.
    EXPECT_NE(a.frames[0], a.frames[25]);
}

TEST_F(GifExport, SizeOptionSetsThePicture) {
    const Outcome run = runMolvane("--gif small.gif --size 64");
    ASSERT_EQ(run.status, 0) << run.err;
    gif_test::Animation a;
    const char* why = "";
    ASSERT_TRUE(gif_test::decode(dir.file("small.gif"), a, why)) << why;
    EXPECT_EQ(a.width, 64);
    EXPECT_EQ(a.height, 64);
    EXPECT_EQ(a.frames.size(), 100u);
}

TEST_F(GifExport, FailuresNameTheFileAndLeaveNothing) {
    const testsupport::Snapshot before = dir.snapshot();
    struct Case {
        std::string arguments, env, reasonPart;
    } cases[] = {
        {"--gif no-such-dir/out.gif", "", "No such file or directory"},
        {"--gif out.gif", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json", "offscreen OpenGL"},
    };
    for (const Case& c : cases) {
        const Outcome run = runMolvane(c.arguments, c.env);
        EXPECT_EQ(run.status, 1) << c.arguments;
        const std::string file = c.arguments.substr(6);
        EXPECT_EQ(run.err.find("molvane: cannot write \"" + file + "\": "), 0u) << run.err;
        EXPECT_NE(run.err.find(c.reasonPart), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(dir.snapshot(), before) << c.arguments;
        EXPECT_EQ(run.out.find("Wrote"), std::string::npos);
    }
}

// A disk that fills up while the file is written: a 64 kB file system of its own, which needs
// the right to mount one (skipped without it).
TEST_F(GifExport, FullDiskLeavesNoFile) {
    const fs::path small = dir.file("small");
    fs::create_directory(small);
    const std::string mount =
        "mount -t tmpfs -o size=64k tmpfs '" + small.string() + "' 2>/dev/null";
    if (std::system(mount.c_str()) != 0) GTEST_SKIP() << "cannot mount a small file system";
    const Outcome run = runMolvane("--gif small/out.gif");
    const std::vector<std::string> left = [&] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(small)) names.push_back(e.path().filename());
        return names;
    }();
    EXPECT_EQ(std::system(("umount '" + small.string() + "'").c_str()), 0) << "umount";
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.find("molvane: cannot write \"small/out.gif\": "), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(left.empty()) << left.size() << " files left, the first " << left[0];
}

// A GIF of mode 7 with one command and no input at all: no question asked, filename.dat neither
// read nor made.
TEST(GifExportAnswered, ModeSevenOfANamedFileWithStandardInputClosed) {
    ProgramDir dir;
    dir.copyIn(testsupport::sampleFile("g16-dvb-hpmodes.out"), "dvb.log"); // 54 modes
    const Outcome run =
        dir.run(MOLVANE_BINARY, "", "--gif mode7.gif --mode 7 dvb.log <&-", "env -u DISPLAY ");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("You Will See Normal Mode =           7\r\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Enter"), std::string::npos) << "a question was asked";
    const std::string closing = "Wrote mode7.gif (100 frames, 400 x 400)\r\n";
    ASSERT_GE(run.out.size(), closing.size());
    EXPECT_EQ(run.out.substr(run.out.size() - closing.size()), closing);
    EXPECT_FALSE(dir.exists("filename.dat"));
    gif_test::Animation a;
    const char* why = "";
    ASSERT_TRUE(gif_test::decode(dir.file("mode7.gif"), a, why)) << why;
    EXPECT_EQ(a.frames.size(), 100u);
    EXPECT_NE(a.frames[0], a.frames[25]) << "the atoms do not move";
}

TEST_F(GifExport, CommandLineAnswersAndRefusals) {
    Outcome run = runMolvane("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "molvane " MOLVANE_VERSION "\n");
    run = runMolvane("--help");
    EXPECT_EQ(run.status, 0);
    for (const char* part :
         {"--gif OUT", "--size N", "filename.dat", "newcoordinates.xyz", "See molvane(1)."})
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    for (const char* bad :
         {"--frobnicate", "--size 64", "--gif x.gif --size 15", "--gif x.gif --size 2049",
          "--gif x.gif --size 4OO", "--gif", "one.out two.out", "--gif a.gif --gif b.gif"}) {
        run = runMolvane(bad);
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad; // no dialogue started
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << bad << ": " << run.err;
    }
    const testsupport::Snapshot left = dir.snapshot();
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ(left.count("filename.dat") + left.count("formaldehyde-freq.out"), 2u);
}

} // namespace
