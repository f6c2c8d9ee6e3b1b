// The window's keys on the bundled formaldehyde example (6 modes; Gaussian's printed vectors):
// what a step changes and what it keeps, the ends of the ranges, the amplitude in tenths, the
// console lines and the title, and the frames drawn after a step.
#include "render/mode_keys.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "reader/run_data.h"
#include "reader/vibrations.h"
#include "render/animation.h"
#include "render/arrows.h"
#include "render/frame.h"
#include "render/glyphs.h"
#include "render/run_blocks.h"
#include "render/style.h"
#include "render/view.h"
#include "tests/render/scene.h"
#include "tests/support/scratch.h"
#include "textio/textio.h"
#include "toolkit/callbacks.h"
#include "toolkit/null/null_binding.h"
#include "toolkit/toolkit.h"

namespace render_test {
namespace {

const std::string example = MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out";

// Mode 1 at amplitude 0.5 as a run of the dialogue leaves it (without the mode list, which
// Gaussian's operations do not read), the keys bound, the null window open for its title and
// the console going to a file.
class ModeKeys : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        if (IsSkipped()) return;
        toolkit::null::reset();
        ASSERT_EQ(toolkit::openWindow("Molvane Version 1.14"), 1);
        reader::readVibrations(example, reader::Format::gaussian, 1);
        reader::modeList.count = 0;
        reader::modeNumber = 1;
        reader::amplitude = 0.5f;
        reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                                render::viewVolume);
        render::reshapeView(400, 400);
        render::setFrameCounter(37);
        render::bindModeKeys(example, reader::Format::gaussian);
        console = ::open(scratch.file("console").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        textio::setConsole(0, console);
    }
    void TearDown() override {
        textio::setConsole(0, 1);
        if (console >= 0) ::close(console);
        render::setArrowsShown(false);
        render::makeRoomForSwing(0.0);
        toolkit::null::reset();
    }
    std::string consoleText() const { return scratch.read("console"); }
    static int titleChanges() { return toolkit::null::record().titleChanges; }
    static std::string title() { return toolkit::null::record().title; }

    testsupport::ScratchDir scratch;
    int console = -1;
};

// The frame drawn at `frame` after one frame of the same scene (the axes are lit with the
// normal a frame leaves behind, as from the second frame of a run on).
std::vector<unsigned char> frameAt(int frame) {
    render::setFrameCounter(frame);
    render::drawFrame();
    render::setFrameCounter(frame);
    render::drawFrame();
    std::vector<unsigned char> pixels(400 * 400 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 400, 400, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST_F(ModeKeys, AStepChangesTheDisplacementsAloneAndSaysSoOnce) {
    float atoms[4][4];
    std::memcpy(atoms, render::atomTable, sizeof atoms);
    double volume[6];
    std::memcpy(volume, render::viewVolume, sizeof volume);

    render::stepMode(1);
    EXPECT_EQ(reader::modeNumber, 2);
    // Mode 2 of the file, hydrogen 3: 0.00 -0.23 -0.66, at amplitude 0.5.
    EXPECT_EQ(render::motionTable[2][1], 0.5f * 0.0f);
    EXPECT_EQ(render::motionTable[2][2], 0.5f * -0.23f);
    EXPECT_EQ(render::motionTable[2][3], 0.5f * -0.66f);
    EXPECT_EQ(render::motionTable[1][2], 0.5f * -0.08f); // oxygen
    EXPECT_EQ(std::memcmp(atoms, render::atomTable, sizeof atoms), 0) << "geometry changed";
    EXPECT_EQ(std::memcmp(volume, render::viewVolume, sizeof volume), 0) << "view volume changed";
    EXPECT_EQ(render::frameCounter(), 37) << "the phase jumped";
    EXPECT_EQ(consoleText(), "Mode 2 of 6: 1243.80 cm**-1\r\n");
    EXPECT_EQ(title(), "Molvane - Mode 2 of 6: 1243.80 cm**-1, amplitude 0.50");
    EXPECT_EQ(titleChanges(), 1);

    // Room in depth for any unit-length mode at amplitude 2: 2 Angstrom at every atom.
    double farthest = 0.0;
    for (int i = 0; i < 4; ++i)
        farthest = std::max(farthest, std::hypot(double(render::atomTable[i][1]),
                                                 double(render::atomTable[i][2]),
                                                 double(render::atomTable[i][3])));
    const double reach = std::max(5.0, farthest + 2.0 + 270.0 / 250.0);
    double nearBound = 0.0, farBound = 0.0;
    render::depthBounds(nearBound, farBound);
    EXPECT_NEAR(farBound, std::max(render::viewVolume[4], std::sqrt(33.0) + reach), 1e-9);
    EXPECT_NEAR(nearBound, std::min(render::viewVolume[5], std::sqrt(33.0) - reach), 1e-9);
}

TEST_F(ModeKeys, StepsStopAtTheFirstAndTheLastMode) {
    render::stepMode(-1);
    EXPECT_EQ(reader::modeNumber, 1);
    EXPECT_EQ(consoleText(), "");
    EXPECT_EQ(titleChanges(), 0);
    for (int i = 0; i < 5; ++i) render::stepMode(1);
    EXPECT_EQ(reader::modeNumber, 6);
    const std::string atLast = consoleText();
    EXPECT_EQ(atLast.substr(atLast.size() - 29), "Mode 6 of 6: 2954.51 cm**-1\r\n");
    const std::vector<unsigned char> last = frameAt(25);
    render::stepMode(1);
    EXPECT_EQ(reader::modeNumber, 6);
    EXPECT_EQ(consoleText(), atLast);
    EXPECT_EQ(titleChanges(), 5);
    EXPECT_TRUE(frameAt(25) == last) << "the picture changed past the last mode";
}

TEST_F(ModeKeys, AmplitudeMovesInTenthsAboveZeroUpToTwo) {
    for (int i = 0; i < 16; ++i) render::stepAmplitude(1);
    EXPECT_EQ(reader::amplitude, 2.0f);
    EXPECT_EQ(titleChanges(), 15) << "the sixteenth step went beyond 2";
    EXPECT_EQ(render::motionTable[2][1], 2.0f * 0.70f);
    EXPECT_EQ(title(), "Molvane - Mode 1 of 6: 1209.56 cm**-1, amplitude 2.00");
    for (int i = 0; i < 25; ++i) render::stepAmplitude(-1);
    EXPECT_EQ(reader::amplitude, 0.1f);
    EXPECT_EQ(titleChanges(), 15 + 19) << "a step down to 0 or below was taken";
    const std::string text = consoleText();
    EXPECT_EQ(text.substr(0, 45), "Mode 1 of 6: 1209.56 cm**-1, amplitude 0.60\r\n");
    EXPECT_EQ(text.substr(text.size() - 45), "Mode 1 of 6: 1209.56 cm**-1, amplitude 0.10\r\n");

    // An amplitude given in hundredths keeps them, and steps to 2 exactly from close below.
    reader::amplitude = 0.05f;
    render::stepAmplitude(-1);
    EXPECT_EQ(reader::amplitude, 0.05f);
    render::stepAmplitude(1);
    EXPECT_EQ(reader::amplitude, 0.15f);
    reader::amplitude = 1.95f;
    render::stepAmplitude(1);
    EXPECT_EQ(reader::amplitude, 2.0f);
}

TEST_F(ModeKeys, KeysReachTheirSteps) {
    using toolkit::callbacks::dispatchKey;
    EXPECT_EQ(dispatchKey(toolkit::keyRight, 0), 1);
    EXPECT_EQ(reader::modeNumber, 2);
    dispatchKey(toolkit::keyLeft, 0);
    EXPECT_EQ(reader::modeNumber, 1);
    dispatchKey(toolkit::keyUp, 0);
    EXPECT_EQ(reader::amplitude, 0.6f);
    dispatchKey(toolkit::keyDown, 0);
    EXPECT_EQ(reader::amplitude, 0.5f);
    EXPECT_FALSE(render::arrowsShown());
    dispatchKey('a', 0);
    EXPECT_TRUE(render::arrowsShown());
    dispatchKey('A', 0);
    EXPECT_FALSE(render::arrowsShown());
    dispatchKey('b', 0);
    EXPECT_TRUE(render::drawingStyle.ballAndStick);
    dispatchKey('B', 0);
    EXPECT_FALSE(render::drawingStyle.ballAndStick);
    if (!render::glyphs::fontMissing()) {
        dispatchKey('l', 0);
        EXPECT_TRUE(render::drawingStyle.labels);
        dispatchKey('L', 0);
        EXPECT_FALSE(render::drawingStyle.labels);
    }
    const std::size_t before = consoleText().size();
    dispatchKey('h', 0);
    const std::string keys = consoleText().substr(before);
    EXPECT_EQ(keys.rfind("Keys in the window:\r\n", 0), 0u) << keys;
    for (const char* key :
         {"Right, Left", "Up, Down", "  a ", "  b ", "  l ", "  g ", "  p ", "  h ", "Escape"})
        EXPECT_NE(keys.find(key), std::string::npos) << key;
}

TEST_F(ModeKeys, FramesAfterAStepShowTheNewMode) {
    const std::vector<unsigned char> first = frameAt(25);
    render::stepMode(1);
    EXPECT_FALSE(frameAt(25) == first);
    // At equilibrium every mode looks the same.
    render::stepMode(-1);
    const std::vector<unsigned char> equilibrium = frameAt(0);
    render::stepMode(1);
    EXPECT_TRUE(frameAt(0) == equilibrium);
}

} // namespace
} // namespace render_test
