// Option parsing, the usage text and the version line.
#include "driver/command_line.h"

#include "export/spectrum_plot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef MOLVANE_VERSION
#define MOLVANE_VERSION "1.14"
#endif

namespace driver {

namespace {

const char usage[] =
    "Usage: molvane [--gif FILE [--size N]]\n"
    "       molvane --spectrum OUT [--fwhm W] [--size WxH] [FILE]\n"
    "       molvane --help | --version\n"
    "\n"
    "Molvane animates a normal mode of molecular vibration computed by Gaussian\n"
    "(versions 92 to 16).\n"
    "It reads \"filename.dat\" in the working directory, whose first line names the\n"
    "Gaussian output file to read (also in the working directory), asks on the console\n"
    "for the normal mode and the vibration amplitude, and shows the vibration in a\n"
    "window; the key g there writes the next 100 frames as molvane-mode<N>.gif.\n"
    "When the first frequency is negative it writes \"newcoordinates.xyz\". Files are\n"
    "written in the working directory.\n"
    "\n"
    "Options:\n"
    "  --gif FILE   after the same dialogue, write one period of the vibration\n"
    "               (100 frames) as the animated GIF FILE instead of opening a\n"
    "               window; needs no display\n"
    "  --size N     width and height of that GIF in pixels, 16 to 2048 (default 400)\n"
    "  --spectrum OUT\n"
    "               no dialogue and no window: write the IR spectrum of the output\n"
    "               file (FILE when given, else the one filename.dat names), with\n"
    "               the Raman spectrum below it where the file holds Raman\n"
    "               activities, to the picture OUT: .svg, .png or .pdf\n"
    "  --fwhm W     full width at half maximum of each band in cm-1, 0.1 to 1000\n"
    "               (default 10)\n"
    "  --size WxH   the spectrum's width and height, 300 to 4096 by 200 to 4096\n"
    "               (default 1200x600)\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "See molvane(1).\n";

int usageError(const char* format, const char* detail) {
    std::fprintf(stderr, "molvane: ");
    std::fprintf(stderr, format, detail);
    std::fprintf(stderr, " (molvane --help lists the options)\n");
    return 2;
}

// The value of an option given as "--name=value" or as "--name value"; nullptr when missing.
const char* optionValue(int argc, const char* const* argv, int& i, const char* name) {
    const std::size_t length = std::strlen(name);
    if (argv[i][length] == '=') return argv[i] + length + 1;
    if (i + 1 >= argc) return nullptr;
    return argv[++i];
}

bool isOption(const char* arg, const char* name) {
    const std::size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 && (arg[length] == '\0' || arg[length] == '=');
}

// A whole number from `low` to `high` at the start of text, up to `end` (a character that is not
// a digit); false when there is none or it is out of range.
bool parseWhole(const char*& text, char end, int low, int high, int& number) {
    long value = 0;
    const char* c = text;
    for (; *c && *c != end; ++c) {
        if (*c < '0' || *c > '9' || value > high) return false;
        value = value * 10 + (*c - '0');
    }
    if (c == text || value < low || value > high) return false;
    number = int(value);
    text = c;
    return true;
}

bool parseSize(const char* text, int& size) {
    return text && parseWhole(text, '\0', gifSizeMin, gifSizeMax, size);
}

// WIDTHxHEIGHT, as "1200x600".
bool parsePictureSize(const char* text, int& width, int& height) {
    using namespace spectrum;
    return text && parseWhole(text, 'x', widthMin, sizeMax, width) && *text++ == 'x' &&
           parseWhole(text, '\0', heightMin, sizeMax, height);
}

// A width in cm**-1: digits with at most one decimal point, in the range --fwhm takes.
bool parseWidth(const char* text, double& width) {
    if (!text || !*text) return false;
    double value = 0, scale = 1;
    bool point = false, digits = false;
    for (const char* c = text; *c; ++c) {
        if (*c == '.' && !point) {
            point = true;
        } else if (*c >= '0' && *c <= '9') {
            digits = true;
            if (point) scale /= 10;
            value = value * 10 + (*c - '0');
            if (value * scale > spectrum::fwhmMax) return false;
        } else {
            return false;
        }
    }
    value *= scale;
    if (!digits || !(value >= spectrum::fwhmMin && value <= spectrum::fwhmMax)) return false;
    width = value;
    return true;
}

} // namespace

int parseCommandLine(int argc, const char* const* argv, Options& options) {
    options = {nullptr,
               gifSizeDefault,
               nullptr,
               spectrum::fwhmDefault,
               spectrum::widthDefault,
               spectrum::heightDefault,
               nullptr};
    const char* sizeText = nullptr; // N with --gif, WxH with --spectrum
    bool fwhmGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::puts("molvane " MOLVANE_VERSION);
            return 0;
        }
        if (isOption(arg, "--gif")) {
            const char* file = optionValue(argc, argv, i, "--gif");
            if (!file || !*file) return usageError("%s needs a file name", "--gif");
            if (options.gifFile) return usageError("%s is given twice", "--gif");
            options.gifFile = file;
        } else if (isOption(arg, "--size")) {
            const char* text = optionValue(argc, argv, i, "--size");
            sizeText = text ? text : "";
        } else if (isOption(arg, "--spectrum")) {
            const char* file = optionValue(argc, argv, i, "--spectrum");
            if (!file || !*file) return usageError("%s needs a file name", "--spectrum");
            if (options.spectrumFile) return usageError("%s is given twice", "--spectrum");
            options.spectrumFile = file;
        } else if (isOption(arg, "--fwhm")) {
            const char* text = optionValue(argc, argv, i, "--fwhm");
            if (!parseWidth(text, options.fwhm))
                return usageError("--fwhm needs a width in cm-1 from 0.1 to 1000, not \"%s\"",
                                  text ? text : "");
            fwhmGiven = true;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return usageError("unknown option \"%s\"", arg);
        } else if (!options.inputFile) {
            options.inputFile = arg;
        } else {
            return usageError("unexpected argument \"%s\"", arg);
        }
    }
    if (options.gifFile && options.spectrumFile)
        return usageError("%s and --spectrum cannot be given together", "--gif");
    if (sizeText && options.spectrumFile) {
        if (!parsePictureSize(sizeText, options.spectrumWidth, options.spectrumHeight))
            return usageError("--size needs WIDTHxHEIGHT, 300 to 4096 by 200 to 4096, not \"%s\"",
                              sizeText);
    } else if (sizeText && options.gifFile) {
        if (!parseSize(sizeText, options.gifSize))
            return usageError("--size needs a whole number from 16 to 2048, not \"%s\"", sizeText);
    } else if (sizeText) {
        return usageError("%s applies only with --gif or --spectrum", "--size");
    }
    if (fwhmGiven && !options.spectrumFile)
        return usageError("%s applies only with --spectrum", "--fwhm");
    if (options.inputFile && !options.spectrumFile)
        return usageError("a file name (\"%s\") is read only with --spectrum", options.inputFile);
    return -1;
}

} // namespace driver
