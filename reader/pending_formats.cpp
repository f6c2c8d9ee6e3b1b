// Stand-ins for the readers of the formats still being written: each ends the run with one
// line saying so. A format's reader, once written in its own file, takes its stand-in's place.
#include "reader/format_readers.h"

#include <cstdio>

namespace reader {
namespace {

[[noreturn]] void notBuiltYet(std::string_view fileName, Format format) {
    const std::string_view name = formatName(format);
    char message[400];
    std::snprintf(message, sizeof message, "%.*s: reading %.*s files is not built yet",
                  int(fileName.size()), fileName.data(), int(name.size()), name.data());
    textio::failRun(message);
}

} // namespace

void readQchem(std::string_view fileName, int, scan::FormatResult&, AtomTable&) {
    notBuiltYet(fileName, Format::qchem);
}

void readPsi4(std::string_view fileName, int, scan::FormatResult&, AtomTable&) {
    notBuiltYet(fileName, Format::psi4);
}

void readNwchem(std::string_view fileName, int, scan::FormatResult&, AtomTable&) {
    notBuiltYet(fileName, Format::nwchem);
}

void readGamess(std::string_view fileName, int, scan::FormatResult&, AtomTable&) {
    notBuiltYet(fileName, Format::gamess);
}

} // namespace reader
