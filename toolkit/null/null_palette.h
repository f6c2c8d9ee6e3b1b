// The null binding's palette display: tests choose whether the opened window's format needs a
// palette, script the palette events and the answers of the palette primitives, and read back
// what the toolkit asked for.
#pragma once

#include "toolkit/palette.h"
#include "toolkit/platform.h"

namespace toolkit::null {

// The next opens report an RGBA format of this layout that needs a palette (and, with
// needsSystemPalette, the whole system palette); until clearPaletteFormat or reset.
void setPaletteFormat(const palette::PixelLayout& layout, bool needsSystemPalette);
void clearPaletteFormat();

// Scripted palette events, queued with the other scripted events.
void pushActivate(bool active, bool minimised);
void pushPaletteChanged(bool byThisWindow);
void pushSystemColoursChanged();
int queuedDeferredRequests(); // deferred realise requests waiting in the queue

// Answers of the primitives.
void setStaticColours(const palette::Rgb (&colours)[palette::staticCount]); // default: standard
void refusePalettes(int count);      // the next count createPalette calls give 0
void setRealiseFails(bool fails);    // realisePalette gives -1
void setChangedEntries(int count);   // what a successful realisePalette gives (default 0)
void setStaticColoursInUse(bool on); // the system palette's switch (default on), e.g. another
                                     // program has switched the static colours off
void setSystemVersion(const palette::SystemVersion& version); // default: not Windows NT
// The user's own colour of an element, as its stored text; null: cannot be read (the default).
void setUserColour(int element, const char* text);

struct PaletteRecord {
    char log[2048]; // the primitives asked for, in order, e.g. "create 1, select 1, realise"
    int created, deleted;
    platform::PaletteHandle lastCreated;
    int lastCount; // entries of the last palette made, and the entries themselves
    palette::PaletteEntry lastEntries[palette::entryCapacity];
    platform::PaletteHandle selected; // 0: the default palette
    bool staticInUse;
    palette::ElementColour elements[palette::elementCount]; // the display elements' colours now
    int userReads;                                          // userElementColour calls
    int broadcasts, yields, deferredPosts;
};

const PaletteRecord& paletteRecord();
void clearPaletteLog();

} // namespace toolkit::null
