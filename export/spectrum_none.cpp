// The Windows build writes no spectrum: Debian's mingw-w64 has no cairo to draw it with.
#include <cstdio>

#include "export/spectrum.h"

namespace spectrum {

int writeSpectrum(const char* path, std::string_view, const Picture&) {
    std::fflush(stdout);
    std::fprintf(stderr, "molvane: cannot write \"%s\": this build writes no spectrum\n", path);
    return 1;
}

} // namespace spectrum
