// The Windows build writes no PNG (mingw-w64 on Debian has no libpng): the key and the option
// say so.
#include "render/still_capture.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

namespace render {

namespace {

void noStill() { textio::writeListLine({textio::out("This build of Molvane writes no PNG")}); }

} // namespace

void bindStillKey() {
    toolkit::setKeyCallback('p', noStill);
    toolkit::setKeyCallback('P', noStill);
}

void writeWindowStill(const std::string&) { noStill(); }

int exportStill(const char* path, const StillRequest&) {
    textio::writeFailureLine({"cannot write \"", path, "\": this build writes no PNG"});
    return 1;
}

} // namespace render
