// The program's command-line options, all parsed here from one table (command_line.cpp): a row
// an option, with the function that takes its value, then the rules on which options go
// together. With none, the program is the console dialogue followed by the window; with
// --spectrum, it is neither.
#pragma once

#include "plot/spectrum_plot.h"

#include <string_view>

namespace driver {

constexpr int gifSizeDefault = 400;
constexpr int gifSizeMin = 16;
constexpr int gifSizeMax = 2048;

constexpr double scaleMin = 0.5;
constexpr double scaleMax = 1.5;

enum class ListFormat { text, csv, json };
constexpr int stillSizeMin = 16; // --size WxH with --png, each side
constexpr int stillSizeMax = 8192;

enum class Background { white, grey, transparent }; // --background with --png

struct Options {
    const char* inputFile = nullptr;     // FILE: the output file to read instead of filename.dat's
    int mode = 0;                        // --mode N: the mode, asked for no more (0: not given)
    float amplitude = 0.0f;              // --amplitude A: asked for no more (0: not given)
    bool list = false;                   // --list: the file's modes on standard output
    const char* gifFile = nullptr;       // --gif OUT: the animation there instead of a window
    int gifSize = gifSizeDefault;        // --size N with --gif: its width and height in pixels
    const char* spectrumFile = nullptr;  // --spectrum OUT: the spectrum there; no dialogue
    double fwhm = spectrum::fwhmDefault; // --fwhm W: each band's full width at half maximum
    int spectrumWidth = spectrum::widthDefault; // --size WxH with --spectrum: in pixels
    int spectrumHeight = spectrum::heightDefault;
    const char* sizeText = nullptr; // --size as given, read once the output it sizes is known
    double scale = 1;               // --scale F: frequencies times F in the spectrum and the list
    double rangeLow = 0, rangeHigh = 0;       // --range LO:HI: the spectrum's axis (0, 0: its own)
    const char* experimentFile = nullptr;     // --experiment FILE: drawn over the computed spectrum
    ListFormat listFormat = ListFormat::text; // --format: the list as lines, CSV or JSON
    bool summary = false;                     // --summary FILE...: one CSV row per file
    bool noHeader = false;                    // --no-header: CSV without its header line
    int fileCount = 0;                        // with --summary: every FILE, in order
    const char* const* files = nullptr;
    const char* pngFile = nullptr; // --png OUT: a still of the molecule there, not a window
    int stillWidth = 1600;         // --size WxH with --png: the still's size in pixels
    int stillHeight = 1200;
    Background background = Background::white; // --background white|grey|transparent
    bool bonds = false;                        // --bonds: start in ball and stick
    bool labels = false;                       // --labels: start with the atom labels
    bool arrows = false;                       // --arrows: start with the displacement arrows
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
