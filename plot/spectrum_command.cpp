// molvane --spectrum: the input's vibrations read through the reader's one face, checked,
// and drawn into the picture; one line says how it went.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "plot/spectrum.h"
#include "textio/textio.h"

namespace spectrum {

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

} // namespace

int writeSpectrum(const char* path, std::string_view inputFile, const Picture& picture) {
    if (kindOfName(path) == Kind::unknown)
        return failure("cannot write", path, "the name must end in .svg, .png or .pdf");
    if (const char* why = unreadable(inputFile)) return failure("cannot read", inputFile, why);
    reader::readVibrations(inputFile, reader::recogniseFormat(inputFile), 0);
    const reader::ModeList& modes = reader::modeList;
    if (modes.count == 0)
        return failure("no spectrum from", inputFile, "it holds no vibrational frequencies");
    const char* why = "";
    if (!writePicture(modes, inputFile, picture, path, why))
        return failure("cannot write", path, why);
    static Bands raman;
    collectBands(modes, modes.hasRaman ? modes.ramanActivity : nullptr, raman);
    const std::string line =
        std::string("Wrote ") + path + " (" +
        (raman.measured ? "IR and Raman spectra, " : "IR spectrum, ") +
        std::to_string(modes.count) + (modes.count == 1 ? " vibration, " : " vibrations, ") +
        std::to_string(picture.width) + " x " + std::to_string(picture.height) + ")";
    textio::writeListLine({textio::out(std::string_view(line))});
    return 0;
}

} // namespace spectrum
