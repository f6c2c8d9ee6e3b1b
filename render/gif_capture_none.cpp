// The Windows build writes no GIF yet: the key and the option say so.
#include "render/gif_capture.h"
#include "textio/textio.h"
#include "toolkit/toolkit.h"

namespace render {

namespace {

void noGif() { textio::writeListLine({textio::out("This build of Molvane writes no GIF")}); }

} // namespace

void bindGifKey() {
    toolkit::setKeyCallback('g', noGif);
    toolkit::setKeyCallback('G', noGif);
}

void bindPathGifKey(const StepSource&) {
    toolkit::setKeyCallback('g', noGif);
    toolkit::setKeyCallback('G', noGif);
}

int exportPathGif(const char* path, int, const StepSource&) { return exportGif(path, 0); }

int exportGif(const char* path, int) {
    textio::writeFailureLine({"cannot write \"", path, "\": this build writes no GIF"});
    return 1;
}

} // namespace render
