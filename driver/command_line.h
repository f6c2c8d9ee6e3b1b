// The program's command-line options, all parsed here. With none, the program is the console
// dialogue followed by the window.
#pragma once

namespace driver {

constexpr int gifSizeDefault = 400;
constexpr int gifSizeMin = 16;
constexpr int gifSizeMax = 2048;

struct Options {
    const char* gifFile; // --gif FILE: write the animation there instead of opening a window
    int gifSize;         // --size N: width and height of the GIF in pixels
};

// Reads argv[1..argc-1] into options. Returns -1 when the program should run on; otherwise the
// status to end with at once: 0 after --help or --version (their text on console output), 2
// after an unknown option, a missing or bad value or a stray argument (one failure line on
// standard error). Both go out through the text layer.
int parseCommandLine(int argc, const char* const* argv, Options& options);

} // namespace driver
