// The null binding's palette primitives: a pretend system palette with its static switch and
// display-element colours, scripted answers, and a log of what was asked.
#include "toolkit/null/null_palette.h"

#include <cstdio>
#include <cstring>

#include "toolkit/events.h"
#include "toolkit/null/null_internal.h"

namespace toolkit {

namespace {

struct PaletteBinding {
    bool formatSet;
    palette::PixelLayout layout;
    bool needsSystemPalette;
    palette::Rgb statics[palette::staticCount];
    int refuse;
    bool realiseFails;
    int changedEntries;
    palette::SystemVersion version;
    const char* userColours[palette::elementCount];
    platform::PaletteHandle nextHandle;
    null::PaletteRecord record;
};

PaletteBinding pb{};

void log(const char* format, unsigned long value = 0) {
    char step[48];
    std::snprintf(step, sizeof step, format, value);
    char* text = pb.record.log;
    std::size_t used = std::strlen(text);
    std::snprintf(text + used, sizeof pb.record.log - used, "%s%s", used ? ", " : "", step);
}

void initialElements(palette::ElementColour (&elements)[palette::elementCount]) {
    for (int i = 0; i < palette::elementCount; ++i)
        elements[i] = {static_cast<unsigned char>(10 + i), static_cast<unsigned char>(100 + i),
                       static_cast<unsigned char>(200 + i), false};
}

} // namespace

void null::internal::resetPalette() {
    pb = PaletteBinding{};
    std::memcpy(pb.statics, palette::standardStaticColours, sizeof pb.statics);
    pb.nextHandle = 1;
    pb.record.staticInUse = true;
    initialElements(pb.record.elements);
}

void null::internal::paletteAtOpen() {
    if (pb.formatSet)
        inputPaletteNeeded(pb.layout, pb.needsSystemPalette);
}

// Test controls.

void null::setPaletteFormat(const palette::PixelLayout& layout, bool needsSystemPalette) {
    pb.formatSet = true;
    pb.layout = layout;
    pb.needsSystemPalette = needsSystemPalette;
}
void null::clearPaletteFormat() {
    pb.formatSet = false;
}
void null::setStaticColours(const palette::Rgb (&colours)[palette::staticCount]) {
    std::memcpy(pb.statics, colours, sizeof pb.statics);
}
void null::refusePalettes(int count) {
    pb.refuse = count;
}
void null::setRealiseFails(bool fails) {
    pb.realiseFails = fails;
}
void null::setChangedEntries(int count) {
    pb.changedEntries = count;
}
void null::setStaticColoursInUse(bool on) {
    pb.record.staticInUse = on;
}
void null::setSystemVersion(const palette::SystemVersion& version) {
    pb.version = version;
}
void null::setUserColour(int element, const char* text) {
    pb.userColours[element] = text;
}
const null::PaletteRecord& null::paletteRecord() {
    return pb.record;
}
void null::clearPaletteLog() {
    pb.record.log[0] = '\0';
}

// The primitives.

void platform::staticColours(palette::Rgb (&colours)[palette::staticCount]) {
    std::memcpy(colours, pb.statics, sizeof colours);
}

platform::PaletteHandle platform::createPalette(const palette::PaletteEntry* entries, int count) {
    if (pb.refuse > 0) {
        --pb.refuse;
        log("create refused");
        return 0;
    }
    null::PaletteRecord& r = pb.record;
    ++r.created;
    r.lastCreated = pb.nextHandle++;
    r.lastCount = count;
    std::memcpy(r.lastEntries, entries, sizeof entries[0] * std::size_t(count));
    log("create %lu", r.lastCreated);
    return r.lastCreated;
}

void platform::deletePalette(PaletteHandle palette) {
    ++pb.record.deleted;
    log("delete %lu", palette);
    null::internal::noteRelease("palette");
}

void platform::selectPalette(PaletteHandle palette, bool forceBackground) {
    pb.record.selected = palette;
    if (palette == 0)
        log(forceBackground ? "select default bg" : "select default");
    else
        log(forceBackground ? "select %lu bg" : "select %lu", palette);
}

int platform::realisePalette() {
    log("realise");
    return pb.realiseFails ? -1 : pb.changedEntries;
}

bool platform::useStaticColours(bool use) {
    bool was = pb.record.staticInUse;
    pb.record.staticInUse = use;
    log(use ? "static on" : "static off");
    return was;
}

palette::SystemVersion platform::systemVersion() {
    return pb.version;
}

void platform::displayElementColours(palette::ElementColour* colours, int count) {
    std::memcpy(colours, pb.record.elements, sizeof colours[0] * std::size_t(count));
    log("read elements %lu", static_cast<unsigned long>(count));
}

void platform::setDisplayElementColours(const palette::ElementColour* colours, int count) {
    std::memcpy(pb.record.elements, colours, sizeof colours[0] * std::size_t(count));
    log("set elements %lu", static_cast<unsigned long>(count));
}

bool platform::userElementColour(const char* valueName, char* text, int capacity) {
    ++pb.record.userReads;
    for (int i = 0; i < palette::elementCount; ++i) {
        if (std::strcmp(palette::displayElements[i].userValueName, valueName) != 0)
            continue;
        if (!pb.userColours[i])
            return false;
        std::snprintf(text, std::size_t(capacity), "%s", pb.userColours[i]);
        return true;
    }
    return false;
}

void platform::broadcastSystemColourChange() {
    ++pb.record.broadcasts;
    log("broadcast");
}

bool platform::postDeferredRealise() {
    ++pb.record.deferredPosts;
    log("post");
    null::internal::pushDeferredRealise();
    return true;
}

void platform::yieldTimeSlice() {
    ++pb.record.yields;
    log("yield");
}

} // namespace toolkit
