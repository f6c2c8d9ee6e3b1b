// Stepping through a path in the window, playing it, and the list of its keys.
#include "render/step_keys.h"

#include "render/bonds.h"
#include "render/frame.h"
#include "render/mode_keys.h"
#include "render/view.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

#include <chrono>
#include <cstdio>

namespace render {
namespace {

StepSource source;
int shown = 0;
bool isPlaying = false;
int direction = 1;
std::chrono::steady_clock::time_point lastStep;
constexpr auto stepInterval = std::chrono::milliseconds(100);

void consoleLine(const char* text) { textio::writeListLine({textio::out(text)}); }

// The console line and the title of the step shown.
void reportStep() {
    char line[200];
    source.describe(shown, line, sizeof line);
    consoleLine(line);
    char title[220];
    std::snprintf(title, sizeof title, "Molvane - %s", line);
    toolkit::setWindowTitle(title);
}

void next() { stepBy(1); }
void previous() { stepBy(-1); }
void first() { showStep(0); }
void last() { showStep(source.count - 1); }

} // namespace

void bindStepKeys(const StepSource& steps, int firstShown) {
    source = steps;
    shown = firstShown;
    isPlaying = false;
    direction = 1;
    toolkit::setKeyCallback(toolkit::keyRight, next);
    toolkit::setKeyCallback(toolkit::keyLeft, previous);
    toolkit::setKeyCallback(toolkit::keyHome, first);
    toolkit::setKeyCallback(toolkit::keyEnd, last);
    toolkit::setKeyCallback(toolkit::keySpace, switchPlaying);
    toolkit::setKeyCallback('b', switchBallAndStick);
    toolkit::setKeyCallback('B', switchBallAndStick);
    toolkit::setKeyCallback('l', switchLabels);
    toolkit::setKeyCallback('L', switchLabels);
    toolkit::setKeyCallback('h', listStepKeys);
    toolkit::setKeyCallback('H', listStepKeys);
}

void showStep(int step) {
    if (step < 0) step = 0;
    if (step > source.count - 1) step = source.count - 1;
    if (step == shown || source.count < 1) return;
    shown = step;
    source.load(step);
    updateBonds(); // bonds form and break along the path
    makeRoomForSwing(2.0);
    reportStep();
}

void stepBy(int delta) { showStep(shown + delta); }

void switchPlaying() {
    isPlaying = !isPlaying;
    lastStep = std::chrono::steady_clock::now();
}

void listStepKeys() {
    consoleLine("Keys in the window:");
    consoleLine("  Right, Left  the next, the previous step of the path");
    consoleLine("  Home, End    the first, the last step");
    consoleLine("  Space        play the path back and forth, pause it");
    consoleLine("  b, l         ball and stick, atom labels on, off");
    consoleLine("  p            a still of the window to molvane-step<K>.png");
    consoleLine("  g            the whole path, a frame a step, to molvane-path.gif");
    consoleLine("  h            this list");
    consoleLine("  Escape       end Molvane");
    consoleLine("  Drag with the left mouse button to turn the molecule.");
}

int shownStep() { return shown; }
bool playing() { return isPlaying; }

void drawPathFrame() {
    if (isPlaying && source.count > 1) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastStep >= stepInterval) {
            lastStep = now;
            if (shown + direction < 0 || shown + direction > source.count - 1)
                direction = -direction;
            stepBy(direction);
        }
    }
    drawFrame();
}

} // namespace render
