// The program-facing offscreen context: the binding's context plus the callback layer's opening
// state. Shared by every binding; those without offscreen drawing refuse in openOffscreen.
#include "toolkit/callbacks_gl.h"
#include "toolkit/platform.h"
#include "toolkit/shape_cache.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_layer.h"

namespace toolkit {

bool openOffscreenContext(int width, int height, const char*& why) {
    if (!platform::openOffscreen(width, height, layer::state.request.mode, why)) return false;
    gl::setOpeningState();
    return true;
}

void closeOffscreenContext() {
    platform::closeOffscreen();
    shapes::forgetShapeLists(); // the lists went with the context
}

} // namespace toolkit
