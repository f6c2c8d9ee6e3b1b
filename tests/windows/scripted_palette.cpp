// The palette life cycle's system calls, scripted: a pretend system palette with its static
// switch and display-element colours, scripted answers, a log of what was asked, and a queue
// of the window's palette messages.
#include "tests/windows/scripted_palette.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/win32/palette_cycle.h"

namespace scripted {

namespace system = toolkit::win32::system;
namespace cycle = toolkit::win32::palette;

namespace {

enum class Message { activate, paletteChanged, deferredRealise, systemColours };

struct Queued {
    Message message;
    bool a, b;
};

constexpr int queueCapacity = 64;

struct PaletteBinding {
    Queued queue[queueCapacity];
    int head, count;
    int redraws;
    palette::Rgb statics[palette::staticCount];
    int refuse;
    bool realiseFails;
    int changedEntries;
    elements::SystemVersion version;
    const char* userColours[elements::elementCount];
    PaletteHandle nextHandle;
    PaletteRecord record;
};

PaletteBinding pb{};

void log(const char* format, unsigned long value = 0) {
    char step[48];
    std::snprintf(step, sizeof step, format, value);
    char* text = pb.record.log;
    std::size_t used = std::strlen(text);
    std::snprintf(text + used, sizeof pb.record.log - used, "%s%s", used ? ", " : "", step);
}

void initialElements(elements::ElementColour (&elements)[elements::elementCount]) {
    for (int i = 0; i < elements::elementCount; ++i)
        elements[i] = {static_cast<unsigned char>(10 + i), static_cast<unsigned char>(100 + i),
                       static_cast<unsigned char>(200 + i), false};
}

void push(Message message, bool a = false, bool b = false) {
    if (pb.count >= queueCapacity) {
        std::fprintf(stderr, "scripted palette: more than %d queued messages\n", queueCapacity);
        std::abort();
    }
    pb.queue[(pb.head + pb.count++) % queueCapacity] = {message, a, b};
}

} // namespace

void reset() {
    pb = PaletteBinding{};
    std::memcpy(pb.statics, palette::standardStaticColours, sizeof pb.statics);
    pb.nextHandle = 1;
    pb.record.staticInUse = true;
    initialElements(pb.record.elements);
    cycle::forget();
}

// The message queue.

void pushActivate(bool active, bool minimised) { push(Message::activate, active, minimised); }
void pushPaletteChanged(bool byThisWindow) { push(Message::paletteChanged, byThisWindow); }
void pushSystemColoursChanged() { push(Message::systemColours); }
int queuedEvents() { return pb.count; }
int queuedDeferredRequests() {
    int waiting = 0;
    for (int i = 0; i < pb.count; ++i)
        waiting += pb.queue[(pb.head + i) % queueCapacity].message == Message::deferredRealise;
    return waiting;
}
int redraws() { return pb.redraws; }

void deliverNext() {
    if (pb.count == 0) {
        std::fprintf(stderr, "scripted palette: no message queued\n");
        std::abort();
    }
    Queued q = pb.queue[pb.head];
    pb.head = (pb.head + 1) % queueCapacity;
    --pb.count;
    bool redraw = false;
    switch (q.message) {
    case Message::activate:
        redraw = cycle::activate(q.a, q.b);
        break;
    case Message::paletteChanged:
        cycle::paletteChanged(q.a);
        break;
    case Message::deferredRealise:
        redraw = cycle::deferredRealise();
        break;
    case Message::systemColours:
        redraw = cycle::systemColoursChanged();
        break;
    }
    pb.redraws += redraw;
}

// Test controls.

void setStaticColours(const palette::Rgb (&colours)[palette::staticCount]) {
    std::memcpy(pb.statics, colours, sizeof pb.statics);
}
void refusePalettes(int count) { pb.refuse = count; }
void setRealiseFails(bool fails) { pb.realiseFails = fails; }
void setChangedEntries(int count) { pb.changedEntries = count; }
void setStaticColoursInUse(bool on) { pb.record.staticInUse = on; }
void setSystemVersion(const elements::SystemVersion& version) { pb.version = version; }
void setUserColour(int element, const char* text) { pb.userColours[element] = text; }
const PaletteRecord& paletteRecord() { return pb.record; }
void clearPaletteLog() { pb.record.log[0] = '\0'; }

} // namespace scripted

// The system calls.

namespace toolkit::win32 {

using namespace scripted;

void system::staticColours(palette::Rgb (&colours)[palette::staticCount]) {
    std::memcpy(colours, pb.statics, sizeof colours);
}

PaletteHandle system::createPalette(const palette::PaletteEntry* entries, int count) {
    if (pb.refuse > 0) {
        --pb.refuse;
        log("create refused");
        return 0;
    }
    PaletteRecord& r = pb.record;
    ++r.created;
    r.lastCreated = pb.nextHandle++;
    r.lastCount = count;
    std::memcpy(r.lastEntries, entries, sizeof entries[0] * std::size_t(count));
    log("create %lu", r.lastCreated);
    return r.lastCreated;
}

void system::deletePalette(PaletteHandle palette) {
    ++pb.record.deleted;
    log("delete %lu", palette);
}

void system::selectPalette(PaletteHandle palette, bool forceBackground) {
    pb.record.selected = palette;
    if (palette == 0)
        log(forceBackground ? "select default bg" : "select default");
    else
        log(forceBackground ? "select %lu bg" : "select %lu", palette);
}

int system::realisePalette() {
    log("realise");
    return pb.realiseFails ? -1 : pb.changedEntries;
}

bool system::useStaticColours(bool use) {
    bool was = pb.record.staticInUse;
    pb.record.staticInUse = use;
    log(use ? "static on" : "static off");
    return was;
}

elements::SystemVersion system::systemVersion() { return pb.version; }

void system::displayElementColours(elements::ElementColour* colours, int count) {
    std::memcpy(colours, pb.record.elements, sizeof colours[0] * std::size_t(count));
    log("read elements %lu", static_cast<unsigned long>(count));
}

void system::setDisplayElementColours(const elements::ElementColour* colours, int count) {
    std::memcpy(pb.record.elements, colours, sizeof colours[0] * std::size_t(count));
    log("set elements %lu", static_cast<unsigned long>(count));
}

bool system::userElementColour(const char* valueName, char* text, int capacity) {
    ++pb.record.userReads;
    for (int i = 0; i < elements::elementCount; ++i) {
        if (std::strcmp(elements::displayElements[i].userValueName, valueName) != 0) continue;
        if (!pb.userColours[i]) return false;
        std::snprintf(text, std::size_t(capacity), "%s", pb.userColours[i]);
        return true;
    }
    return false;
}

void system::broadcastSystemColourChange() {
    ++pb.record.broadcasts;
    log("broadcast");
}

bool system::postDeferredRealise() {
    ++pb.record.deferredPosts;
    log("post");
    push(Message::deferredRealise);
    return true;
}

void system::yieldTimeSlice() {
    ++pb.record.yields;
    log("yield");
}

} // namespace toolkit::win32
