// The palette life cycle's system calls, scripted for the tests: a pretend system palette with
// its static switch and display-element colours, scripted answers, a log of what was asked,
// and the window's palette messages queued and delivered in order.
#pragma once

#include "toolkit/palette.h"
#include "toolkit/win32/palette_system.h"

namespace scripted {

namespace palette = toolkit::palette;
namespace elements = toolkit::win32::palette; // the display elements of a takeover
using toolkit::win32::system::PaletteHandle;

// Back to the start: standard static colours, static colours on, no palettes, empty queue;
// the life cycle forgets its palette too.
void reset();

// The window's palette messages, queued in this order; the deferred realise request joins
// the queue when the life cycle posts it.
void pushActivate(bool active, bool minimised);
void pushPaletteChanged(bool byThisWindow);
void pushSystemColoursChanged();
int queuedEvents();
int queuedDeferredRequests(); // deferred realise requests waiting in the queue
void deliverNext();           // hands the first queued message to the life cycle
int redraws();                // repaints the life cycle asked for so far

// Answers of the system calls.
void setStaticColours(const palette::Rgb (&colours)[palette::staticCount]); // default: standard
void refusePalettes(int count);      // the next count createPalette calls give 0
void setRealiseFails(bool fails);    // realisePalette gives -1
void setChangedEntries(int count);   // what a successful realisePalette gives (default 0)
void setStaticColoursInUse(bool on); // the system palette's switch (default on), e.g. another
                                     // program has switched the static colours off
void setSystemVersion(const elements::SystemVersion& version); // default: not Windows NT
// The user's own colour of an element, as its stored text; null: cannot be read (the default).
void setUserColour(int element, const char* text);

struct PaletteRecord {
    char log[2048]; // the calls made, in order, e.g. "create 1, select 1, realise"
    int created, deleted;
    PaletteHandle lastCreated;
    int lastCount; // entries of the last palette made, and the entries themselves
    palette::PaletteEntry lastEntries[palette::entryCapacity];
    PaletteHandle selected; // 0: the default palette
    bool staticInUse;
    elements::ElementColour elements[elements::elementCount]; // the display elements' colours now
    int userReads;                                            // userElementColour calls
    int broadcasts, yields, deferredPosts;
};

const PaletteRecord& paletteRecord();
void clearPaletteLog();

} // namespace scripted
