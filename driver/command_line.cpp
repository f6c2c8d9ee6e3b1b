// Option parsing, the usage text and the version line.
#include "driver/command_line.h"

#include "plot/spectrum_plot.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "textio/textio.h"

namespace driver {

namespace {

const char usage[] =
    "Usage: molvane [--mode N] [--amplitude A] [--gif OUT [--size N]] [FILE]\n"
    "       molvane [--mode N] [--amplitude A] --png OUT [--size WxH]\n"
    "               [--background white|transparent|grey] [FILE]\n"
    "       molvane --list [--format csv|json] [--scale F] [FILE]\n"
    "       molvane --spectrum OUT [--fwhm W] [--size WxH] [--scale F]\n"
    "                [--range LO:HI] [--experiment FILE] [FILE]\n"
    "       molvane --path [--step K] [--list | --xyz OUT | --gif OUT [--size N]] [FILE]\n"
    "       molvane --energy-plot OUT [--size WxH] [FILE]\n"
    "       molvane --summary [--no-header] FILE...\n"
    "       molvane --help | --version\n"
    "\n"
    "Molvane animates a normal mode of molecular vibration computed by Gaussian\n"
    "(versions 92 to 16), ORCA, xtb, Q-Chem, Psi4, NWChem or GAMESS, or written as a\n"
    "Molden file or a Gaussian formatted checkpoint (the kind is told from the file's\n"
    "content).\n"
    "Also read: Turbomole (its control file or aoforce output) and Molpro outputs.\n"
    "Outputs of DALTON, MOPAC (FORCE), ADF and CFOUR are read too.\n"
    "It reads the output file FILE or, without FILE, the one that the first line of\n"
    "\"filename.dat\" in the working directory names; asks on the console for the\n"
    "normal mode and the vibration amplitude, and shows the vibration in a window.\n"
    "There the keys Right and Left step to the next and previous mode, Up and Down\n"
    "change the amplitude by 0.1, a shows displacement arrows, g writes the next 100\n"
    "frames as molvane-mode<N>.gif, b switches to ball and stick, l shows atom\n"
    "labels, p writes a still at twice the window's size as molvane-mode<N>.png and\n"
    "h lists the keys.\n"
    "When the first frequency is negative it writes \"newcoordinates.xyz\". Files are\n"
    "written in the working directory.\n"
    "\n"
    "Options:\n"
    "  --mode N       show mode N (from 1); no question is asked, not even the\n"
    "                 licence's\n"
    "  --amplitude A  the vibration amplitude coefficient, greater than 0 and at\n"
    "                 most 2 (default 0.5), instead of asking for it\n"
    "  --list         print the file's modes, one line each (number, frequency in\n"
    "                 cm**-1, IR intensity in km/mol where the file holds it),\n"
    "                 and exit\n"
    "  --gif OUT      after the same dialogue, write one period of the vibration\n"
    "                 (100 frames) as the animated GIF OUT instead of opening a\n"
    "                 window; needs no display\n"
    "  --size N       width and height of that GIF in pixels, 16 to 2048\n"
    "                 (default 400)\n"
    "  --png OUT      after the same dialogue, write the molecule at rest as the\n"
    "                 PNG picture OUT, framed to fill it, without axes, instead of\n"
    "                 opening a window; needs no display\n"
    "  --size WxH     with --png: its width and height, 16 to 8192 each (default\n"
    "                 1600x1200)\n"
    "  --background B with --png: white (the default), transparent or grey\n"
    "  --bonds        start in ball and stick: the bonds drawn (window, --gif, --png)\n"
    "  --labels       start with the atom labels (C1, H2, ...) shown\n"
    "  --arrows       start with the displacement arrows shown\n"
    "  --spectrum OUT no dialogue and no window: write the IR spectrum of the\n"
    "                 output file (FILE when given, else the one filename.dat\n"
    "                 names), with the Raman spectrum below it where the file\n"
    "                 holds Raman activities, to the picture OUT: .svg, .png or .pdf;\n"
    "                 .csv writes the curves' numbers every 1 cm-1 instead\n"
    "  --fwhm W       full width at half maximum of each band in cm-1, 0.1 to 1000\n"
    "                 (default 10)\n"
    "  --size WxH     with --spectrum: its width and height, 300 to 4096 by 200 to\n"
    "                 4096 (default 1200x600)\n"
    "  --scale F      with --spectrum or --list: multiply the frequencies by F,\n"
    "                 0.5 to 1.5 (the spectrum says so; --list shows both)\n"
    "  --range LO:HI  with --spectrum: the wavenumber axis from HI down to LO cm-1\n"
    "  --experiment FILE\n"
    "                 with --spectrum: draw the measured spectrum in FILE (JCAMP-DX,\n"
    "                 or two columns of wavenumber and absorbance) over the IR curve\n"
    "  --format F     with --list: text (default), csv or json\n"
    "  --summary      one CSV row per FILE (file, format, atoms, vibrations,\n"
    "                 imaginary ones, lowest frequency, error), going on past a file\n"
    "                 that cannot be read; status 1 when any could not\n"
    "  --no-header    with --summary or --list --format csv: no header line\n"
    "  --path         the job's path instead of a vibration: the steps of an\n"
    "                 optimisation, the points of a relaxed scan or of an IRC (its\n"
    "                 halves joined through the transition state), the frames of\n"
    "                 a multi-frame xyz file, each with its energy; no question is\n"
    "                 asked. In the window Right and Left step, Home and End go to\n"
    "                 the first and last step, Space plays, g writes the whole\n"
    "                 path as a GIF\n"
    "  --step K       with --path: start at step K (from 1)\n"
    "  --list         with --path: one line a step (number, coordinate, energy in\n"
    "                 hartree, relative energy in kcal/mol)\n"
    "  --xyz OUT      with --path --step K: write that step's geometry as an xyz\n"
    "                 file and open nothing\n"
    "  --energy-plot OUT  the path's energy relative to the lowest step, in kcal/mol,\n"
    "                 drawn against the step, the reaction coordinate or the\n"
    "                 scanned value, to the picture OUT (.svg, .png or .pdf)\n"
    "  --help         show this text and exit\n"
    "  --version      show the version and exit\n"
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

// Refusals of values that wait for the file, as failure lines, by their printf format.
template <class... Values> void refusal(const char* format, Values... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    std::string text(std::size_t(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    textio::writeFailureLine({text});
}

// A whole number from 1 up (at most 9 digits), as --mode takes it.
bool parseMode(const char* text, int& mode) {
    if (!text || !*text) return false;
    long value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || value > 99999999) return false;
        value = value * 10 + (*c - '0');
    }
    if (value < 1) return false;
    mode = int(value);
    return true;
}

// A plain decimal number: an optional sign, digits with at most one point, an optional
// exponent; nothing before or after it.
bool isPlainNumber(const char* text) {
    if (!text || !*text) return false;
    const char* c = text;
    if (*c == '+' || *c == '-') ++c;
    int digits = 0, points = 0;
    for (; (*c >= '0' && *c <= '9') || *c == '.'; ++c) (*c == '.' ? points : digits) += 1;
    if (digits == 0 || points > 1) return false;
    if (*c == 'e' || *c == 'E') {
        ++c;
        if (*c == '+' || *c == '-') ++c;
        if (*c < '0' || *c > '9') return false;
        while (*c >= '0' && *c <= '9') ++c;
    }
    return *c == '\0';
}

// A plain decimal number whose single precision value the dialogue would accept: greater than
// 0 and at most 2.
bool parseAmplitude(const char* text, float& amplitude) {
    if (!isPlainNumber(text)) return false;
    const float value = std::strtof(text, nullptr);
    if (!(value > 0.0f && value <= 2.0f)) return false;
    amplitude = value;
    return true;
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

// WIDTHxHEIGHT for a still, each 16 to 8192.
bool parseStillSize(const char* text, int& width, int& height) {
    return text && parseWhole(text, 'x', stillSizeMin, stillSizeMax, width) && *text++ == 'x' &&
           parseWhole(text, '\0', stillSizeMin, stillSizeMax, height);
}

bool parseBackground(const char* text, Background& background) {
    const struct {
        const char* name;
        Background value;
    } names[] = {{"white", Background::white},
                 {"grey", Background::grey},
                 {"transparent", Background::transparent}};
    for (const auto& n : names)
        if (text && std::strcmp(text, n.name) == 0) {
            background = n.value;
            return true;
        }
    return false;
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

bool parseScale(const char* text, double& scale) {
    if (!isPlainNumber(text)) return false;
    const double value = std::strtod(text, nullptr);
    if (!(value >= scaleMin && value <= scaleMax)) return false;
    scale = value;
    return true;
}

// LO:HI, two plain numbers with 0 <= LO < HI.
bool parseRange(const char* text, double& low, double& high) {
    if (!text) return false;
    const char* colon = std::strchr(text, ':');
    if (!colon) return false;
    const std::string lowText(text, std::size_t(colon - text));
    if (!isPlainNumber(lowText.c_str()) || !isPlainNumber(colon + 1)) return false;
    const double lo = std::strtod(lowText.c_str(), nullptr), hi = std::strtod(colon + 1, nullptr);
    if (!(lo >= 0 && lo < hi && hi <= 1e6)) return false;
    low = lo;
    high = hi;
    return true;
}

bool parseListFormat(const char* text, ListFormat& format) {
    if (!text) return false;
    if (std::strcmp(text, "text") == 0)
        format = ListFormat::text;
    else if (std::strcmp(text, "csv") == 0)
        format = ListFormat::csv;
    else if (std::strcmp(text, "json") == 0)
        format = ListFormat::json;
    else
        return false;
    return true;
}

// The file names of a --summary run, in order.
constexpr int fileCapacity = 1 << 18;
const char* fileNames[fileCapacity];

// --- The table -------------------------------------------------------------------------

// Takes an option's value into the options; false when the value is not one it takes.
using Take = bool (*)(const char* value, Options& options);

enum class Value : unsigned char {
    none, // a switch
    text, // "--name value" or "--name=value"; given twice is refused before the value is read
    file, // the same, a file name: a missing or empty one is refused first
};

struct OptionRule {
    const char* name; // "--gif"
    Value value;
    bool once; // given twice is refused
    Take take;
    const char* wants; // printf format of a bad value's refusal, one %s for the value
};

bool takeMode(const char* value, Options& o) { return parseMode(value, o.mode); }
bool takeAmplitude(const char* value, Options& o) { return parseAmplitude(value, o.amplitude); }
bool takeList(const char*, Options& o) { return o.list = true; }
bool takeFwhm(const char* value, Options& o) { return parseWidth(value, o.fwhm); }
bool takeSize(const char* value, Options& o) { return (o.sizeText = value ? value : ""); }
bool takeGif(const char* value, Options& o) { return (o.gifFile = value); }
bool takeSpectrum(const char* value, Options& o) { return (o.spectrumFile = value); }
bool takeScale(const char* value, Options& o) { return parseScale(value, o.scale); }
bool takeRange(const char* value, Options& o) { return parseRange(value, o.rangeLow, o.rangeHigh); }
bool takeExperiment(const char* value, Options& o) { return (o.experimentFile = value); }
bool takeFormat(const char* value, Options& o) { return parseListFormat(value, o.listFormat); }
bool takeSummary(const char*, Options& o) { return o.summary = true; }
bool takeNoHeader(const char*, Options& o) { return o.noHeader = true; }
bool takePng(const char* value, Options& o) { return (o.pngFile = value); }
bool takeBackground(const char* value, Options& o) { return parseBackground(value, o.background); }
bool takeBonds(const char*, Options& o) { return o.bonds = true; }
bool takeLabels(const char*, Options& o) { return o.labels = true; }
bool takeArrows(const char*, Options& o) { return o.arrows = true; }
bool takePath(const char*, Options& o) { return o.path = true; }
bool takeStep(const char* value, Options& o) { return parseMode(value, o.step); }
bool takeXyz(const char* value, Options& o) { return (o.xyzFile = value); }
bool takeEnergyPlot(const char* value, Options& o) {
    o.path = true;
    return (o.energyPlotFile = value);
}

const OptionRule rules[] = {
    {"--gif", Value::file, true, takeGif, "--gif needs a file name"},
    {"--size", Value::text, false, takeSize, nullptr},
    {"--spectrum", Value::file, true, takeSpectrum, "--spectrum needs a file name"},
    {"--fwhm", Value::text, false, takeFwhm,
     "--fwhm needs a width in cm-1 from 0.1 to 1000, not \"%s\""},
    {"--mode", Value::text, true, takeMode,
     "--mode needs a whole number from 1 to the file's count of modes, not \"%s\""},
    {"--amplitude", Value::text, true, takeAmplitude,
     "--amplitude needs a number greater than 0 and at most 2, not \"%s\""},
    {"--list", Value::none, false, takeList, nullptr},
    {"--scale", Value::text, true, takeScale, "--scale needs a number from 0.5 to 1.5, not \"%s\""},
    {"--range", Value::text, true, takeRange,
     "--range needs LO:HI in cm-1 with 0 <= LO < HI, not \"%s\""},
    {"--experiment", Value::file, true, takeExperiment, "--experiment needs a file name"},
    {"--format", Value::text, true, takeFormat, "--format needs text, csv or json, not \"%s\""},
    {"--summary", Value::none, false, takeSummary, nullptr},
    {"--no-header", Value::none, false, takeNoHeader, nullptr},
    {"--png", Value::file, true, takePng, "--png needs a file name"},
    {"--background", Value::text, false, takeBackground,
     "--background needs white, transparent or grey, not \"%s\""},
    {"--bonds", Value::none, false, takeBonds, nullptr},
    {"--labels", Value::none, false, takeLabels, nullptr},
    {"--arrows", Value::none, false, takeArrows, nullptr},
    {"--path", Value::none, false, takePath, nullptr},
    {"--step", Value::text, true, takeStep,
     "--step needs a whole number from 1 to the path's count of steps, not \"%s\""},
    {"--xyz", Value::file, true, takeXyz, "--xyz needs a file name"},
    {"--energy-plot", Value::file, true, takeEnergyPlot, "--energy-plot needs a file name"},
};
constexpr int ruleCount = int(sizeof rules / sizeof rules[0]);

// The rule of an argument that names an option (alone or as "--name=value"), or nullptr.
const OptionRule* ruleOf(const char* arg) {
    for (const OptionRule& rule : rules) {
        const std::size_t length = std::strlen(rule.name);
        if (std::strncmp(arg, rule.name, length) != 0) continue;
        if (arg[length] == '\0' || (rule.value != Value::none && arg[length] == '=')) return &rule;
    }
    return nullptr;
}

// Which options were given, by their rows.
struct Given {
    bool row[ruleCount] = {};
    bool operator()(const char* name) const {
        for (int r = 0; r < ruleCount; ++r)
            if (std::strcmp(rules[r].name, name) == 0) return row[r];
        return false;
    }
};

// Options that do not go with another: checked in this order, the first met refused.
struct Clash {
    const char* option;
    const char* with;
};
const Clash clashes[] = {
    {"--list", "--spectrum"},
    {"--mode", "--spectrum"},
    {"--amplitude", "--spectrum"},
    {"--gif", "--list"},
    {"--mode", "--list"},
    {"--amplitude", "--list"},
    {"--list", "--summary"},
    {"--spectrum", "--summary"},
    {"--gif", "--summary"},
    {"--mode", "--summary"},
    {"--amplitude", "--summary"},
    {"--scale", "--summary"},
    {"--size", "--summary"},
    {"--fwhm", "--summary"},
    {"--png", "--gif"},
    {"--png", "--spectrum"},
    {"--png", "--list"},
    {"--png", "--summary"},
    {"--mode", "--path"},
    {"--amplitude", "--path"},
    {"--spectrum", "--path"},
    {"--png", "--path"},
    {"--summary", "--path"},
    {"--scale", "--path"},
    {"--format", "--path"},
    {"--mode", "--energy-plot"},
    {"--amplitude", "--energy-plot"},
    {"--spectrum", "--energy-plot"},
    {"--list", "--energy-plot"},
    {"--gif", "--energy-plot"},
    {"--summary", "--energy-plot"},
    {"--xyz", "--list"},
    {"--xyz", "--gif"},
    {"--xyz", "--energy-plot"},
};

// Where the options of the scaled and measured spectrum, the tables and the summary apply.
int checkTableOptions(const Options& o, const Given& given) {
    if (o.summary && o.fileCount == 0)
        return usageError("%s needs at least one file name", "--summary");
    if (given("--scale") && !o.list && !o.spectrumFile)
        return usageError("%s applies only with --spectrum or --list", "--scale");
    for (const char* option : {"--range", "--experiment"})
        if (given(option) && !o.spectrumFile)
            return usageError("%s applies only with --spectrum", option);
    if (given("--format") && !o.list) return usageError("%s applies only with --list", "--format");
    if (o.noHeader && !o.summary && !(o.list && o.listFormat == ListFormat::csv))
        return usageError("%s applies only with --summary or --list --format csv", "--no-header");
    return -1;
}

// --size, read once the output it sizes is known.
int takeSizeOfOutput(Options& options) {
    const char* text = options.sizeText;
    if (!text) return -1;
    if (options.pngFile) {
        if (!parseStillSize(text, options.stillWidth, options.stillHeight))
            return usageError("--size needs WIDTHxHEIGHT, 16 to 8192 each, not \"%s\"", text);
    } else if (options.spectrumFile || options.energyPlotFile) {
        if (!parsePictureSize(text, options.spectrumWidth, options.spectrumHeight))
            return usageError("--size needs WIDTHxHEIGHT, 300 to 4096 by 200 to 4096, not \"%s\"",
                              text);
    } else if (options.gifFile) {
        if (!parseSize(text, options.gifSize))
            return usageError("--size needs a whole number from 16 to 2048, not \"%s\"", text);
    } else {
        return usageError("%s applies only with --gif, --png or --spectrum", "--size");
    }
    return -1;
}

// The rules on which options go together, once every argument is read.
int checkTogether(Options& options, const Given& given) {
    if (options.gifFile && options.spectrumFile)
        return usageError("%s and --spectrum cannot be given together", "--gif");
    const int size = takeSizeOfOutput(options);
    if (size >= 0) return size;
    if (given("--fwhm") && !options.spectrumFile)
        return usageError("%s applies only with --spectrum", "--fwhm");
    if (given("--background") && !options.pngFile)
        return usageError("%s applies only with --png", "--background");
    if (!options.path && (options.step || options.xyzFile))
        return usageError("%s applies only with --path", options.step ? "--step" : "--xyz");
    if (options.xyzFile && !options.step)
        return usageError("%s needs --step K, the step to write", "--xyz");
    for (const Clash& clash : clashes) {
        if (!given(clash.option) || !given(clash.with)) continue;
        const std::string format = std::string("%s does not go with ") + clash.with;
        return usageError(format.c_str(), clash.option);
    }
    return checkTableOptions(options, given);
}

// One option argument at argv[i] (its value may take argv[i + 1]); -1 to go on, else the status.
int takeOption(int argc, const char* const* argv, int& i, Options& options, Given& given) {
    const OptionRule* rule = ruleOf(argv[i]);
    if (!rule) return usageError("unknown option \"%s\"", argv[i]);
    const char* value =
        rule->value == Value::none ? nullptr : optionValue(argc, argv, i, rule->name);
    if (rule->value == Value::file && (!value || !*value)) return usageError(rule->wants, "");
    bool& seen = given.row[rule - rules];
    if (rule->once && seen) return usageError("%s is given twice", rule->name);
    if (!rule->take(value, options)) return usageError(rule->wants, value ? value : "");
    seen = true;
    return -1;
}

} // namespace

int parseCommandLine(int argc, const char* const* argv, Options& options) {
    options = {};
    options.files = fileNames;
    // With --summary anywhere every file name is taken, in order; without, a second is refused.
    bool summary = false;
    for (int i = 1; i < argc; ++i) summary = summary || std::strcmp(argv[i], "--summary") == 0;
    Given given;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "--version") == 0) {
            textio::writeConsoleText(arg[2] == 'h' ? usage : "molvane " MOLVANE_VERSION "\n");
            return 0;
        }
        if (arg[0] == '-' && arg[1] != '\0') {
            const int status = takeOption(argc, argv, i, options, given);
            if (status >= 0) return status;
        } else if (!options.inputFile || summary) {
            if (options.fileCount == fileCapacity)
                return usageError("more than %s file names", "262144");
            if (!options.inputFile) options.inputFile = arg;
            fileNames[options.fileCount++] = arg;
        } else {
            return usageError("unexpected argument \"%s\"", arg);
        }
    }
    return checkTogether(options, given);
}

int refuseMode(int mode, int count, std::string_view fileName) {
    const int length = int(fileName.size());
    if (count < 1)
        refusal("--mode %d cannot be shown: %.*s holds no mode to choose", mode, length,
                fileName.data());
    else
        refusal("--mode %d is not a mode of %.*s, whose modes are 1 to %d", mode, length,
                fileName.data(), count);
    return 2;
}

int refuseUnreadableFile(std::string_view fileName) {
    refusal("cannot read the output file \"%.*s\"", int(fileName.size()), fileName.data());
    return 1;
}

} // namespace driver
