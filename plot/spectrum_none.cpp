// The Windows build writes no spectrum: Debian's mingw-w64 has no cairo to draw it with.
#include "plot/spectrum.h"
#include "textio/textio.h"

namespace spectrum {

int writeSpectrum(const char* path, std::string_view, const Picture&) {
    textio::writeFailureLine({"cannot write \"", path, "\": this build writes no spectrum"});
    return 1;
}

} // namespace spectrum
