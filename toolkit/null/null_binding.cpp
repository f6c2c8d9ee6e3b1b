// The null binding: a scripted event queue, a pretend window, a record of requests, and
// stand-ins for the callback layer's GL calls.
#include "toolkit/null/null_binding.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "textio/textio.h"
#include "toolkit/callbacks.h"
#include "toolkit/callbacks_gl.h"
#include "toolkit/events.h"
#include "toolkit/platform.h"
#include "toolkit/report.h"

namespace toolkit {

namespace {

enum class Kind { resize, move, button, motion, key, character, close };

struct Event {
    Kind kind;
    int a, b, c, d;
};

constexpr int queueCapacity = 256;
constexpr WindowHandle fakeWindow = 0x1234;

struct Binding {
    int cursorX, cursorY;
    int failOpens;
    bool refuseSingle;
    bool noDisplay;
    bool open;
    int width, height;
    bool paintPending;
    Event queue[queueCapacity];
    int head, count;
    std::int64_t clock;
    void (*whenBlocked)();
    int buttonsHeld; // by the scripted presses and releases
    null::Record record;
};

Binding binding{};

void push(Kind kind, int a = 0, int b = 0, int c = 0, int d = 0) {
    if (binding.count >= queueCapacity) {
        char count[16];
        std::snprintf(count, sizeof count, "%d", queueCapacity);
        textio::writeFailureLine({"null binding: more than ", count, " scripted events"});
        std::abort();
    }
    binding.queue[(binding.head + binding.count++) % queueCapacity] = {kind, a, b, c, d};
}

void copyText(char* to, std::size_t size, const char* from) {
    std::snprintf(to, size, "%s", from ? from : "");
}

void noteRelease(const char* step) {
    char* order = binding.record.releaseOrder;
    std::size_t used = std::strlen(order);
    std::snprintf(order + used, sizeof binding.record.releaseOrder - used, "%s%s", used ? " " : "",
                  step);
}

} // namespace

// Test controls.

void null::setCursorPosition(int x, int y) {
    binding.cursorX = x;
    binding.cursorY = y;
}
void null::failNextOpens(int count) { binding.failOpens = count; }
void null::refuseSingleBuffer(bool refuse) { binding.refuseSingle = refuse; }
void null::setNoDisplay(bool none) { binding.noDisplay = none; }
void null::pushResize(int width, int height) { push(Kind::resize, width, height); }
void null::pushMove(int x, int y) { push(Kind::move, x, y); }
void null::pushPaint() { binding.paintPending = true; }
void null::pushButton(int x, int y, int button, bool pressed) {
    push(Kind::button, x, y, button, pressed);
}
void null::pushMotion(int x, int y, int buttonsHeld) { push(Kind::motion, x, y, buttonsHeld); }
void null::pushKey(int code, int status) { push(Kind::key, code, status); }
void null::pushChar(int character, int status) { push(Kind::character, character, status); }
void null::pushClose() { push(Kind::close); }
int null::queuedEvents() { return binding.count; }
std::int64_t null::clock() { return binding.clock; }
void null::advanceClock(std::int64_t microseconds) { binding.clock += microseconds; }
void null::setWhenBlocked(void (*script)()) { binding.whenBlocked = script; }
const null::Record& null::record() { return binding.record; }

void null::reset() {
    binding = Binding{};
    callbacks::reset();
}

// The binding contract.

platform::OpenResult platform::openWindow(const WindowRequest& request) {
    null::Record& r = binding.record;
    ++r.opens;
    r.openMode = request.mode;
    r.openDefaultPosition = request.defaultPosition;
    r.openX = request.x;
    r.openY = request.y;
    r.openWidth = request.width;
    r.openHeight = request.height;
    copyText(r.title, sizeof r.title, request.title);
    if (binding.noDisplay) {
        textio::writeFailureLine({"cannot open the null display: no window can be shown"});
        return OpenResult::noDisplay;
    }
    binding.open = true;
    binding.width = request.width;
    binding.height = request.height;
    binding.paintPending = true; // shown: the first paint is due
    bool single = (request.mode & modeDouble) == 0;
    if (binding.failOpens > 0 || (single && binding.refuseSingle)) {
        if (binding.failOpens > 0) --binding.failOpens;
        reportError("Selecting a pixel format failed\n");
        destroyWindow();
        return OpenResult::failed;
    }
    return OpenResult::opened;
}

void platform::destroyWindow() {
    if (!binding.open) return;
    binding.record.releaseOrder[0] = '\0';
    inputDestroy();
    ++binding.record.destroyed;
}

void platform::releaseContext() { noteRelease("context"); }

void platform::forgetWindow() {
    noteRelease("forget");
    binding.open = false;
    binding.paintPending = false;
    binding.head = binding.count = 0;
    binding.record.captured = false;
}

bool platform::windowOpen() { return binding.open; }

void platform::setTitle(const char* title) {
    copyText(binding.record.title, sizeof binding.record.title, title);
    ++binding.record.titleChanges;
}
WindowHandle platform::windowHandle() { return binding.open ? fakeWindow : 0; }

void platform::drawingAreaSize(int& width, int& height) {
    width = binding.width;
    height = binding.height;
}

void platform::originEstimate(int x, int y, int& originX, int& originY) {
    originX = x;
    originY = y;
}

bool platform::eventWaiting() { return binding.count > 0 || binding.paintPending; }

void platform::handleNextEvent() {
    if (binding.count == 0 && !binding.paintPending && binding.whenBlocked) {
        ++binding.record.blockedWaits;
        binding.whenBlocked();
    }
    if (binding.count == 0) {
        if (!binding.paintPending) {
            textio::writeFailureLine({"null binding: waiting for an event, none scripted"});
            std::abort();
        }
        binding.paintPending = false;
        inputPaint();
        return;
    }
    Event e = binding.queue[binding.head];
    binding.head = (binding.head + 1) % queueCapacity;
    --binding.count;
    switch (e.kind) {
    case Kind::resize:
        binding.width = e.a;
        binding.height = e.b;
        inputResize(e.a, e.b);
        break;
    case Kind::move:
        inputMove(e.a, e.b);
        break;
    case Kind::button:
        binding.buttonsHeld = e.d ? binding.buttonsHeld | e.c : binding.buttonsHeld & ~e.c;
        inputMouseButton(e.a, e.b, e.c, e.d != 0, binding.buttonsHeld);
        break;
    case Kind::motion:
        inputMouseMotion(e.a, e.b, e.c);
        break;
    case Kind::key:
        inputKey(e.a, e.b);
        break;
    case Kind::character:
        inputChar(e.a, e.b);
        break;
    case Kind::close:
        inputClose();
        break;
    }
}

void platform::requestRedraw() {
    ++binding.record.redrawRequests;
    binding.paintPending = true;
}

void platform::swapBuffers() { ++binding.record.swaps; }

void platform::requestSyncedSwaps() { ++binding.record.syncedSwapRequests; }

std::int64_t platform::clockMicroseconds() { return binding.clock; }

void platform::waitForEvent(std::int64_t microseconds) {
    ++binding.record.timedWaits;
    if (eventWaiting() || microseconds <= 0) return;
    binding.clock += microseconds;
    binding.record.waitedMicroseconds += microseconds;
}

void platform::cursorPosition(int& x, int& y) {
    x = binding.cursorX;
    y = binding.cursorY;
}

void platform::captureMouse(WindowHandle window) {
    ++binding.record.captures;
    binding.record.captured = window != 0;
    binding.record.captureWindow = window;
}

void platform::releaseMouse() {
    ++binding.record.releases;
    binding.record.captured = false;
}

void platform::showMessageBox(const char* caption, const char* text) {
    null::Record& r = binding.record;
    ++r.boxes;
    copyText(r.boxCaption, sizeof r.boxCaption, caption);
    copyText(r.boxText, sizeof r.boxText, text);
}

// No GL at all, so no offscreen drawing either: not available.
bool platform::openOffscreen(int, int, unsigned, const char*& why) {
    why = "no offscreen OpenGL: the null binding draws nothing";
    return false;
}

void platform::closeOffscreen() {}

} // namespace toolkit

// The callback layer's GL calls: recorded, not made.
namespace toolkit::gl {

void setOpeningState() { binding.record.openingState = true; }

void drawIntoFrontBuffer() { binding.record.frontBuffer = true; }

void defaultReshape(int width, int height) {
    ++binding.record.defaultReshapes;
    binding.record.defaultReshapeWidth = width;
    binding.record.defaultReshapeHeight = height;
}

} // namespace toolkit::gl
