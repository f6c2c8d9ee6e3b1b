// The program's command-line options, all parsed here. With none, the program is the console
// dialogue followed by the window; with --spectrum, it is neither.
#pragma once

namespace driver {

constexpr int gifSizeDefault = 400;
constexpr int gifSizeMin = 16;
constexpr int gifSizeMax = 2048;

struct Options {
    const char* gifFile;      // --gif FILE: write the animation there instead of opening a window
    int gifSize;              // --size N: width and height of the GIF in pixels
    const char* spectrumFile; // --spectrum OUT: write the spectrum there; no dialogue, no window
    double fwhm;              // --fwhm W: each band's full width at half maximum, cm**-1
    int spectrumWidth;        // --size WxH with --spectrum: the picture's size in pixels
    int spectrumHeight;
    const char* inputFile; // FILE: the output file to read instead of the one filename.dat names
};

// Reads argv[1..argc-1] into options. Returns -1 when the program should run on; otherwise the
// status to end with at once: 0 after --help or --version (their text on standard output), 2
// after an unknown option, a missing or bad value, options that do not go together or a second
// file name (one line on standard error).
int parseCommandLine(int argc, const char* const* argv, Options& options);

} // namespace driver
