// No offscreen drawing in the Win32 binding: the contract's pair says it is not available.
#include "toolkit/platform.h"

namespace toolkit {

bool platform::openOffscreen(int, int, unsigned, const char*& why) {
    why = "no offscreen OpenGL: this build has none";
    return false;
}

void platform::closeOffscreen() {}

} // namespace toolkit
