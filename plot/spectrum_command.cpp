// molvane --spectrum: the input's vibrations read through the reader's one face, checked,
// scaled where asked, and drawn into the picture (or their curves written as numbers), with a
// measured spectrum over them where one is given; one line says how it went.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "plot/spectrum.h"
#include "textio/textio.h"

namespace spectrum {

measured::Data measuredSpectrum;

namespace {

// One line on standard error: "molvane: <what> "<file>": <why>", and the status 1.
int failure(const char* what, std::string_view file, std::string_view why) {
    textio::writeFailureLine({what, " \"", file, "\": ", why});
    return 1;
}

// Why the file cannot be read, or nullptr when it can.
const char* unreadable(std::string_view name) {
    const std::string path(name);
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return std::strerror(errno);
    if (S_ISDIR(status.st_mode)) return "it is a directory";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::strerror(errno);
    std::fclose(file);
    return nullptr;
}

// The measured spectrum read into measuredSpectrum; 1 after its failure line, else -1.
int readExperiment(const char* file) {
    long long line = 0;
    const char* why = nullptr;
    if (measured::readSpectrum(file, measuredSpectrum, line, why)) return -1;
    if (line == 0) return failure("cannot read the measured spectrum", file, why);
    const std::string at = ", line " + std::to_string(line);
    textio::writeFailureLine({"cannot read the measured spectrum \"", file, "\"", at, ": ", why});
    return 1;
}

// The file's vibrations with every frequency multiplied by `scale`.
const reader::ModeList& scaled(const reader::ModeList& modes, double scale) {
    if (scale == 1) return modes;
    static reader::ModeList copy;
    copy = modes;
    for (int i = 0; i < copy.count; ++i) copy.frequency[i] *= scale;
    return copy;
}

void reportWritten(const char* path, const reader::ModeList& modes, const Picture& picture,
                   Kind kind) {
    static Bands raman;
    collectBands(modes, modes.hasRaman ? modes.ramanActivity : nullptr, raman);
    std::string line = std::string("Wrote ") + path + " (" +
                       (raman.measured ? "IR and Raman spectra, " : "IR spectrum, ") +
                       std::to_string(modes.count) +
                       (modes.count == 1 ? " vibration, " : " vibrations, ");
    if (kind == Kind::csv)
        line += "every 1 cm-1)";
    else
        line += std::to_string(picture.width) + " x " + std::to_string(picture.height) + ")";
    textio::writeListLine({textio::out(std::string_view(line))});
}

} // namespace

int writeSpectrum(const char* path, std::string_view inputFile, const Picture& picture) {
    const Kind kind = kindOfName(path);
    if (kind == Kind::unknown)
        return failure("cannot write", path, "the name must end in .svg, .png, .pdf or .csv");
    if (const char* why = unreadable(inputFile)) return failure("cannot read", inputFile, why);
    if (picture.experiment)
        if (const int status = readExperiment(picture.experiment); status >= 0) return status;
    reader::readVibrations(inputFile, reader::recogniseFormat(inputFile), 0);
    const reader::ModeList& modes = scaled(reader::modeList, picture.scale);
    if (modes.count == 0)
        return failure("no spectrum from", inputFile, "it holds no vibrational frequencies");
    const char* why = "";
    if (kind == Kind::csv ? !writeCurves(modes, picture, path, why)
                          : !writePicture(modes, inputFile, picture, path, why))
        return failure("cannot write", path, why);
    reportWritten(path, modes, picture, kind);
    return 0;
}

} // namespace spectrum
