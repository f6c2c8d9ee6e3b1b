// The event loop: one reshape with the real size, then events before every idle call, and idle
// calls paced to at most 60 a second and stopped while the window is minimised or unmapped.
#include "toolkit/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_layer.h"

namespace toolkit {

namespace {

using layer::state;

// The shortest time from the start of one idle call to the start of the next, microseconds.
constexpr std::int64_t framePeriod = 1000000 / 60;

// Minimised or unmapped: the window system reported a 0 x 0 drawing area.
bool hidden() { return state.width <= 0 || state.height <= 0; }

// The quit request counts as a waiting message; taking it ends the loop. Without a window
// nothing could ever arrive, so that ends the loop as well.
bool takeQuit() {
    if (!state.quitRequested && platform::windowOpen()) return false;
    state.quitRequested = false;
    return true;
}

} // namespace

void runMainLoop(DrawCallback display) {
    state.slots.display = display;
    if (takeQuit()) return;
    if (state.slots.reshape) {
        platform::drawingAreaSize(state.width, state.height);
        state.slots.reshape(state.width, state.height);
    }
    std::int64_t nextFrame = platform::clockMicroseconds();
    for (;;) {
        if (state.slots.idle) {
            for (;;) {
                if (takeQuit()) return;
                if (!platform::eventWaiting()) break;
                platform::handleNextEvent();
            }
            if (hidden()) { // nothing to draw into: sleep until the window system has news
                platform::handleNextEvent();
                continue;
            }
            // A frame that took longer than the period is followed at once; a quicker one
            // waits out the rest, taking events that come meanwhile first.
            const std::int64_t now = platform::clockMicroseconds();
            if (now < nextFrame) {
                platform::waitForEvent(nextFrame - now);
                continue;
            }
            nextFrame = now + framePeriod;
            if (state.slots.idle) state.slots.idle();
        } else {
            if (takeQuit()) return;
            platform::handleNextEvent();
        }
    }
}

} // namespace toolkit
