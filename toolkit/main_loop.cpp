// The event loop: one reshape with the real size, then events before every idle call.
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

using layer::state;

// The quit request counts as a waiting message; taking it ends the loop. Without a window
// nothing could ever arrive, so that ends the loop as well.
bool takeQuit() {
    if (!state.quitRequested && platform::windowOpen())
        return false;
    state.quitRequested = false;
    return true;
}

} // namespace

void runMainLoop(DrawCallback display) {
    state.slots.display = display;
    if (takeQuit())
        return;
    if (state.slots.reshape) {
        platform::drawingAreaSize(state.width, state.height);
        state.slots.reshape(state.width, state.height);
    }
    for (;;) {
        if (state.slots.idle) {
            for (;;) {
                if (takeQuit())
                    return;
                if (!platform::eventWaiting())
                    break;
                platform::handleNextEvent();
            }
            if (state.slots.idle)
                state.slots.idle();
        } else {
            if (takeQuit())
                return;
            platform::handleNextEvent();
        }
    }
}

} // namespace toolkit
