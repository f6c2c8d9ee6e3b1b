// The window layer's state, placement, mode, open and redraw requests.
#include "toolkit/window_layer.h"

namespace toolkit::layer {

namespace {
constexpr State initialState = {
    {}, {"", true, 0, 0, 100, 100, 0}, nullptr, 100, 100, 0, 0, false,
};
} // namespace

State state = initialState;

void setPlacement(int x, int y, int width, int height) {
    platform::WindowRequest& r = state.request;
    r.defaultPosition = x == defaultPosition;
    r.x = r.defaultPosition ? 0 : x;
    r.y = r.defaultPosition ? 0 : y;
    r.width = width;
    r.height = height;
    state.width = width;
    state.height = height;
    platform::originEstimate(r.x, r.y, state.originX, state.originY);
}

void setMode(unsigned mode) { state.request.mode = mode; }

platform::OpenResult open(const char* title) {
    state.request.title = title;
    platform::OpenResult result = platform::openWindow(state.request);
    if (result == platform::OpenResult::opened) {
        state.width = state.request.width;
        state.height = state.request.height;
    }
    return result;
}

void requestRedraw() {
    if (platform::windowOpen()) platform::requestRedraw();
}

void clearSlots() { state.slots = Slots{}; }

void reset() { state = initialState; }

} // namespace toolkit::layer
