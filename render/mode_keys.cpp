// Stepping through the modes and the amplitude in the window, the arrows' switch and the list
// of keys.
#include "render/mode_keys.h"

#include <cmath>
#include <cstdio>

#include "reader/run_data.h"
#include "render/arrows.h"
#include "render/glyphs.h"
#include "render/run_blocks.h"
#include "render/style.h"
#include "render/view.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

namespace render {

namespace {

std::string_view file;
reader::Format format = reader::Format::gaussian;
bool listRead = false; // the list of modes has been asked for
bool usable = false;   // and it belongs to the molecule shown

void consoleLine(std::string_view text) { textio::writeListLine({textio::out(text)}); }

// A value with `decimals` decimals as the text layer writes it, without the blanks in front.
std::string_view fixed(char (&text)[24], double value, int decimals) {
    constexpr int width = 23;
    textio::formatReal(text, width, decimals, value);
    int first = 0;
    while (first < width - 1 && text[first] == ' ') ++first;
    return {text + first, std::size_t(width - first)};
}

// The list of modes, read once. The dialogue reads it for every format but Gaussian output,
// whose fixed-column operations read only the chosen mode.
bool modeListReady() {
    if (listRead) return usable;
    listRead = true;
    if (reader::modeList.count == 0) reader::readVibrations(file, format, reader::modeNumber);
    usable = reader::modeList.count > 0 && reader::modeNumber <= reader::modeList.count &&
             reader::atomCount == atomCount;
    if (!usable) consoleLine("The modes of this file cannot be stepped through");
    return usable;
}

// Displacements of the shown mode at the amplitude, as the dialogue's prepareViewData gives
// them, and room in depth for any mode at any amplitude.
void updateMotion() {
    const int count = atomCount < reader::atomCapacity ? atomCount : reader::atomCapacity;
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < 4; ++k)
            motionTable[i][k] = reader::amplitude * reader::modeVector[i][k];
    makeRoomForSwing(double(largestAmplitude));
}

// "Mode 7 of 54: 1234.56 cm**-1" on the console (with the amplitude when it changed) and, with
// the amplitude always, in the title.
void reportChange(bool amplitudeChanged) {
    const int mode = reader::modeNumber;
    char frequency[24], amplitude[24];
    const std::string_view f = fixed(frequency, reader::modeList.frequency[mode - 1], 2);
    const std::string_view a = fixed(amplitude, double(reader::amplitude), 2);
    char line[160];
    const int n = std::snprintf(line, sizeof line, "Mode %d of %d: %.*s cm**-1", mode,
                                reader::modeList.count, int(f.size()), f.data());
    char withAmplitude[200];
    std::snprintf(withAmplitude, sizeof withAmplitude, "%.*s, amplitude %.*s", n, line,
                  int(a.size()), a.data());
    consoleLine(amplitudeChanged ? std::string_view(withAmplitude) : std::string_view(line, n));
    char title[220];
    std::snprintf(title, sizeof title, "Molvane - %s", withAmplitude);
    toolkit::setWindowTitle(title);
}

void nextMode() { stepMode(1); }
void previousMode() { stepMode(-1); }
void amplitudeUp() { stepAmplitude(1); }
void amplitudeDown() { stepAmplitude(-1); }

} // namespace

void bindModeKeys(std::string_view fileName, reader::Format fileFormat) {
    file = fileName;
    format = fileFormat;
    listRead = false;
    toolkit::setKeyCallback(toolkit::keyRight, nextMode);
    toolkit::setKeyCallback(toolkit::keyLeft, previousMode);
    toolkit::setKeyCallback(toolkit::keyUp, amplitudeUp);
    toolkit::setKeyCallback(toolkit::keyDown, amplitudeDown);
    toolkit::setKeyCallback('a', switchArrows);
    toolkit::setKeyCallback('A', switchArrows);
    toolkit::setKeyCallback('b', switchBallAndStick);
    toolkit::setKeyCallback('B', switchBallAndStick);
    toolkit::setKeyCallback('l', switchLabels);
    toolkit::setKeyCallback('L', switchLabels);
    toolkit::setKeyCallback('h', listKeys);
    toolkit::setKeyCallback('H', listKeys);
}

void stepMode(int step) {
    if (!modeListReady()) return;
    const int count = reader::modeList.count;
    int mode = reader::modeNumber + step;
    if (mode > count) mode = count;
    if (mode < 1) mode = 1;
    if (mode == reader::modeNumber) return;
    reader::readVibrationVector(file, format, mode, reader::modeVector);
    reader::modeNumber = mode;
    updateMotion();
    reportChange(false);
}

void stepAmplitude(int tenths) {
    if (!modeListReady()) return;
    // Whole tenths added to the amplitude as given, rounded to a millionth, so that ten steps
    // of 0.1 make 1 and not 0.99999994.
    const double sum = double(reader::amplitude) + 0.1 * tenths;
    float amplitude = float(std::round(sum * 1e6) / 1e6);
    if (amplitude > largestAmplitude) amplitude = largestAmplitude;
    if (!(amplitude > 0.0f) || amplitude == reader::amplitude) return;
    reader::amplitude = amplitude;
    updateMotion();
    reportChange(true);
}

void switchArrows() { setArrowsShown(!arrowsShown()); }

void switchBallAndStick() { drawingStyle.ballAndStick = !drawingStyle.ballAndStick; }

void switchLabels() {
    if (const char* why = glyphs::fontMissing()) {
        char line[160];
        std::snprintf(line, sizeof line, "No labels: %s", why);
        consoleLine(line);
        return;
    }
    drawingStyle.labels = !drawingStyle.labels;
}

void listKeys() {
    consoleLine("Keys in the window:");
    consoleLine("  Right, Left  the next, the previous normal mode of the file");
    consoleLine("  Up, Down     the amplitude up, down by 0.1 (above 0, at most 2)");
    consoleLine("  a            displacement arrows on, off");
    consoleLine("  b            ball and stick (bonds) on, off");
    consoleLine("  l            atom labels on, off");
    consoleLine("  g            the next 100 frames, as shown, to molvane-mode<N>.gif");
    consoleLine("  p            a still of what is shown, twice the window's size, to");
    consoleLine("               molvane-mode<N>.png");
    consoleLine("  h            this list");
    consoleLine("  Escape       end Molvane");
    consoleLine("  Drag with the left mouse button to turn the molecule.");
}

} // namespace render
