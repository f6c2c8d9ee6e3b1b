// The program's command-line options, all parsed here. With none, the program is the console
// dialogue followed by the window; with --spectrum, it is neither.
#pragma once

#include <string_view>

namespace driver {

constexpr int gifSizeDefault = 400;
constexpr int gifSizeMin = 16;
constexpr int gifSizeMax = 2048;

struct Options {
    const char* gifFile;      // --gif OUT: write the animation there instead of opening a window
    int gifSize;              // --size N: width and height of the GIF in pixels
    const char* inputFile;    // FILE: the output file to read instead of the one filename.dat names
    int mode;                 // --mode N: the mode, asked for no more (0 when not given)
    float amplitude;          // --amplitude A: the amplitude, asked for no more (0 when not given)
    bool list;                // --list: the file's modes on standard output, no dialogue, no window
    const char* spectrumFile; // --spectrum OUT: write the spectrum there; no dialogue, no window
    double fwhm;              // --fwhm W: each band's full width at half maximum, cm**-1
    int spectrumWidth;        // --size WxH with --spectrum: the picture's size in pixels
    int spectrumHeight;
    bool path;                  // --path: the job's path (optimisation, scan, IRC, frames)
    int step;                   // --step K: the step to start at or write (0 when not given)
    const char* xyzFile;        // --xyz OUT with --path --step K: that step's geometry
    const char* energyPlotFile; // --energy-plot OUT: the path's energy profile (implies --path)
};

// Reads argv[1..argc-1] into options. Returns -1 when the program should run on; otherwise the
// status to end with at once: 0 after --help or --version (their text on console output), 2
// after an unknown option, a missing or bad value (an amplitude outside the dialogue's range
// included), options that do not go together or a second file name (one failure line on
// standard error). Both go out through the text layer.
int parseCommandLine(int argc, const char* const* argv, Options& options);

// Refusals that wait for the file to be known, said as the parser says its own (one line on
// standard error); each returns the status to end with. A --mode outside the file's modes
// 1..count gives 2; a file named on the command line, or read without questions, that cannot
// be read gives 1.
int refuseMode(int mode, int count, std::string_view fileName);
int refuseUnreadableFile(std::string_view fileName);

} // namespace driver
