// The X11 event queue, the translation of X events into the toolkit's input events, and the
// clock and timed wait of the loop's pacing.
#include <X11/Xutil.h>
#include <poll.h>

#include <cerrno>
#include <ctime>

#include "toolkit/events.h"
#include "toolkit/platform.h"
#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_input.h"
#include "toolkit/x11/x11_palette.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit {

namespace {

using x11::state;

void reportOrigin() {
    int x = 0, y = 0;
    Window child = 0;
    if (XTranslateCoordinates(state.display, state.window, RootWindow(state.display, state.screen),
                              0, 0, &x, &y, &child))
        inputMove(x, y);
}

// A size change, or the 0 x 0 of an unmapped (minimised) window, as Win32's WM_SIZE has it.
void reportSize(int width, int height) {
    bool changed = width != state.width || height != state.height;
    state.width = width;
    state.height = height;
    if (changed && !state.minimised) inputResize(width, height);
}

void setMinimised(bool minimised) {
    if (minimised == state.minimised) return;
    state.minimised = minimised;
    if (minimised)
        inputResize(0, 0);
    else
        inputResize(state.width, state.height);
}

void keyPress(XKeyEvent& event) {
    char text[16];
    KeySym keysym = NoSymbol;
    int length = XLookupString(&event, text, sizeof text, &keysym, nullptr);
    int status = x11::statusFromState(event.state);
    if (int code = x11::keyFromKeysym(keysym)) {
        inputKey(code, status);
        return;
    }
    for (int i = 0; i < length && state.window; ++i)
        inputChar(static_cast<unsigned char>(text[i]), status);
}

void destroyed() {
    Colormap colormap = state.colormap;
    x11::palette::release();
    inputDestroy();
    if (colormap) {
        x11::beginErrorTrap(state.display);
        XFreeColormap(state.display, colormap);
        x11::endErrorTrap(state.display);
    }
}

void translate(XEvent& event) {
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (state.window == 0 || event.xany.window != state.window) return;
    switch (event.type) {
    case Expose:
        state.paintPending = true;
        break;
    case ConfigureNotify:
        reportSize(event.xconfigure.width, event.xconfigure.height);
        reportOrigin();
        break;
    case ReparentNotify:
        reportOrigin();
        break;
    case MapNotify:
        setMinimised(false);
        break;
    case UnmapNotify:
        setMinimised(true);
        break;
    case ButtonPress:
    case ButtonRelease:
        if (int button = x11::buttonFromX11(event.xbutton.button)) {
            // The event's state is the buttons held before it.
            const bool pressed = event.type == ButtonPress;
            const int before = x11::buttonsFromState(event.xbutton.state);
            inputMouseButton(event.xbutton.x, event.xbutton.y, button, pressed,
                             pressed ? before | button : before & ~button);
        }
        break;
    case MotionNotify:
        inputMouseMotion(event.xmotion.x, event.xmotion.y,
                         x11::buttonsFromState(event.xmotion.state));
        break;
    case KeyPress:
        keyPress(event.xkey);
        break;
    case ClientMessage:
        if (event.xclient.message_type == state.wmProtocols && event.xclient.format == 32 &&
            Atom(event.xclient.data.l[0]) == state.wmDeleteWindow)
            inputClose();
        break;
    case FocusIn:
    case FocusOut:
        x11::palette::focusChanged(event.xfocus);
        break;
    case ColormapNotify:
        x11::palette::colormapChanged(event.xcolormap);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == state.window) destroyed();
        break;
    default:
        break;
    }
}

} // namespace

bool platform::eventWaiting() {
    if (!state.display) return false;
    return state.paintPending || XPending(state.display) > 0;
}

void platform::handleNextEvent() {
    if (!state.display) return;
    if (state.paintPending && XPending(state.display) == 0) {
        state.paintPending = false;
        inputPaint();
        return;
    }
    XEvent event;
    XNextEvent(state.display, &event);
    translate(event);
}

std::int64_t platform::clockMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

void platform::waitForEvent(std::int64_t microseconds) {
    if (!state.display || microseconds <= 0 || eventWaiting()) return;
    // Nothing queued on the client side: wait on the connection itself.
    pollfd connection{ConnectionNumber(state.display), POLLIN, 0};
    const timespec limit{time_t(microseconds / 1000000), long(microseconds % 1000000) * 1000};
    while (ppoll(&connection, 1, &limit, nullptr) < 0 && errno == EINTR) {
    }
}

} // namespace toolkit
