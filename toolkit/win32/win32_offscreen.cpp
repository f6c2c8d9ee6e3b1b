// No offscreen context in the Windows build yet: the exports that need one say so.
#include "toolkit/platform.h"

namespace toolkit {

bool platform::openOffscreen(int, int, unsigned, const char*& why) {
    why = "this build has no offscreen OpenGL";
    return false;
}

void platform::closeOffscreen() {}

} // namespace toolkit
