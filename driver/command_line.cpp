// Option parsing, the usage text and the version line.
#include "driver/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "textio/textio.h"

namespace driver {

namespace {

const char usage[] =
    "Usage: molvane [--gif FILE [--size N]]\n"
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
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "See molvane(1).\n";

int usageError(const char* format, const char* detail) {
    // The refusal by its printf format, whatever the length of what it quotes.
    const int length = std::snprintf(nullptr, 0, format, detail);
    std::string text(std::size_t(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, detail);
    textio::writeFailureLine({text, " (molvane --help lists the options)"});
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

bool parseSize(const char* text, int& size) {
    if (!text || !*text) return false;
    long value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || value > gifSizeMax) return false;
        value = value * 10 + (*c - '0');
    }
    if (value < gifSizeMin || value > gifSizeMax) return false;
    size = int(value);
    return true;
}

} // namespace

int parseCommandLine(int argc, const char* const* argv, Options& options) {
    options = {nullptr, gifSizeDefault};
    bool sizeGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            textio::writeConsoleText(usage);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            textio::writeConsoleText("molvane " MOLVANE_VERSION "\n");
            return 0;
        }
        if (isOption(arg, "--gif")) {
            const char* file = optionValue(argc, argv, i, "--gif");
            if (!file || !*file) return usageError("%s needs a file name", "--gif");
            if (options.gifFile) return usageError("%s is given twice", "--gif");
            options.gifFile = file;
        } else if (isOption(arg, "--size")) {
            const char* text = optionValue(argc, argv, i, "--size");
            if (!parseSize(text, options.gifSize))
                return usageError("--size needs a whole number from 16 to 2048, not \"%s\"",
                                  text ? text : "");
            sizeGiven = true;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return usageError("unknown option \"%s\"", arg);
        } else {
            return usageError("unexpected argument \"%s\"", arg);
        }
    }
    if (sizeGiven && !options.gifFile) return usageError("%s applies only with --gif", "--size");
    return -1;
}

} // namespace driver
